// POSIX half of the folder listing: opendir and readdir.
#include <dirent.h>
#include <sys/stat.h>

#include "documents/directory_listing.h"

namespace {

bool IsDirectoryEntry(const std::string& directory, const dirent* entry) {
  // A link to a folder is not followed: a link to one of its own parents
  // would never end the walk.
#ifdef DT_DIR
  if (entry->d_type != DT_UNKNOWN) return entry->d_type == DT_DIR;
#endif
  struct stat st;
  std::string full = directory + "/" + entry->d_name;
  return lstat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class PosixDirectoryLister : public DirectoryLister {
 public:
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    DIR* dir = opendir(directory.empty() ? "/" : directory.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir)) {
      DirectoryEntry e;
      e.name = entry->d_name;
      e.is_directory = IsDirectoryEntry(directory, entry);
      if (!visit(e)) break;
    }
    closedir(dir);
    return true;
  }
  char Separator() const override { return '/'; }
};

}  // namespace

DirectoryLister* PlatformDirectoryLister() {
  static PosixDirectoryLister lister;
  return &lister;
}
