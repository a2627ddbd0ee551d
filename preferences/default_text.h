#pragma once
// The texts written at start: the commented reference of every key, and the
// nearly empty file a user starts from.

// The 27 lines of "preferences-default.txt", each ended by LF.
const char* DefaultPreferencesText();
// The 3 lines written to a missing "preferences.txt", each ended by LF.
const char* UserTemplateText();

constexpr const char* kPreferencesFileName = "preferences.txt";
constexpr const char* kDefaultPreferencesFileName = "preferences-default.txt";
