#pragma once
// The check the Preferences window makes before it saves "preferences.txt":
// the text must parse exactly as the program's start will parse the file.
#include <string>

constexpr char kPreferencesSavedMessage[] = "Parsed and saved successfully";

// Minifies and parses `text` (the bytes that are about to be written) the
// way the start-up load does. True when it parses; otherwise *message is
// "Parse error before: %s\n" quoting the minified text from the reported
// error position (at most 2,048 bytes), or empty when no position is known.
bool CheckPreferencesText(std::string text, std::string* message);
