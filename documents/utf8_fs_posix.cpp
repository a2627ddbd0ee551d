// POSIX halves of the UTF-8 file wrappers: names are bytes here already.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "documents/utf8_fs.h"

FILE* OpenStreamUtf8(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr) return nullptr;
  return std::fopen(path, mode);
}

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

bool ReplaceFileUtf8(const char* replacement_path, const char* target_path) {
  if (replacement_path == nullptr || target_path == nullptr) return false;
  struct stat target;
  if (stat(target_path, &target) == 0) {
    if (!S_ISREG(target.st_mode)) return false;
    // Like a read-only file on Windows: it is not replaced.
    if ((target.st_mode & 0222) == 0) return false;
    if (chmod(replacement_path, target.st_mode & 07777) != 0) return false;
  }
  return std::rename(replacement_path, target_path) == 0;
}

bool RemoveFileUtf8(const char* path) {
  return path != nullptr && unlink(path) == 0;
}
