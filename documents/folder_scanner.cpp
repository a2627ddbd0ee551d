#include "documents/folder_scanner.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

#include "documents/no_case.h"
#include "documents/supported_extensions.h"

namespace {

using Lock = std::unique_lock<std::mutex>;

void Append(FolderScanner* s, std::string path) {
  Lock lock(s->scan_lock);
  s->files.push_back(std::move(path));
}

// One trailing separator goes, so "C:\src\" lists as "C:\src".
std::string WithoutTrailingSeparator(const std::string& directory) {
  if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/'))
    return directory.substr(0, directory.size() - 1);
  return directory;
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// Depth first: a subfolder is walked completely before the listing of its
// parent goes on. Folders reached through links are left out.
void Walk(FolderScanner* s, const std::string& directory) {
  const std::string dir = WithoutTrailingSeparator(directory);
  const char separator = s->lister->Separator();
  s->lister->List(dir, [&](const DirectoryEntry& entry) {
    if (s->closing) return false;
    std::string full = dir + separator + entry.name;
    if (!entry.is_directory) {
      if (HasListedExtension(s->extension_list, full.c_str())) Append(s, std::move(full));
    } else if (!entry.is_link && !IsDotEntry(entry.name)) {
      Walk(s, full);
    }
    return true;
  });
}

// The sort runs on a copy, outside the lock, so readers keep seeing the
// unsorted list meanwhile; the sorted one then takes its place at once.
void PublishSorted(FolderScanner* s) {
  std::vector<std::string> sorted = FilesSnapshot(s);
  std::sort(sorted.begin(), sorted.end(), PathLessNoCase);
  Lock lock(s->scan_lock);
  s->files.swap(sorted);
}

// Takes a pending request; "" when there is none. A request for "" is taken
// too, or the thread's wait would wake for it again at once.
std::string TakeRequest(FolderScanner* s) {
  Lock lock(s->scan_lock);
  if (!s->scan_requested) return std::string();
  s->scan_requested = false;
  return s->scan_path;
}

void ScanLoop(FolderScanner* s) {
  while (!s->stop_thread) {
    std::string path = TakeRequest(s);
    if (!path.empty()) {
      ScanFolder(s, path, true);
      s->scan_done = true;
      if (!s->closing && s->on_scan_done) s->on_scan_done();
    }
    Lock lock(s->scan_lock);
    s->wake.wait(lock, [s] { return s->stop_thread.load() || s->scan_requested; });
  }
}

}  // namespace

FolderScanner::FolderScanner(DirectoryLister* l, std::function<void()> done)
    : lister(l != nullptr ? l : PlatformDirectoryLister()), on_scan_done(std::move(done)) {
  try {
    thread = std::thread(ScanLoop, this);
    thread_running = true;
  } catch (const std::system_error&) {
    // No thread: the root stays without files.
  }
}

FolderScanner::~FolderScanner() {
  closing = true;
  if (!thread_running) return;
  {
    Lock lock(scan_lock);
    stop_thread = true;
  }
  wake.notify_all();
  thread.join();
  thread_running = false;
}

void RequestScan(FolderScanner* scanner, const std::string& path) {
  {
    Lock lock(scanner->scan_lock);
    scanner->scan_path = path;
    scanner->scan_requested = true;
  }
  scanner->wake.notify_all();
}

void ScanFolder(FolderScanner* s, const std::string& directory, bool clear) {
  s->extension_list = TokenizeExtensions(SupportedExtensions());
  if (clear) {
    Lock lock(s->scan_lock);
    s->files.clear();
  }
  Walk(s, directory);
  if (!s->closing) PublishSorted(s);
}

std::vector<std::string> FilesSnapshot(FolderScanner* scanner) {
  Lock lock(scanner->scan_lock);
  return scanner->files;
}

FolderRoots::~FolderRoots() { DestroyFolderRoots(this); }

bool AddFolderRoot(FolderRoots* roots, const std::string& path, DirectoryLister* lister) {
  for (const std::unique_ptr<FolderRoot>& root : roots->roots)
    if (EqualNoCase(root->root_path, path)) return false;
  try {
    std::unique_ptr<FolderRoot> root(new FolderRoot);
    root->root_path = path;
    root->scanner.reset(new FolderScanner(lister, roots->on_scan_done));
    RequestScan(root->scanner.get(), path);
    roots->roots.push_back(std::move(root));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void DestroyFolderRoots(FolderRoots* roots) {
  while (!roots->roots.empty()) roots->roots.pop_back();
}
