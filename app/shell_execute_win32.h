#pragma once
// ShellExecute with UTF-8 strings.
#include <windows.h>

// Takes ShellExecuteW when a string needs it (multi-byte or invalid UTF-8),
// otherwise ShellExecuteA with the strings unchanged. Null strings stay null.
// The shell's result is returned (callers here ignore it).
HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory, int show);
