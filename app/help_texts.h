#pragma once
// Texts and decisions of the HELP menu's commands that need no window.
#include <initializer_list>
#include <string>

extern const char kVersionCaption[];  // "Version details"

// The Version box's text for a build made at `timestamp` (the compiler's
// "Mmm dd yyyy hh:mm:ss") from source revision `commit`.
std::string VersionBoxText(const char* timestamp, const char* commit);

// True when a shell execution must take the wide call: one of the strings
// holds a multi-byte UTF-8 sequence or is not valid UTF-8. Null strings are
// allowed and count as plain.
bool ShellNeedsWide(std::initializer_list<const char*> strings);
