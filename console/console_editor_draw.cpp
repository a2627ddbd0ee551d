// Drawing into the screen: top line, text rows with the selection, the
// help line, the status line, and the pane geometry the window needs.
#include <algorithm>
#include <cstdio>

#include "console/console_editor.h"
#include "engine/utf8.h"

namespace {

constexpr uint8_t kAttrText = 0;
constexpr uint8_t kAttrBar = 2;
constexpr uint8_t kAttrKey = 3;
constexpr uint8_t kAttrSelection = 4;

// Bytes of `text` covering columns [first, first + count).
std::string ColumnSlice(const std::string& text, int first, int count) {
  size_t from = Utf8OffsetOfColumn(text, first);
  size_t to = from + Utf8OffsetOfColumn(text.substr(from), count);
  return text.substr(from, to - from);
}

}  // namespace

void ConsoleEditor::UpdateLayout() {
  const int text_rows = std::max(Rows() - top_margin - bottom_margin - 1, 0);
  const bool split = pane_divider > 0.0 && pane_divider < 1.0 && text_rows >= 3;
  int upper = text_rows;
  if (split) upper = std::clamp(static_cast<int>(text_rows * pane_divider), 1, text_rows - 2);
  // A window too low for two panes shows only the upper one, and the cursor
  // must stay where it can be seen.
  if (!split) current_pane = 0;
  if (!screen) return;
  ConsoleLayout& layout = screen->layout;
  layout.top_margin = top_margin;
  layout.bottom_margin = bottom_margin;
  layout.scrollbar_cols = 1;
  layout.panes[0].first_row = top_margin;
  layout.panes[0].row_count = upper;
  layout.panes[1].first_row = top_margin + upper + 1;
  layout.panes[1].row_count = split ? text_rows - upper - 1 : 0;
  for (int p = 0; p < 2; ++p) {
    layout.panes[p].scroll = pane_scroll[p];
    layout.panes[p].total_lines = static_cast<int>(lines.size());
  }
}

int ConsoleEditor::PaneRows(int pane) const {
  const int text_rows = std::max(Rows() - top_margin - bottom_margin - 1, 0);
  const bool split = pane_divider > 0.0 && pane_divider < 1.0 && text_rows >= 3;
  if (!split) return pane == 0 ? text_rows : 0;
  int upper = std::clamp(static_cast<int>(text_rows * pane_divider), 1, text_rows - 2);
  return pane == 0 ? upper : text_rows - upper - 1;
}

int ConsoleEditor::PaneTop(int pane) const {
  return pane == 0 ? top_margin : top_margin + PaneRows(0) + 1;
}

int ConsoleEditor::TextWidth(int pane) const {
  bool scrollbar = static_cast<int>(lines.size()) > PaneRows(pane);
  return std::max(Cols() - (scrollbar ? 1 : 0), 1);
}

int ConsoleEditor::PaneAtRow(int row) const {
  for (int p : {0, 1})
    if (row >= PaneTop(p) && row < PaneTop(p) + PaneRows(p)) return p;
  return -1;
}

void ConsoleEditor::DrawTopLine() {
  if (!screen || top_margin < 1) return;
  std::string name = file_name;
  const int width = Cols();
  if (Utf8Columns(name) > width) {
    int keep = std::max(width - 3, 0);
    name = "..." + name.substr(Utf8OffsetOfColumn(name, Utf8Columns(name) - keep));
    name = ColumnSlice(name, 0, width);
  }
  ScreenMoveTo(screen, 0, 0);
  ScreenSetAttribute(screen, kAttrText);
  ScreenWrite(screen, name);
  ScreenClearToEol(screen);
}

void ConsoleEditor::DrawLine(int row, const std::string& text, int comment_state) {
  const int pane = std::max(PaneAtRow(row), 0);
  ScreenMoveTo(screen, 0, row);
  ScreenSetAttribute(screen, kAttrText);
  ScreenWrite(screen, ColumnSlice(text, hscroll, TextWidth(pane)));
  ScreenClearToEol(screen);
}

