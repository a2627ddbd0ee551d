// Mouse input: clicks and drags select, the divider can be dragged, a
// double-click opens an http:// link or selects a word, the wheel scrolls.
#include <algorithm>
#include <cctype>

#include "console/console_editor.h"
#include "console/console_text.h"
#include "engine/utf8.h"

namespace {

bool EndsLink(char c) { return c == ' ' || c == '\t' || c == '"' || c == '\'' || c == ')'; }

}  // namespace

bool ConsoleEditor::OpenLinkAt(int col, int line) {
  const std::string& text = lines[line];
  const size_t click = Utf8OffsetOfColumn(text, col);
  for (size_t at = text.find("http://"); at != std::string::npos;
       at = text.find("http://", at + 1)) {
    if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1]))) continue;
    size_t end = at;
    while (end < text.size() && !EndsLink(text[end])) ++end;
    if (click >= at && click < end && end - at > 9) {
      screen->OpenLink(text.substr(at, end - at));
      return true;
    }
  }
  return false;
}

void ConsoleEditor::SelectWordAt(int col, int line) {
  const std::string& text = lines[line];
  auto word_at = [&](int c) {
    return IsWordChar(Utf8ColumnCode(text.data(), text.size(), Utf8OffsetOfColumn(text, c)));
  };
  const int length = Utf8Columns(text);
  if (col >= length || !word_at(col)) return;
  int from = col, to = col;
  while (from > 0 && word_at(from - 1)) --from;
  while (to < length && word_at(to)) ++to;
  selecting = 1;
  selection[0] = from;
  selection[1] = line;
  selection[2] = to;
  selection[3] = line;
  cursor_line = line;
  cursor_col = to;
  wanted_col = -1;
  DrawTextArea();
  DrawHelpLine();
  MakeCursorVisible();
}

void ConsoleEditor::OnMouse(const ConsoleMouse& mouse) {
  if (!screen) return;
  const int col = mouse.x / std::max(screen->cell_width, 1);
  const int row = mouse.y / std::max(screen->cell_height, 1);
  UpdateLayout();
  const int under = PaneAtRow(row);
  const int count = static_cast<int>(lines.size());
  // Text position under the mouse in `pane`, clamped to the text.
  auto position = [&](int pane, int* out_col, int* out_line) {
    int index = std::clamp(row - PaneTop(pane), 0, std::max(PaneRows(pane) - 1, 0));
    *out_line = std::clamp(pane_scroll[pane] + index, 0, std::max(count - 1, 0));
    *out_col = std::clamp(hscroll + col, 0, LineLength(*out_line));
  };
  switch (mouse.kind) {
    case ConsoleMouseKind::kLeftDown: {
      if (row >= 0 && row == DividerRow(screen->layout)) {
        divider_drag = 3;
        screen->CaptureMouse(true);
        return;
      }
      if (under < 0) return;
      current_pane = under;
      const int old_col = cursor_col, old_line = cursor_line;
      position(under, &cursor_col, &cursor_line);
      wanted_col = -1;
      if (screen->IsDown(ConsoleModifier::kShift)) {  // as of this click
        StartOrExtendSelection(true, old_col, old_line);
      } else {
        StartOrExtendSelection(false, 0, 0);
        selection[0] = selection[2] = cursor_col;
        selection[1] = selection[3] = cursor_line;
      }
      mouse_selecting = true;
      screen->CaptureMouse(true);
      MakeCursorVisible();
      return;
    }
    case ConsoleMouseKind::kMove: {
      if (divider_drag == 3) {
        const int text_rows = PaneRows(0) + PaneRows(1) + 1;
        pane_divider = std::clamp((row - top_margin + 0.5) / std::max(text_rows, 1), 0.1, 0.9);
        DrawTextArea();
        MakeCursorVisible();
      } else if (mouse_selecting) {
        ClampCursor();
        int c, l;
        position(current_pane, &c, &l);
        if (c == cursor_col && l == cursor_line) return;
        cursor_col = c;
        cursor_line = l;
        selecting = (c != selection[0] || l != selection[1]) ? 1 : 0;
        selection[2] = c;
        selection[3] = l;
        DrawTextArea();
        MakeCursorVisible();
      }
      return;
    }
    case ConsoleMouseKind::kLeftUp:
    case ConsoleMouseKind::kCaptureLost:
      if (divider_drag || mouse_selecting) screen->CaptureMouse(false);
      divider_drag = 0;
      mouse_selecting = false;
      return;
    case ConsoleMouseKind::kLeftDouble: {
      if (under < 0 || count == 0) return;  // no text under the mouse
      int c, l;
      position(under, &c, &l);
      if (!OpenLinkAt(c, l)) SelectWordAt(c, l);
      return;
    }
    case ConsoleMouseKind::kRightDown: OnRightClick(); return;
    case ConsoleMouseKind::kWheel: {
      const int pane = under >= 0 ? under : current_pane;
      pane_scroll[pane] = std::clamp(pane_scroll[pane] - mouse.wheel_delta / 20, 0, ScrollLimit(pane));
      DrawTextArea();
      DrawStatusLine();
      return;
    }
    default: return;
  }
}
