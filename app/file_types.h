#pragma once
// The file types the Open file and File save as dialogs offer, and the
// small rules around them.
#include <cstddef>
#include <string>

struct FileType {
  const char* label;
  const char* patterns;  // ';'-separated
};

constexpr int kFileTypeCount = 7;
extern const FileType kFileTypes[kFileTypeCount];
extern const char kDefaultExtension[];  // "cpp"

// The table as one list of alternating labels and patterns, each ending in
// NUL, with one more NUL at the end (the older dialogs' filter).
std::string FileTypeFilter();

// Open file preselects the first type whose patterns mention "cpp" (any case).
int OpenDialogTypeIndex();
// File save as preselects a type only when the extension after the last '.'
// of its patterns is "cpp" (any case); -1 when none is.
int SaveDialogTypeIndex();

// The text cut to at most max_bytes without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, size_t max_bytes);
