#include "documents/file_placement.h"

#include <cstdio>
#include <cstring>

namespace {

class PlatformMoves : public FileMoves {
 public:
  ReplaceResult Replace(const char* replacement, const char* target,
                        const char* backup) override {
    return ReplaceFileUtf8(replacement, target, backup);
  }
  bool Move(const char* from, const char* to) override { return MoveFileUtf8(from, to); }
};

FileMoves* current_moves = nullptr;  // null: the platform's

FileMoves* Moves() {
  static PlatformMoves platform;
  return current_moves != nullptr ? current_moves : &platform;
}

// A name beside `path` that nothing has.
std::string UnusedName(const char* path) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    std::string name = NextTemporarySaveName(path);
    FileStatus st;
    if (!StatUtf8(name.c_str(), &st)) return name;
  }
  return std::string();
}

// The target is where and as it was: absent before and now, or the same
// size and modification time.
bool SameAsBefore(const char* target, const FileStatus* before) {
  FileStatus now;
  if (!StatUtf8(target, &now)) return before == nullptr;
  return before != nullptr && now.is_regular && now.size == before->size &&
         now.modified_time == before->modified_time;
}

bool IsReadOnly(const char* path) {
  FileStatus st;
  return StatUtf8(path, &st) && st.is_read_only;
}

// Tries the renames; true when the target holds the new file. Otherwise
// *error is the code of the move that failed, taken before anything else
// is tried.
bool Place(FileMoves* moves, const char* replacement, const char* target, const char* backup,
           bool* stranded, int* error) {
  switch (moves->Replace(replacement, target, backup)) {
    case ReplaceResult::kReplaced:
      RemoveFileUtf8(backup);
      return true;
    case ReplaceResult::kOriginalMoved:
      // The target's name is free: the new file or the original goes back.
      if (moves->Move(replacement, target)) {
        RemoveFileUtf8(backup);
        return true;
      }
      *error = LastFileError();
      *stranded = !moves->Move(backup, target);
      return false;
    case ReplaceResult::kNotReplaced:
      // A missing target, or a file system without the replace: the plain
      // rename, never over a read-only file.
      if (IsReadOnly(target)) {
        *error = AccessDeniedError();
        return false;
      }
      if (moves->Move(replacement, target)) return true;
      *error = LastFileError();
      return false;
  }
  return false;
}

}  // namespace

FileMoves* SetFileMoves(FileMoves* moves) {
  FileMoves* previous = current_moves;
  current_moves = moves;
  return previous;
}

PlaceResult PutFileInPlace(const char* replacement, const char* target, const FileStatus* before,
                           int* error) {
  int ignored = 0;
  if (error == nullptr) error = &ignored;
  std::string backup = UnusedName(target);
  bool stranded = false;
  if (!backup.empty() && Place(Moves(), replacement, target, backup.c_str(), &stranded, error))
    return PlaceResult::kPlaced;
  if (stranded || !SameAsBefore(target, before)) return PlaceResult::kStranded;
  RemoveFileUtf8(replacement);
  return PlaceResult::kUnchanged;
}

void TemporarySaveName(const char* path, int n, char* out, int out_size) {
  const char* name = path;
  for (const char* p = path; *p != 0; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  // Every instance counts from 0: its process id keeps its names (and the
  // backup name it picks, which it does not create at once) off another's.
  std::snprintf(out, static_cast<size_t>(out_size), "%.*s~orvinale-save-%x-%d.tmp",
                static_cast<int>(name - path), path, static_cast<unsigned>(CurrentProcessId()), n);
}

std::string NextTemporarySaveName(const char* path) {
  static int counter = 0;
  std::string buffer(std::strlen(path) + 64, '\0');
  TemporarySaveName(path, counter++, &buffer[0], static_cast<int>(buffer.size()));
  return buffer.c_str();
}
