#pragma once
// Writing and reading the two preference files in the configuration
// directory (which ends with a path separator).
#include <string>

struct Preferences;

// Rewrites "preferences-default.txt" and creates "preferences.txt" from the
// user template when no file of that name exists. An existing file is never
// overwritten, even one that cannot be read. Failures are silent.
void WriteDefaultFiles(const std::string& config_directory);

// Reads and parses "preferences.txt" (or "preferences-default.txt") into
// p->tree; see ParsePreferencesText. A file that cannot be read parses as
// empty text and fails.
bool LoadPreferences(Preferences* p, const std::string& config_directory,
                     bool use_default_file);
