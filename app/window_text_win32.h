#pragma once
// Window texts are UTF-8 inside the program.
#include <windows.h>

#include <string>

// Sets the window text through the wide call; bytes that are not valid
// UTF-8 go to the narrow call unchanged.
void SetWindowTextUtf8(HWND hwnd, const std::string& text);
