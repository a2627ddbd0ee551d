#include "tests/e2e/search_support.h"

#include <cstdlib>
#include <sstream>

#include "tests/e2e/harness.h"

namespace e2e {

namespace {

int ShellValue(const std::string& text, const std::string& key) {
  size_t at = text.find(key + "=");
  if (at == std::string::npos) return -99999;
  return std::atoi(text.c_str() + at + key.size() + 1);
}

}  // namespace

std::string WindowTitle(unsigned long window) {
  std::string name = Capture("xdotool getwindowname " + std::to_string(window) + " 2>/dev/null");
  if (!name.empty() && name.back() == '\n') name.pop_back();
  return name;
}

bool WaitTitle(unsigned long window, const std::string& title, double timeout_s) {
  return WaitUntil([&] { return WindowTitle(window) == title; }, timeout_s);
}

std::pair<int, int> WindowPosition(unsigned long window) {
  std::string out =
      Capture("xdotool getwindowgeometry --shell " + std::to_string(window) + " 2>/dev/null");
  return {ShellValue(out, "X"), ShellValue(out, "Y")};
}

void MoveWindowTo(unsigned long window, int x, int y) {
  Capture("xdotool windowmove " + std::to_string(window) + " " + std::to_string(x) + " " +
          std::to_string(y) + " 2>/dev/null");
}

int IniValue(const std::string& ini, const std::string& key, int fallback) {
  std::istringstream lines(ini);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(key + "=", 0) == 0) return std::atoi(line.c_str() + key.size() + 1);
  }
  return fallback;
}

int CountWindows(const std::string& title) {
  std::string out = Capture("xdotool search --onlyvisible --name " +
                            ShellQuote("^" + title + "$") + " 2>/dev/null");
  int n = 0;
  for (char c : out) n += c == '\n';
  return n;
}

}  // namespace e2e
