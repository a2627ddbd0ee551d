// Windows half of the folder listing: FindFirstFileW on the converted name
// with the long-path prefix, FindFirstFileA on the UTF-8 bytes when the name
// does not convert or the wide call fails.
#include <windows.h>

#include "documents/directory_listing.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

bool IsDirectory(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Symbolic links, junctions and mount points are name surrogates: another
// name for something elsewhere. Other reparse points (cloud placeholders,
// deduplicated files) are the thing itself and are walked like any folder.
// Wine leaves the tag 0 for the Unix links it reports; 0 counts as a link.
bool IsLink(DWORD attributes, DWORD reparse_tag) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  return reparse_tag == 0 || IsReparseTagNameSurrogate(reparse_tag);
}

template <class FindData>
void Classify(const FindData& found, DirectoryEntry* entry) {
  entry->is_directory = IsDirectory(found.dwFileAttributes);
  entry->is_link = IsLink(found.dwFileAttributes, found.dwReserved0);
}

bool ListWide(const std::string& pattern, const DirectoryVisitor& visit) {
  std::wstring wide;
  if (!WidePath(pattern.c_str(), &wide)) return false;
  WIN32_FIND_DATAW found;
  FindHandle find(FindFirstFileW(wide.c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) return false;
  do {
    DirectoryEntry entry;
    if (!WideToUtf8(found.cFileName, &entry.name)) continue;
    Classify(found, &entry);
    if (!visit(entry)) break;
  } while (FindNextFileW(find.get(), &found));
  return true;
}

bool ListNarrow(const std::string& pattern, const DirectoryVisitor& visit) {
  WIN32_FIND_DATAA found;
  FindHandle find(FindFirstFileA(pattern.c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) return false;
  do {
    DirectoryEntry entry;
    entry.name = found.cFileName;
    Classify(found, &entry);
    if (!visit(entry)) break;
  } while (FindNextFileA(find.get(), &found));
  return true;
}

class Win32DirectoryLister : public DirectoryLister {
 public:
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    std::string pattern = directory + "\\*";
    return ListWide(pattern, visit) || ListNarrow(pattern, visit);
  }
  char Separator() const override { return '\\'; }
};

}  // namespace

DirectoryLister* PlatformDirectoryLister() {
  static Win32DirectoryLister lister;
  return &lister;
}
