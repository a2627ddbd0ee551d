// POSIX halves of the UTF-8 file wrappers: names are bytes here already.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "documents/utf8_fs.h"

FILE* OpenStreamUtf8(const char* path, const char* mode) { return std::fopen(path, mode); }

bool StatUtf8(const char* path, FileStatus* out) {
  struct stat st;
  if (path == nullptr || out == nullptr || stat(path, &st) != 0) return false;
  out->is_directory = S_ISDIR(st.st_mode);
  out->is_regular = S_ISREG(st.st_mode);
  out->size = out->is_directory ? 0 : static_cast<int64_t>(st.st_size);
  out->modified_time = static_cast<int64_t>(st.st_mtime);
  out->is_read_only = (st.st_mode & 0222) == 0;
  return true;
}

bool SetCurrentDirectoryUtf8(const char* path) {
  return path != nullptr && chdir(path) == 0;
}

bool CreateDirectoryUtf8(const char* path) {
  return path != nullptr && mkdir(path, 0777) == 0;
}

// A rename is atomic here: the target is replaced or left as it was, and
// no backup name is needed.
ReplaceResult ReplaceFileUtf8(const char* replacement_path, const char* target_path,
                              const char* /*backup_path*/) {
  if (replacement_path == nullptr || target_path == nullptr) return ReplaceResult::kNotReplaced;
  struct stat target;
  if (stat(target_path, &target) == 0) {
    // Like a read-only file on Windows: it is not replaced.
    if (!S_ISREG(target.st_mode) || (target.st_mode & 0222) == 0)
      return ReplaceResult::kNotReplaced;
    if (chmod(replacement_path, target.st_mode & 07777) != 0) return ReplaceResult::kNotReplaced;
  }
  return std::rename(replacement_path, target_path) == 0 ? ReplaceResult::kReplaced
                                                          : ReplaceResult::kNotReplaced;
}

bool MoveFileUtf8(const char* from, const char* to) {
  return from != nullptr && to != nullptr && std::rename(from, to) == 0;
}

bool FinalPathUtf8(const char* path, std::string* out) {
  char* resolved = realpath(path, nullptr);  // null for a null path too
  if (resolved == nullptr) return false;
  *out = resolved;
  std::free(resolved);
  return true;
}

bool RemoveFileUtf8(const char* path) {
  return path != nullptr && unlink(path) == 0;
}

uint32_t CurrentProcessId() { return static_cast<uint32_t>(getpid()); }

int LastFileError() { return errno; }
int AccessDeniedError() { return EACCES; }
int NotAFileError() { return EISDIR; }
std::string FileErrorText(int code) { return code == 0 ? std::string() : std::strerror(code); }

LoadRefusal RefusalForOpenError(int code) {
  switch (code) {
    case ENOENT: case ENOTDIR: case ENAMETOOLONG: return LoadRefusal::kNotFound;
    case EACCES: case EPERM: return LoadRefusal::kAccessDenied;
    case EBUSY: case ETXTBSY: return LoadRefusal::kInUse;
    case EISDIR: return LoadRefusal::kFolder;
    default: return LoadRefusal::kUnreadable;
  }
}
