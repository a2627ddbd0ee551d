#pragma once
// The window-position profile: integer keys in the "orvinale" section of an
// .ini file, read when a window is created and written when it is destroyed.

// The key's value, or `fallback` when the file or key is missing.
int ProfileGetInt(const char* key, int fallback, const char* path);
// Writes key=value; the result is the platform call's (callers ignore it).
bool ProfileSetString(const char* key, const char* value, const char* path);
// ProfileSetString with the value formatted as "%d".
bool ProfileSetInt(const char* key, int value, const char* path);
