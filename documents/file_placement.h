#pragma once
// Putting a completely written file in place of another: the text must
// always be somewhere on disk. The temporary file is removed only when the
// original is back under its own name as it was; when neither can be put
// back, the temporary file stays and holds the text.
#include <string>

#include "documents/utf8_fs.h"

// The renames a save makes, behind an interface so that tests can make each
// of them fail the way the platform may.
class FileMoves {
 public:
  virtual ~FileMoves() = default;
  virtual ReplaceResult Replace(const char* replacement, const char* target,
                                const char* backup) = 0;
  virtual bool Move(const char* from, const char* to) = 0;
};

// Test seam: every placement goes through these moves; null restores the
// platform's. Returns the previous ones.
FileMoves* SetFileMoves(FileMoves* moves);

enum class PlaceResult {
  kPlaced,     // the target holds the new file
  kUnchanged,  // the target is as it was and the replacement is removed
  kStranded,   // neither could be put back: the replacement keeps its name
};

// `before` is the target's status taken before the replacement was
// written, null when the target did not exist. When the file is not
// placed, *error (if given) receives the code of the rename that failed
// (see LastFileError).
PlaceResult PutFileInPlace(const char* replacement, const char* target, const FileStatus* before,
                           int* error = nullptr);

// The name of the n-th temporary file tried for a save of `path`: a short
// name in the same folder, with this process's id in it.
void TemporarySaveName(const char* path, int n, char* out, int out_size);
// The next temporary name for `path` (a counter shared by all saves).
std::string NextTemporarySaveName(const char* path);
