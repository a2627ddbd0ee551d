#pragma once
// The three modal path dialogs: Open file, File save as and Open folder.
// The shell's common item dialog when it can be created, the older common
// dialogs otherwise. Paths are UTF-8.
#include <windows.h>

#include <string>

constexpr size_t kOpenResultBytes = 4095;    // longest path Open file returns
constexpr size_t kSaveResultBytes = 2047;    // File save as
constexpr size_t kFolderResultBytes = 2047;  // Open folder

// False when cancelled. The current directory is restored afterwards when
// preserve_directory is set.
bool ChooseFileForOpen(HWND owner, bool preserve_directory, std::string* path);
// False when cancelled. The current directory is always restored.
bool ChooseFileForSave(HWND owner, std::string* path);
bool ChooseFolder(HWND owner, bool preserve_directory, std::string* path);
