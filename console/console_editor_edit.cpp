// Changes to the text: typing, line breaks, deletion, indentation and the
// clipboard. Every change is bracketed by BeginAction and SaveUndoState.
#include <algorithm>

#include "console/console_editor.h"
#include "console/console_file.h"
#include "console/console_text.h"
#include "engine/clipboard.h"
#include "engine/utf8.h"

namespace {

bool OnlySpaces(const std::string& text, size_t end) {
  return text.find_first_not_of(' ') >= end;
}

bool OnlyWhitespace(const std::string& text) { return LeadingWhitespace(text) == text.size(); }

// Splits pasted text at CR LF, LF and lone CR; tabs become `indent` spaces,
// as they do when a file is read.
std::vector<std::string> SplitPastedText(const std::string& text, int indent) {
  std::vector<std::string> pieces;
  const std::string_view all(text);
  size_t start = 0;
  for (size_t end = 0; end <= all.size(); ++end) {
    if (end < all.size() && all[end] != '\r' && all[end] != '\n') continue;
    pieces.push_back(ExpandConsoleTabs(all.substr(start, end - start), indent));
    if (all.compare(end, 2, "\r\n") == 0) ++end;
    start = end + 1;
  }
  return pieces;
}

}  // namespace

void ConsoleEditor::TypeCharacter(int code) {
  BeginAction();
  bool full_redraw = DeleteSelection();
  EnsureLine(cursor_line);
  std::string insert;
  int count = 1;
  if (code == kKeyTab) {
    int step = std::clamp(indent_size, 1, 64);
    count = step - cursor_col % step;
    insert.assign(static_cast<size_t>(count), ' ');
  } else {
    insert = EncodeUtf8(code);
    if (insert.empty()) insert = "_";
  }
  std::string& line = lines.Edit(cursor_line);
  size_t at = Utf8OffsetOfColumn(line, cursor_col);
  if (console_overwrite) {
    size_t end = Utf8OffsetOfColumn(line, cursor_col + count);
    line.erase(at, end - at);
  }
  line.insert(at, insert);
  cursor_col += count;
  wanted_col = -1;
  SaveUndoState();
  if (full_redraw) DrawTextArea();
  else if (!OnLineChanged(line, static_cast<int>(at), static_cast<int>(insert.size())))
    DrawTextArea(cursor_line);
  MakeCursorVisible();
}

