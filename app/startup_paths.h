#pragma once
// The portable decisions of start-up: the path on the command line, the
// program directory, portable mode and where configuration files live; and
// the application-wide settings they resolve once at start-up.
#include <cstddef>
#include <cstdint>
#include <string>

extern std::string command_line;       // the path to open, quotes removed; may be empty
extern std::string program_directory;  // ends with the separator before the exe name
extern std::string config_directory;   // ends with a backslash
extern std::string profile_path;       // config_directory + "orvinale.ini"

constexpr size_t kCommandLineBytes = 4096;  // buffer, NUL included

// The command line as one path: every double quote removed, wherever it
// stands.
std::string CommandLinePath(const char16_t* command_line, size_t length);

// The module file name cut after its last '\' or '/' (the separator stays).
std::string ProgramDirectory(const std::string& module_file_name);

// A directory entry turns portable mode on when it is a folder named exactly
// "portable" (case matters).
constexpr uint32_t kDirectoryAttribute = 0x10;
bool IsPortableMarker(const char* name, uint32_t attributes);

// The configuration directory, always ending in a backslash: the "portable"
// folder beside the program, or "Orvinale" under the roaming folder.
std::string ConfigDirectory(const std::string& program_directory, bool portable,
                            const std::string& roaming_folder);
std::string ProfilePath(const std::string& config_directory);

// The text of the box shown when "preferences.txt" does not parse: the
// parse error, the file, and the default file tried next. When it would be
// longer than kParseErrorBoxBytes, or its quoted remainder longer than
// kParseErrorQuoteBytes, that remainder is cut between whole UTF-8
// characters and ends in "..."; the names and the sentences are never cut,
// even when they alone are longer.
constexpr size_t kParseErrorBoxBytes = 511;
constexpr size_t kParseErrorQuoteBytes = 120;
std::string PreferencesParseErrorText(const std::string& error_text, const std::string& user_file,
                                      const std::string& default_file);
