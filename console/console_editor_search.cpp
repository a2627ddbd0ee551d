// Matching in the three search modes, find next/previous with wrap-around
// and replace-all.
#include <climits>
#include <cstdio>

#include "console/console_editor.h"
#include "console/console_text.h"
#include "engine/utf8.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsCharStart(const std::string& text, size_t offset) {
  return offset == 0 || !IsUtf8Continuation(static_cast<unsigned char>(text[offset]));
}

}  // namespace

std::string_view ConsoleEditor::SplitToken(std::string_view* rest) {
  size_t start = 0;
  while (start < rest->size() && IsBlank((*rest)[start])) ++start;
  size_t end = start;
  while (end < rest->size() && !IsBlank((*rest)[end])) ++end;
  std::string_view token = rest->substr(start, end - start);
  rest->remove_prefix(end);
  return token;
}

int ConsoleEditor::Match(const std::string& needle, const std::string& line, int start_col,
                         int* match_cols) {
  if (needle.empty() || start_col < 0 || needle.size() > line.size()) return -1;
  const bool match_case = console_search_mode & 1;
  const int kind = (console_search_mode % 6) / 2;
  const size_t start = Utf8OffsetOfColumn(line, start_col);
  *match_cols = Utf8Columns(needle);
  auto matches_at = [&](size_t at) {
    return at + needle.size() <= line.size() && IsCharStart(line, at) &&
           EqualBytes(line.data() + at, needle.data(), needle.size(), match_case);
  };
  if (kind == 2) {
    // Token match: the needle must start where a token starts and end where
    // one ends.
    std::string_view rest(line);
    while (!rest.empty()) {
      std::string_view token = SplitToken(&rest);
      if (token.empty()) break;
      size_t at = static_cast<size_t>(token.data() - line.data());
      size_t end = at + needle.size();
      if (at >= start && matches_at(at) && (end == line.size() || IsBlank(line[end])))
        return Utf8Columns(line.substr(0, at));
    }
    return -1;
  }
  for (size_t at = start; at + needle.size() <= line.size(); ++at) {
    if (!matches_at(at)) continue;
    if (kind == 1) {
      size_t end = at + needle.size();
      bool starts_word = at == 0 || !IsWordChar(static_cast<unsigned char>(line[at - 1]));
      bool ends_word = end == line.size() || !IsWordChar(static_cast<unsigned char>(line[end]));
      if (!starts_word || !ends_word) continue;
    }
    return Utf8Columns(line.substr(0, at));
  }
  return -1;
}

void ConsoleEditor::FindNext(bool backward) {
  const int count = static_cast<int>(lines.size());
  const int start_line = std::min(cursor_line, count - 1);
  bool wrapped = false;
  int found_line = -1, found_col = -1, found_len = 0;
  for (int step = 0; count > 0 && !find_text.empty() && step <= count && found_line < 0; ++step) {
    int raw = backward ? start_line - step : start_line + step;
    if (raw < 0 || raw >= count) wrapped = true;
    int line = ((raw % count) + count) % count;
    // Columns allowed on this line: after (before) the cursor on the first
    // visit, anywhere on the others, the rest of the first line at the end.
    int low = 0, high = INT_MAX;
    if (step == 0) (backward ? high : low) = backward ? cursor_col - 1 : cursor_col + 1;
    if (step == count) (backward ? low : high) = cursor_col;
    int len = 0;
    for (int col = Match(find_text, lines[line], low, &len); col >= 0 && col <= high;
         col = Match(find_text, lines[line], col + 1, &len)) {
      found_line = line;
      found_col = col;
      found_len = len;
      if (!backward) break;
    }
  }
  char buffer[512];
  if (found_line < 0) {
    snprintf(buffer, sizeof buffer, "%s '%s' not found", SearchModeName(console_search_mode),
             find_text.c_str());
    ShowMessage(buffer);
    return;
  }
  selecting = 1;
  selection[0] = found_col;
  selection[1] = found_line;
  selection[2] = found_col + found_len;
  selection[3] = found_line;
  cursor_line = found_line;
  cursor_col = found_col;
  wanted_col = -1;
  DrawTextArea();
  DrawHelpLine();
  MakeCursorVisible();
  snprintf(buffer, sizeof buffer, "Found @ Line %d Col %d %s'%s' (Shift+)F3|Ctrl+G:(prev)next",
           found_line + 1, found_col + 1, wrapped ? "(wrapped) " : "", find_text.c_str());
  ShowMessage(buffer);
}

void ConsoleEditor::ReplaceAll() {
  int instances = 0, changed_lines = 0;
  const int replace_cols = Utf8Columns(replace_text);
  bool begun = false;
  for (size_t index = 0; index < lines.size(); ++index) {
    int from = 0, len = 0, before = instances;
    // Only a line with a match is taken for changing: the others stay
    // shared with the undo history.
    for (int col = Match(find_text, lines[index], from, &len); col >= 0;
         col = Match(find_text, lines[index], from, &len)) {
      if (!begun) {
        BeginAction();
        begun = true;
      }
      std::string& line = lines.Edit(index);
      size_t at = Utf8OffsetOfColumn(line, col);
      size_t end = Utf8OffsetOfColumn(line, col + len);
      line.replace(at, end - at, replace_text);
      from = col + replace_cols;
      ++instances;
    }
    if (instances > before) ++changed_lines;
  }
  if (instances > 0) {
    selecting = 0;
    ClampCursor();
    SaveUndoState();
    DrawTextArea();
    MakeCursorVisible();
  }
  char buffer[128];
  snprintf(buffer, sizeof buffer, "Replaced %d instance%s on %d line%s", instances,
           instances == 1 ? "" : "s", changed_lines, changed_lines == 1 ? "" : "s");
  ShowMessage(buffer);
}
