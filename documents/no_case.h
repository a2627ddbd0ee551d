#pragma once
// Comparisons of UTF-8 texts that ignore the case of ASCII letters only, in
// the byte order of the C runtime's _stricmp (both sides lower-cased), so a
// sorted list reads the same natively and on Windows.
#include <cstddef>
#include <string>

// <0, 0 or >0 like _stricmp: bytes compared as unsigned after lower-casing
// 'A'..'Z'.
int CompareNoCase(const char* a, const char* b);
// The first n bytes of a and b are equal without regard to case (both must
// hold at least n bytes).
bool EqualNoCase(const char* a, const char* b, size_t n);
bool EqualNoCase(const std::string& a, const std::string& b);
// The path order of a folder root's file list.
bool PathLessNoCase(const std::string& a, const std::string& b);
