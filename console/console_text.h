// Character classes and byte comparisons of the console editor. Its
// characters are UTF-8 columns (engine/utf8.h).
#pragma once

#include <cstddef>
#include <string>

// 0 white space, 1 letters/digits/'_', 2 ';', 3 anything else.
int CharClass(int code);

bool IsWordChar(int code);

// Bytes of leading spaces and tabs.
size_t LeadingWhitespace(const std::string& text);

// ASCII case-insensitive byte comparison of n bytes.
bool EqualBytes(const char* a, const char* b, size_t n, bool match_case);
