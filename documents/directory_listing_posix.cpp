// POSIX half of the folder listing: opendir and readdir.
#include <dirent.h>
#include <sys/stat.h>

#include "documents/directory_listing.h"

namespace {

// What the entry is; for a link, what it points to.
void Classify(const std::string& directory, const dirent* entry, DirectoryEntry* e) {
  std::string full = directory + "/" + entry->d_name;
  struct stat st;
#ifdef DT_DIR
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) {
    e->is_directory = entry->d_type == DT_DIR;
    return;
  }
#endif
  if (lstat(full.c_str(), &st) != 0) return;
  e->is_link = S_ISLNK(st.st_mode);
  if (e->is_link && stat(full.c_str(), &st) != 0) return;  // a dangling link
  e->is_directory = S_ISDIR(st.st_mode);
}

class PosixDirectoryLister : public DirectoryLister {
 public:
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    DIR* dir = opendir(directory.empty() ? "/" : directory.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir)) {
      DirectoryEntry e;
      e.name = entry->d_name;
      Classify(directory, entry, &e);
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
