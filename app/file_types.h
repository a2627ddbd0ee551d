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

// A dialog's result with its last component replaced by the name the user
// typed (some dialogs append an extension of their own); the result itself
// when nothing is known of what was typed.
std::string WithTypedName(const std::string& result, const std::string& typed);
// The name File save as saves under: a name whose last component has an
// extension (any '.') is kept exactly; any other gets ".cpp". A trailing '.'
// counts, so "notes." keeps the user's way of asking for no extension.
std::string SaveNameWithExtension(const std::string& path);
// "<file name> already exists.\nDo you want to replace it?"
std::string ReplaceQuestion(const std::string& path);
