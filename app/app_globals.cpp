#include "app/app_globals.h"

std::string command_line;
std::string program_directory;
std::string config_directory;
std::string profile_path;
