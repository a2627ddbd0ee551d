#pragma once
// UTF-8 <-> UTF-16 conversions for the Windows halves of the file layer.
// Only *_win32.cpp files use these.
#include <string>

// Converts a UTF-8 name to UTF-16 and applies the long-path prefix. False
// when the name is null or not valid UTF-8 (the caller then takes the
// narrow call with the bytes unchanged).
bool WidePath(const char* utf8_name, std::wstring* out);
// Plain conversions; false on invalid input.
bool Utf8ToWide(const char* utf8, std::wstring* out);
bool WideToUtf8(const wchar_t* wide, std::string* out);
// For texts that must be shown whatever they hold: bytes that are not valid
// UTF-8 become U+FFFD, so the wide call still gets the rest.
std::wstring WideText(const char* utf8);

// LoadLibraryW on the converted name, LoadLibraryA as the fallback; the
// module handle, or null.
void* LoadLibraryUtf8(const char* utf8_name);
