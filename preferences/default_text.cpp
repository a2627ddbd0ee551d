#include "preferences/default_text.h"

#include <string>

#include "orv_version.h"

namespace {

const char* const kDefaultLines[] = {
    "//",
    "// Welcome to Orvinale x64 Text Editor, Version " ORV_VERSION,
    "//",
    "// Orvinale preferences",
    "// Your changes will take effect the next time you relaunch Orvinale",
    "//",
    "",
    "{",
    "  // Focus side on startup.",
    "  \"curses_right_focus\": true,",
    "",
    "  // Always spaces.",
    "  \"tab_size\": 2,",
    "",
    "  // Preferred end-of-line for new file.",
    "  // 0: LF, 1: CRLF, 2: CR.",
    "  \"end_of_line\": 1,",
    "",
    "  // Ruler for maximum character column.",
    "  \"ruler\": 120,",
    "",
    "  // Ancient wisdom.",
    "  \"ancient_wisdom\": false,",
    "",
    "  // File dialog.",
    "  \"preserve_directory\": true",
    "}",
};

const char* const kTemplateLines[] = {
    "{",
    "  // Add your personal preferences here.",
    "}",
};

template <size_t N>
std::string JoinLines(const char* const (&lines)[N]) {
  std::string text;
  for (const char* line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace

const char* DefaultPreferencesText() {
  static const std::string text = JoinLines(kDefaultLines);
  return text.c_str();
}

const char* UserTemplateText() {
  static const std::string text = JoinLines(kTemplateLines);
  return text.c_str();
}
