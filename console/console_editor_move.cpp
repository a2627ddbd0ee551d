// Cursor movement, selection by Shift, word movement and the two panes.
#include <algorithm>

#include "console/console_editor.h"
#include "console/console_text.h"
#include "engine/utf8.h"

namespace {

int CodeAtColumn(const std::string& text, int col) {
  return Utf8ColumnCode(text.data(), text.size(), Utf8OffsetOfColumn(text, col));
}

}  // namespace

void ConsoleEditor::GetSelection(int* c1, int* l1, int* c2, int* l2) const {
  bool anchor_first = selection[1] < selection[3] ||
                      (selection[1] == selection[3] && selection[0] <= selection[2]);
  int a = anchor_first ? 0 : 2, b = anchor_first ? 2 : 0;
  *c1 = selection[a];
  *l1 = selection[a + 1];
  *c2 = selection[b];
  *l2 = selection[b + 1];
}

void ConsoleEditor::StartOrExtendSelection(bool extend, int old_col, int old_line) {
  if (!extend) {
    if (selecting) {
      selecting = 0;
      DrawTextArea();
      DrawHelpLine();
    }
    return;
  }
  if (!selecting) {
    selecting = 1;
    selection[0] = old_col;
    selection[1] = old_line;
    DrawHelpLine();
  }
  selection[2] = cursor_col;
  selection[3] = cursor_line;
  DrawTextArea();
}

void ConsoleEditor::MoveWord(bool right) {
  const int count = static_cast<int>(lines.size());
  if (cursor_line >= count) return;
  const std::string& text = lines[cursor_line];
  const int length = Utf8Columns(text);
  if (right) {
    if (cursor_col >= length) {
      if (cursor_line + 1 < count) {
        ++cursor_line;
        cursor_col = 0;
      }
      return;
    }
    int cls = CharClass(CodeAtColumn(text, cursor_col));
    while (cursor_col < length && CharClass(CodeAtColumn(text, cursor_col)) == cls) ++cursor_col;
  } else {
    if (cursor_col == 0) {
      if (cursor_line > 0) {
        --cursor_line;
        cursor_col = LineLength(cursor_line);
      }
      return;
    }
    int cls = CharClass(CodeAtColumn(text, cursor_col - 1));
    while (cursor_col > 0 && CharClass(CodeAtColumn(text, cursor_col - 1)) == cls) --cursor_col;
  }
}

void ConsoleEditor::HandleMovementKey(int key) {
  const bool ctrl = Down(ConsoleModifier::kControl);
  const bool shift = Down(ConsoleModifier::kShift);
  const int old_col = cursor_col, old_line = cursor_line;
  const int last = std::max(static_cast<int>(lines.size()) - 1, 0);
  const int rows = std::max(PaneRows(current_pane), 1);
  int& scroll = pane_scroll[current_pane];
  const int old_scroll = scroll;
  bool vertical = false;
  switch (key) {
    case kKeyUp:
    case kKeyDown: {
      int delta = key == kKeyUp ? -1 : 1;
      if (ctrl) {
        ScrollPane(current_pane, delta);
        cursor_line = std::clamp(cursor_line, scroll, scroll + rows - 1);
      } else {
        cursor_line += delta;
      }
      vertical = true;
      break;
    }
    case kKeyPageUp:
      if (cursor_line != scroll) {
        cursor_line = scroll;
      } else {
        cursor_line -= rows;
        scroll = std::max(scroll - rows, 0);
      }
      vertical = true;
      break;
    case kKeyPageDown: {
      int bottom = std::min(scroll + rows - 1, last);
      if (cursor_line != bottom) {
        cursor_line = bottom;
      } else {
        cursor_line = std::min(cursor_line + rows, last);
        scroll = std::max(std::min(scroll + rows, last - rows + 1), 0);
      }
      vertical = true;
      break;
    }
    case kKeyRight:
      if (ctrl) MoveWord(true);
      else if (cursor_col < LineLength(cursor_line)) ++cursor_col;
      else if (cursor_line < last) cursor_line++, cursor_col = 0;
      break;
    case kKeyLeft:
      if (ctrl) MoveWord(false);
      else if (cursor_col > 0) --cursor_col;
      else if (cursor_line > 0) --cursor_line, cursor_col = LineLength(cursor_line);
      break;
    case kKeyHome: {
      if (ctrl) {
        cursor_line = 0;
        cursor_col = 0;
        break;
      }
      int first = cursor_line < static_cast<int>(lines.size())
                      ? Utf8Columns(lines[cursor_line].substr(0, LeadingWhitespace(lines[cursor_line])))
                      : 0;
      cursor_col = cursor_col == first ? 0 : first;
      break;
    }
    case kKeyEnd:
      if (ctrl) cursor_line = last;
      cursor_col = LineLength(cursor_line);
      break;
    default: return;
  }
  cursor_line = std::clamp(cursor_line, 0, std::max(last, std::min(old_line, static_cast<int>(lines.size()))));
  if (vertical) {
    if (wanted_col < 0) wanted_col = old_col;
    cursor_col = std::min(wanted_col, LineLength(cursor_line));
  } else {
    wanted_col = -1;
    cursor_col = std::clamp(cursor_col, 0, LineLength(cursor_line));
  }
  StartOrExtendSelection(shift, old_col, old_line);
  if (scroll != old_scroll) DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::ScrollPane(int pane, int delta) {
  const int count = static_cast<int>(lines.size());
  pane_scroll[pane] = std::clamp(pane_scroll[pane] + delta, 0, std::max(count - 1, 0));
  DrawTextArea();
}

int ConsoleEditor::ScrollLimit(int pane) const {
  return std::max(static_cast<int>(lines.size()) - PaneRows(pane) + 4, 0);
}

void ConsoleEditor::KeepViewInText() {
  bool moved = false;
  for (int pane = 0; pane < 2; ++pane) {
    const int limit = ScrollLimit(pane);
    if (pane_scroll[pane] > limit) pane_scroll[pane] = limit, moved = true;
  }
  if (moved) DrawTextArea();
}

void ConsoleEditor::TogglePanes() {
  if (pane_divider > 0.0 && pane_divider < 1.0) {
    pane_scroll[0] = pane_scroll[current_pane];
    pane_divider = 1.0;
    current_pane = 0;
  } else {
    pane_divider = 0.5;
    pane_scroll[1] = pane_scroll[0];
  }
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::SwitchPane() {
  if (!(pane_divider > 0.0 && pane_divider < 1.0)) {
    pane_divider = 0.5;
    pane_scroll[1] = pane_scroll[0];
  }
  current_pane = 1 - current_pane;
  DrawTextArea();
  MakeCursorVisible();
}
