#pragma once
// UTF-8 names for the Windows halves of the file layer. Only *_win32.cpp
// files use these.
#include <string>

// Converts a UTF-8 name to UTF-16 and applies the long-path prefix. False
// when the name is null or not valid UTF-8 (the caller then takes the
// narrow call with the bytes unchanged).
bool WidePath(const char* utf8_name, std::wstring* out);
