// The console editor's file format: lines without line ends, tabs expanded
// on reading and leading tabs restored on writing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ConsoleFileText {
  std::vector<std::string> lines;
  int newline_mode = 0;     // 1 when CRs end more than half the lines
  int tab_write_width = 0;  // >= 1 for tab-indented files
  int indent_size = 2;
};

// Splits raw file bytes into lines. Long lines (over 32 MiB) are split, a
// UTF-8 byte-order mark is dropped, trailing CRs and LFs are removed.
class ConsoleLineSplitter {
 public:
  void Feed(const char* data, size_t size);
  void Finish();
  std::vector<std::string> lines;
  int cr_count = 0;

 private:
  void EndLine();
  std::string current_;
  bool pending_ = false;  // current_ holds the start of an unfinished line
};

constexpr size_t kConsoleMaxLineBytes = 32u * 1024 * 1024;

// Finishes a read: newline mode, tab detection and tab expansion. The
// editor's indent size comes in and may be raised for tab-indented text.
void FinishConsoleText(std::vector<std::string> lines, int cr_count, int indent_size,
                       ConsoleFileText* out);

bool ReadConsoleFile(const std::string& path, int indent_size, ConsoleFileText* out);

// `text` with every tab replaced by `indent_size` spaces (1 .. 128), as a
// file's lines are when it is read.
std::string ExpandConsoleTabs(std::string_view text, int indent_size);

// One line as written: leading space groups as tabs, then CR LF or LF.
void AppendConsoleLine(const std::string& line, int tab_write_width, int newline_mode,
                       std::string* out);

// Writes to a temporary file beside `path` and replaces `path` only when
// every byte and the close succeeded; false leaves `path` untouched.
bool WriteFileSafely(const std::string& path, const std::string& bytes);