void ConsoleEditor::DrawTextRow(int pane, int index) {
  const int row = PaneTop(pane) + index;
  const int line = pane_scroll[pane] + index;
  static const std::string kEmpty;
  const std::string& text = line < static_cast<int>(lines.size()) ? lines[line] : kEmpty;
  DrawLine(row, text, CommentStateAt(line));
  if (!selecting) return;
  int c1, l1, c2, l2;
  GetSelection(&c1, &l1, &c2, &l2);
  if (line < l1 || line > l2 || line >= static_cast<int>(lines.size())) return;
  int from = line == l1 ? c1 : 0;
  int to = line == l2 ? c2 : Utf8Columns(text);
  // A selected line break shows as one selected cell after the text.
  std::string shown = ColumnSlice(text, from, to - from) + (line < l2 ? " " : "");
  int first = from - hscroll;
  if (first < 0) {
    shown = ColumnSlice(shown, -first, Utf8Columns(shown));
    first = 0;
  }
  const int width = TextWidth(pane);
  if (shown.empty() || first >= width) return;
  ScreenMoveTo(screen, first, row);
  ScreenSetAttribute(screen, kAttrSelection);
  ScreenWrite(screen, ColumnSlice(shown, 0, width - first));
}

void ConsoleEditor::DrawTextArea(int only_line) {
  if (!screen) return;
  UpdateLayout();
  if (only_line < 0) {
    DrawTopLine();
    int divider = DividerRow(screen->layout);
    if (divider >= 0) {
      ScreenMoveTo(screen, 0, divider);
      ScreenSetAttribute(screen, kAttrBar);
      ScreenClearToEol(screen);
    }
    DrawHelpLine();
  }
  for (int pane = 0; pane < 2; ++pane)
    for (int index = 0; index < PaneRows(pane); ++index)
      if (only_line < 0 || pane_scroll[pane] + index == only_line) DrawTextRow(pane, index);
  PlaceCaret();
}

void ConsoleEditor::AddHelpPiece(const char* text, int attr) {
  if (!screen) return;
  ScreenSetAttribute(screen, static_cast<uint8_t>(attr));
  ScreenWrite(screen, text);
}

void ConsoleEditor::AddHelpLineItems() {}

void ConsoleEditor::DrawHelpLine() {
  if (!screen || bottom_margin < 1 || HelpRow() < top_margin) return;
  ScreenMoveTo(screen, 0, HelpRow());
  if (selecting) {
    AddHelpPiece("SELECTING  ESC:cancel Ctrl+(", kAttrBar);
    AddHelpPiece("C", kAttrKey);
    AddHelpPiece("opy ", kAttrBar);
    AddHelpPiece("X", kAttrKey);
    AddHelpPiece(":cut ", kAttrBar);
    AddHelpPiece("V", kAttrKey);
    AddHelpPiece(":paste)", kAttrBar);
  } else {
    AddHelpPiece("Ctrl+(", kAttrBar);
    // The panes drawn, not the split asked for: a window too low for two
    // draws one, and the help and status lines must not speak of another.
    if (PaneRows(1) > 0) {
      AddHelpPiece("O", kAttrKey);
      AddHelpPiece("therpane ", kAttrBar);
      AddHelpPiece("no", kAttrBar);
      AddHelpPiece("P", kAttrKey);
      AddHelpPiece("anes ", kAttrBar);
    } else {
      AddHelpPiece("P", kAttrKey);
      AddHelpPiece("ane ", kAttrBar);
    }
    AddHelpPiece("F", kAttrKey);
    AddHelpPiece(replace_offered ? "ind/" : "ind ", kAttrBar);
    if (replace_offered) {
      AddHelpPiece("R", kAttrKey);
      AddHelpPiece("eplace ", kAttrBar);
    }
    AddHelpLineItems();
    AddHelpPiece(")", kAttrBar);
  }
  ScreenSetAttribute(screen, kAttrBar);
  ScreenClearToEol(screen);
  PlaceCaret();  // the writes above moved it to the help line
}