void ConsoleEditor::InsertNewline() {
  BeginAction();
  DeleteSelection();
  EnsureLine(cursor_line);
  const std::string indent = lines[cursor_line].substr(0, LeadingWhitespace(lines[cursor_line]));
  if (console_overwrite) {
    if (cursor_line + 1 >= static_cast<int>(lines.size())) lines.Insert(lines.size(), indent);
    ++cursor_line;
    cursor_col = Utf8Columns(lines[cursor_line].substr(0, LeadingWhitespace(lines[cursor_line])));
  } else {
    std::string& line = lines.Edit(cursor_line);
    size_t split = Down(ConsoleModifier::kControl) ? line.size()
                                                   : Utf8OffsetOfColumn(line, cursor_col);
    std::string rest = line.substr(split);
    rest.erase(0, LeadingWhitespace(rest));
    line.erase(split);
    lines.Insert(cursor_line + 1, indent + rest);
    ++cursor_line;
    cursor_col = Utf8Columns(indent);
    hscroll = 0;
  }
  wanted_col = -1;
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::Backspace() {
  BeginAction();
  if (DeleteSelection()) {
    // The selection was the whole change.
  } else if (cursor_line >= static_cast<int>(lines.size())) {
    if (cursor_line == 0) return;
    cursor_line = static_cast<int>(lines.size()) - 1;
    cursor_col = LineLength(cursor_line);
    MakeCursorVisible();
    return;
  } else if (cursor_col == 0) {
    if (cursor_line == 0) return;
    std::string current = lines[cursor_line];
    lines.Erase(cursor_line, cursor_line + 1);
    --cursor_line;
    cursor_col = LineLength(cursor_line);
    if (!OnlyWhitespace(current)) lines.Edit(cursor_line) += current;
  } else {
    std::string& line = lines.Edit(cursor_line);
    size_t at = Utf8OffsetOfColumn(line, cursor_col);
    int step = std::max(indent_size, 1);
    int count = (cursor_col % step == 0 && OnlySpaces(line, at)) ? step : 1;
    size_t from = Utf8OffsetOfColumn(line, cursor_col - count);
    line.erase(from, at - from);
    cursor_col -= count;
  }
  wanted_col = -1;
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::DeleteForward() {
  const bool keep = Down(ConsoleModifier::kShift) || Down(ConsoleModifier::kAlt);
  BeginAction();
  if (selecting && !keep) {
    DeleteSelection();
  } else {
    selecting = 0;
    if (cursor_line >= static_cast<int>(lines.size())) {
      DrawTextArea();
      return;
    }
    if (cursor_col < LineLength(cursor_line)) {
      std::string& line = lines.Edit(cursor_line);
      size_t at = Utf8OffsetOfColumn(line, cursor_col);
      line.erase(at, Utf8ColumnBytes(line.data(), line.size(), at));
    } else if (cursor_line + 1 < static_cast<int>(lines.size())) {
      std::string next = lines[cursor_line + 1];
      size_t ws = LeadingWhitespace(next);
      if (ws > 1) next.erase(0, ws - 1);
      lines.Edit(cursor_line) += next;
      lines.Erase(cursor_line + 1, cursor_line + 2);
    } else {
      DrawTextArea();
      return;
    }
  }
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::IndentSelection(bool unindent) {
  int c1, l1, c2, l2;
  GetSelection(&c1, &l1, &c2, &l2);
  if (l2 > l1 && c2 == 0) --l2;
  l2 = std::min(l2, static_cast<int>(lines.size()) - 1);
  if (l1 > l2) return;
  BeginAction();
  const int step = std::clamp(indent_size, 1, 64);
  for (int l = l1; l <= l2; ++l) {
    std::string& line = lines.Edit(l);
    int delta = step;
    if (unindent) {
      size_t spaces = std::min(line.find_first_not_of(' '), line.size());
      size_t removed = std::min(spaces, static_cast<size_t>(step));
      line.erase(0, removed);
      delta = -static_cast<int>(removed);
    } else {
      line.insert(0, static_cast<size_t>(step), ' ');
    }
    // Ends at column 0 stay there, so whole selected lines stay selected.
    for (int end = 0; end < 2; ++end)
      if (selection[end * 2 + 1] == l && selection[end * 2] > 0)
        selection[end * 2] = std::clamp(selection[end * 2] + delta, 0, LineLength(l));
    if (cursor_line == l) cursor_col = std::clamp(cursor_col + delta, 0, LineLength(l));
  }
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::UnindentAtCursor() {
  if (cursor_col == 0) return;  // also on the line after the text, which has no other column
  const int step = std::clamp(indent_size, 1, 64);
  const int stop = ((cursor_col - 1) / step) * step;
  const std::string& text = lines[cursor_line];
  int col = cursor_col;
  while (col > stop && text[Utf8OffsetOfColumn(text, col - 1)] == ' ') --col;
  if (col == cursor_col) return;
  BeginAction();
  std::string& line = lines.Edit(cursor_line);
  size_t from = Utf8OffsetOfColumn(line, col);
  line.erase(from, Utf8OffsetOfColumn(line, cursor_col) - from);
  cursor_col = col;
  SaveUndoState();
  DrawTextArea(cursor_line);
  MakeCursorVisible();
}

bool ConsoleEditor::DeleteSelection() {
  if (!selecting) return false;
  selecting = 0;
  int c1, l1, c2, l2;
  GetSelection(&c1, &l1, &c2, &l2);
  const int count = static_cast<int>(lines.size());
  if (l2 >= count) {
    l2 = count - 1;
    c2 = LineLength(l2);
  }
  if (l1 > l2) return true;  // only the line after the text: nothing to delete
  std::string tail = lines[l2].substr(Utf8OffsetOfColumn(lines[l2], c2));
  std::string& first = lines.Edit(l1);
  first.erase(Utf8OffsetOfColumn(first, c1));
  first += tail;
  lines.Erase(l1 + 1, l2 + 1);
  cursor_line = l1;
  cursor_col = c1;
  wanted_col = -1;
  return true;
}

std::string ConsoleEditor::SelectedText(bool crlf) const {
  int c1, l1, c2, l2;
  GetSelection(&c1, &l1, &c2, &l2);
  std::string out;
  const int count = static_cast<int>(lines.size());
  for (int l = l1; l <= l2 && l < count; ++l) {
    const std::string& line = lines[l];
    size_t from = l == l1 ? Utf8OffsetOfColumn(line, c1) : 0;
    size_t to = l == l2 ? Utf8OffsetOfColumn(line, c2) : line.size();
    if (to > from) out.append(line, from, to - from);
    if (l < l2) out += crlf ? "\r\n" : "\n";
  }
  return out;
}

void ConsoleEditor::InsertTextAt(int* col, int* line, const std::string& text) {
  std::vector<std::string> pieces = SplitPastedText(text, indent_size);
  EnsureLine(*line);
  std::string& first = lines.Edit(*line);
  size_t at = Utf8OffsetOfColumn(first, *col);
  std::string tail = first.substr(at);
  first.erase(at);
  first += pieces[0];
  const int added = static_cast<int>(pieces.size()) - 1;
  pieces.erase(pieces.begin());
  // One insertion for all the new lines: the lines below move once.
  lines.Insert(*line + 1, std::move(pieces));
  *line += added;
  *col = Utf8Columns(lines[*line]);
  lines.Edit(*line) += tail;
}

void ConsoleEditor::InsertText(const std::string& text) {
  InsertTextAt(&cursor_col, &cursor_line, text);
  wanted_col = -1;
}

void ConsoleEditor::CopySelection(bool cut) {
  if (!selecting) {
    ShowMessage("No selection");
    return;
  }
  std::string text = SelectedText(true);
  if (!clipboard || !clipboard->SetText(text)) {
    // Never delete text that did not reach the clipboard.
    ShowMessage("Clipboard unavailable");
    return;
  }
  char buffer[64];
  snprintf(buffer, sizeof buffer, cut ? "Cut %d bytes" : "Copied %d bytes",
           static_cast<int>(text.size()));
  if (cut) {
    BeginAction();
    DeleteSelection();
    SaveUndoState();
    DrawTextArea();
    MakeCursorVisible();
  }
  ShowMessage(buffer);
}

void ConsoleEditor::Paste() {
  std::string text;
  if (!clipboard || !clipboard->GetText(&text) || text.empty()) {
    ShowMessage("Clipboard empty");
    return;
  }
  BeginAction();
  DeleteSelection();
  InsertText(text);
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
  ShowMessage("Pasted");
}

void ConsoleEditor::Duplicate() {
  if (selecting) {
    int c1, l1, c2, l2;
    GetSelection(&c1, &l1, &c2, &l2);
    if (l2 >= static_cast<int>(lines.size())) return;
    BeginAction();
    std::string text = SelectedText(false);
    InsertTextAt(&c2, &l2, text);
    SaveUndoState();
    ClampCursor();
    DrawTextArea();
    MakeCursorVisible();
    ShowMessage("Duplicated selection");
    return;
  }
  if (cursor_line >= static_cast<int>(lines.size())) return;
  BeginAction();
  lines.Insert(cursor_line + 1, lines[cursor_line]);
  SaveUndoState();
  DrawTextArea();
  MakeCursorVisible();
  ShowMessage("Duplicated line");
}

void ConsoleEditor::SelectAll() {
  if (lines.empty()) return;
  int last = static_cast<int>(lines.size()) - 1;
  selecting = 1;
  selection[0] = 0;
  selection[1] = 0;
  selection[2] = LineLength(last);
  selection[3] = last;
  cursor_line = last;
  cursor_col = selection[2];
  DrawTextArea();
  DrawHelpLine();
  MakeCursorVisible();
}
