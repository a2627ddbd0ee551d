#pragma once
// Start-up and shut-down of the program: everything between the entry point
// and the message loop, and back.
#include <windows.h>

// Registers the private "#32770" copy, the seven "_superhost" dialog classes,
// the two pane classes and the console window class.
void RegisterWindowClasses(HINSTANCE instance);

// Fills program_directory, config_directory and profile_path. False (after
// its message box) when the roaming folder cannot be found.
bool ResolveConfiguration();

// Writes the default preference files and loads "preferences.txt", falling
// back to "preferences-default.txt" after the parse-error box. False when
// neither loads.
bool LoadPreferencesAtStart();

// The whole program after the command line: the process exit code.
int RunOrvinale(HINSTANCE instance, const wchar_t* wide_command_line);
