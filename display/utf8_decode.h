// Reading code points out of UTF-8 text for drawing.
#pragma once

#include <cstddef>

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at text[*at] and advances *at past it. A byte that
// does not start a well-formed sequence (overlong, surrogate, above U+10FFFF,
// cut short) gives U+FFFD and is skipped alone. Requires *at < length.
char32_t NextCodePoint(const char* text, size_t length, size_t* at);
