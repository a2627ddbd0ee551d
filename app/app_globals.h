#pragma once
// Application-wide settings resolved once at start-up.
#include <string>

extern std::string command_line;       // the path to open, quotes removed; may be empty
extern std::string program_directory;  // ends with the separator before the exe name
extern std::string config_directory;   // ends with a backslash
extern std::string profile_path;       // config_directory + "orvinale.ini"