void ConsoleEditor::DrawStatusLine() {
  if (!screen) return;
  std::string text;
  if (prompt_state == kPromptMessage) {
    text = message;
  } else if (prompt_state >= kPromptFind) {
    text = PromptText();
    if (prompt_state == kPromptFind) text += " " + find_text;
    else if (prompt_state == kPromptReplace) text += " " + replace_text;
    else if (prompt_state == kPromptGoToLine) text += " " + prompt_input;
  } else {
    const bool split = PaneRows(1) > 0;
    const int count = static_cast<int>(lines.size());
    const int first = pane_scroll[current_pane];
    const int last = std::min(first + PaneRows(current_pane), count);
    char buffer[256];
    snprintf(buffer, sizeof buffer, "%sLine %d/%d [%d-%d] Col %d [%s]%s",
             split ? (current_pane == 0 ? "Upper pane: " : "Lower pane: ") : "",
             cursor_line + 1, count, first + 1, last, cursor_col + 1,
             console_overwrite ? "OVR" : "INS", IsModified() ? "*" : "");
    text = buffer;
  }
  ScreenMoveTo(screen, 0, StatusRow());
  ScreenSetAttribute(screen, kAttrBar);
  ScreenWrite(screen, text);
  ScreenClearToEol(screen);
  PlaceCaret();
}

void ConsoleEditor::PlaceCaret() {
  if (!screen) return;
  ConsoleGrid& grid = screen->grid;
  if (prompt_state >= kPromptFind) {
    std::string shown = PromptText();
    if (prompt_state == kPromptFind) shown += " " + find_text;
    else if (prompt_state == kPromptReplace) shown += " " + replace_text;
    else if (prompt_state == kPromptGoToLine) shown += " " + prompt_input;
    GridMoveTo(&grid, std::min(Utf8Columns(shown), grid.cols - 1), StatusRow());
    return;
  }
  const int index = cursor_line - pane_scroll[current_pane];
  const int col = cursor_col - hscroll;
  if (index < 0 || index >= PaneRows(current_pane) || col < 0 || col >= TextWidth(current_pane))
    GridMoveTo(&grid, -1, -1);  // off screen: no caret
  else
    GridMoveTo(&grid, col, PaneTop(current_pane) + index);
}

void ConsoleEditor::ShowMessage(const std::string& text) {
  message = text;
  prompt_state = kPromptMessage;
  DrawStatusLine();
}

void ConsoleEditor::Redraw() {
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::MakeCursorVisible(int line, double center) {
  UpdateLayout();
  ClampCursor();
  const int target = line < 0 ? cursor_line : line;
  const int rows = PaneRows(current_pane);
  int& scroll = pane_scroll[current_pane];
  const int old_scroll = scroll, old_hscroll = hscroll;
  if (rows > 0) {
    if (center >= 0.0 && center <= 1.0) scroll = target - static_cast<int>(rows * center);
    else if (target < scroll) scroll = target;
    else if (target >= scroll + rows) scroll = target - rows + 1;
    scroll = std::max(scroll, 0);
  }
  const int width = TextWidth(current_pane);
  if (cursor_col < hscroll) hscroll = cursor_col;
  else if (cursor_col >= hscroll + width) hscroll = cursor_col - width + 1;
  // Hide no more on the left than the cursor line needs, so a line that
  // fits (after the pane widened, say) shows from column 0.
  hscroll = std::clamp(hscroll, 0, std::max(LineLength(cursor_line) - width + 1, 0));
  if (scroll != old_scroll || hscroll != old_hscroll) DrawTextArea();
  DrawStatusLine();
}
