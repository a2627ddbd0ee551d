#include "console/console_file.h"

#include <algorithm>
#include <cstdio>

#include "documents/file_placement.h"
#include "documents/utf8_fs.h"

void ConsoleLineSplitter::Feed(const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      EndLine();
      continue;
    }
    current_ += data[i];
    pending_ = true;
    if (current_.size() >= kConsoleMaxLineBytes) EndLine();
  }
}

void ConsoleLineSplitter::Finish() {
  if (pending_) EndLine();
}

void ConsoleLineSplitter::EndLine() {
  while (!current_.empty() && (current_.back() == '\r' || current_.back() == '\n')) {
    if (current_.back() == '\r') ++cr_count;
    current_.pop_back();
  }
  if (lines.empty() && current_.compare(0, 3, "\xEF\xBB\xBF") == 0) current_.erase(0, 3);
  lines.push_back(std::move(current_));
  current_.clear();
  pending_ = false;
}

namespace {

// Widest leading space run, or -1 when the text is not tab-indented.
int TabIndentWidestRun(const std::vector<std::string>& lines) {
  bool any_tab = false;
  int widest = 0;
  for (const std::string& line : lines) {
    int run = 0;
    bool seen_space = false;
    for (char c : line) {
      if (c == ' ') {
        seen_space = true;
        widest = std::max(widest, ++run);
        if (run >= 8) return -1;
      } else if (c == '\t') {
        if (seen_space) return -1;
        any_tab = true;
        run = 0;
      } else {
        break;
      }
    }
  }
  return any_tab ? widest : -1;
}

}  // namespace

void FinishConsoleText(std::vector<std::string> lines, int cr_count, int indent_size,
                       ConsoleFileText* out) {
  out->newline_mode = cr_count * 2 > static_cast<int>(lines.size()) ? 1 : 0;
  out->indent_size = std::clamp(indent_size, 1, 128);
  out->tab_write_width = 0;
  int widest = TabIndentWidestRun(lines);
  if (widest >= 0) {
    // Wider than every space run, so those runs are written back as spaces.
    out->indent_size = std::max(out->indent_size, widest + 1);
    out->tab_write_width = out->indent_size;
  }
  for (std::string& line : lines)
    if (line.find('\t') != std::string::npos) line = ExpandConsoleTabs(line, out->indent_size);
  out->lines = std::move(lines);
}

std::string ExpandConsoleTabs(std::string_view text, int indent_size) {
  const size_t width = static_cast<size_t>(std::clamp(indent_size, 1, 128));
  std::string expanded;
  expanded.reserve(text.size());
  for (size_t tab; (tab = text.find('\t')) != std::string_view::npos; text.remove_prefix(tab + 1))
    expanded.append(text.substr(0, tab)).append(width, ' ');
  return expanded.append(text);
}

bool ReadConsoleFile(const std::string& path, int indent_size, ConsoleFileText* out) {
  FILE* f = OpenStreamUtf8(path.c_str(), "rb");
  if (!f) return false;
  ConsoleLineSplitter splitter;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) splitter.Feed(buffer, n);
  bool failed = ferror(f) != 0;
  fclose(f);
  if (failed) return false;
  splitter.Finish();
  FinishConsoleText(std::move(splitter.lines), splitter.cr_count, indent_size, out);
  return true;
}

void AppendConsoleLine(const std::string& line, int tab_write_width, int newline_mode,
                       std::string* out) {
  size_t pos = 0;
  if (tab_write_width >= 1) {
    size_t width = static_cast<size_t>(tab_write_width);
    while (pos + width <= line.size() &&
           line.find_first_not_of(' ', pos) >= pos + width) {
      *out += '\t';
      pos += width;
    }
  }
  out->append(line, pos, std::string::npos);
  if (newline_mode == 1) *out += '\r';
  *out += '\n';
}

bool WriteFileSafely(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".orvsave.tmp";
  FILE* f = OpenStreamUtf8(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = fflush(f) == 0 && ok;
  ok = fclose(f) == 0 && ok;
  if (!ok) {
    RemoveFileUtf8(temp.c_str());
    return false;
  }
  FileStatus before;
  bool existed = StatUtf8(path.c_str(), &before);
  // When the original cannot be put back the temporary file keeps the text.
  return PutFileInPlace(temp.c_str(), path.c_str(), existed ? &before : nullptr) ==
         PlaceResult::kPlaced;
}
