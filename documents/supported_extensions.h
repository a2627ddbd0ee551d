#pragma once
// The file extensions folder scanning keeps, as one text that is split into
// tokens when a scan starts.
#include <string>
#include <vector>

// ".cpp .cc .cxx .hxx .hpp .hh .c .h .asm .s .S .bat .cmd .txt", for the
// whole run.
const char* SupportedExtensions();

// Splits at spaces and tabs. A token that starts with a double, single or
// back quote runs to the same quote (or the end of the text) and may hold
// spaces; the quotes are not part of it. An unquoted token starting with '#'
// or ';' ends the list.
std::vector<std::string> TokenizeExtensions(const char* text);

// True when the path's extension (from the last '.' behind the last '\' or
// '/') equals one of the tokens without regard to case. A path without an
// extension matches no token, not even an empty one.
bool HasListedExtension(const std::vector<std::string>& tokens, const char* path);
