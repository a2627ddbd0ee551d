// Opening, reloading and saving the editor's file.
#include <cstring>

#include "console/console_editor.h"
#include "console/console_file.h"
#include "documents/utf8_fs.h"

namespace {

std::string TextOfLines(const ConsoleLines& lines, int tab_write_width,
                        int newline_mode) {
  std::string out;
  for (const std::string& line : lines) AppendConsoleLine(line, tab_write_width, newline_mode, &out);
  return out;
}

}  // namespace

bool ConsoleEditor::ReadFile(const std::string& path) {
  ConsoleFileText text;
  if (!ReadConsoleFile(path, indent_size, &text)) return false;
  lines.Assign(std::move(text.lines));
  newline_mode = text.newline_mode;
  tab_write_width = text.tab_write_width;
  indent_size = text.indent_size;
  RememberFileTime();
  return true;
}

bool ConsoleEditor::WriteFile(const std::string& path) {
  if (path.empty()) return false;
  if (!WriteFileSafely(path, TextOfLines(lines, tab_write_width, newline_mode))) return false;
  clean_position = undo_position;
  RememberFileTime();
  return true;
}

void ConsoleEditor::RememberFileTime() {
  FileStatus status;
  file_time = StatUtf8(file_name.c_str(), &status) ? status.modified_time : 0;
}

bool ConsoleEditor::SaveFile() {
  bool ok = WriteFile(file_name);
  DrawStatusLine();
  return ok;
}

bool ConsoleEditor::Open(const std::string& path, const char* initial_text) {
  file_name = path;
  bool ok = ReadFile(path);
  if (!ok && initial_text) {
    const std::string initial(initial_text);
    ok = WriteFileSafely(path, initial) && ReadFile(path);
    if (!ok) {
      // Keep the text the caller wanted even though it is not on disk yet.
      ConsoleLineSplitter splitter;
      splitter.Feed(initial.data(), initial.size());
      splitter.Finish();
      ConsoleFileText text;
      FinishConsoleText(std::move(splitter.lines), splitter.cr_count, indent_size, &text);
      lines.Assign(std::move(text.lines));
    }
  } else if (!ok) {
    lines.clear();
  }
  cursor_line = cursor_col = 0;
  hscroll = 0;
  pane_scroll[0] = pane_scroll[1] = 0;
  selecting = 0;
  wanted_col = -1;
  undo_states.clear();
  undo_position = -1;
  SaveUndoState();
  clean_position = ok || !initial_text ? undo_position : -1;
  return ok;
}

bool ConsoleEditor::Reload(bool clear_undo) {
  if (!ReadFile(file_name)) return false;
  BeginAction();
  if (clear_undo) {
    undo_states.clear();
    undo_position = -1;
  }
  selecting = 0;
  ClampCursor();
  SaveUndoState();
  clean_position = undo_position;
  DrawTextArea();
  MakeCursorVisible();
  return true;
}
