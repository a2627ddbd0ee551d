// POSIX half of the file identity: device and inode, and the real name.
// POSIX names keep their case, so the folded name is the name.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "documents/file_identity.h"

namespace {

bool RealName(const std::string& name, std::string* out) {
  char real[PATH_MAX];
  if (realpath(name.c_str(), real) == nullptr) return false;
  *out = real;
  return true;
}

}  // namespace

bool ResolveFileKey(const char* name, FileKey* out) {
  if (name == nullptr || *name == 0) return false;
  std::string full = name;
  if (full[0] != '/') {
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return false;
    full = std::string(folder) + "/" + full;
  }
  *out = FileKey();
  struct stat st;
  if (RealName(full, &out->name) && stat(out->name.c_str(), &st) == 0) {
    out->on_disk = true;
    out->volume = static_cast<uint64_t>(st.st_dev);
    out->id_low = static_cast<uint64_t>(st.st_ino);
  } else {
    size_t slash = full.find_last_of('/');
    std::string folder;
    if (slash > 0 && RealName(full.substr(0, slash), &folder))
      out->name = (folder == "/" ? "" : folder) + full.substr(slash);
    else
      out->name = full;
  }
  out->folded = out->name;
  return true;
}
