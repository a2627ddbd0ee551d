#pragma once
// Strict UTF-8 well-formedness (no overlongs, no surrogates, at most
// U+10FFFF), for text arriving from outside such as the clipboard.
#include <cstddef>

bool IsWellFormedUtf8(const char* bytes, size_t n);
