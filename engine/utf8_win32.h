#pragma once
// UTF-8 at the Win32 boundary: conversions to and from the platform's UTF-16
// and from the ANSI code page. The portable rest is engine/utf8.h.
#include <cstddef>
#include <string>

// Strict: false for a null text or one that is not valid UTF-8 (the caller
// then takes the narrow call with the bytes unchanged).
bool Utf8ToWide(const char* utf8, std::wstring* out);
// For texts that must be shown whatever they hold: bytes that are not valid
// UTF-8 become U+FFFD, so the wide call still gets the rest.
std::wstring WideText(const std::string& utf8);
// UTF-16 to UTF-8, of n units or up to the NUL; false for a null text or
// when the platform refuses.
bool WideToUtf8(const wchar_t* wide, size_t n, std::string* out);
bool WideToUtf8(const wchar_t* wide, std::string* out);
// Text in the ANSI code page (CF_TEXT that is not UTF-8) to UTF-8.
std::string AnsiToUtf8(const char* ansi, size_t n);
