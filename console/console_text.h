// UTF-8 helpers for the console editor. A character starts at every byte
// that is not a continuation byte and runs over the continuation bytes that
// follow, so columns and grid cells always agree, even on broken UTF-8.
#pragma once

#include <cstddef>
#include <string>

// Number of characters in text.
int Utf8Columns(const std::string& text);

// Byte offset of character `column` (clamped to the text's end).
size_t Utf8OffsetOfColumn(const std::string& text, int column);

// Length in bytes of the character starting at text[offset].
size_t Utf8CharLength(const char* text, size_t size, size_t offset);

// Code point of the character at text[offset]; U+FFFD when malformed.
int Utf8Decode(const char* text, size_t size, size_t offset);

// UTF-8 form of code, or an empty string when it cannot be encoded.
std::string Utf8Encode(int code);

// Removes the last character (for prompt editing).
void Utf8PopBack(std::string* text);

// 0 white space, 1 letters/digits/'_', 2 ';', 3 anything else.
int CharClass(int code);

bool IsWordChar(int code);

// Bytes of leading spaces and tabs.
size_t LeadingWhitespace(const std::string& text);

// ASCII case-insensitive byte comparison of n bytes.
bool EqualBytes(const char* a, const char* b, size_t n, bool match_case);
