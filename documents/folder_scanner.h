#pragma once
// Folder roots and their scanners: each root added with File > Open folder
// owns a thread that walks the folder tree once and collects the full paths
// of the files with a supported extension, for the Folders window.
//
// Locking: `scan_lock` guards `files`, `scan_path` and `scan_requested`. The
// scan thread is the only writer of `files` and holds the lock only for one
// change at a time (an append, the clear, or putting the sorted list in
// place), so a reader on the window thread waits at most for one such step,
// never for a whole scan, and always sees the list between two changes: the
// files found so far, in the order found, until the sorted list replaces
// them at the end of the scan.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "documents/directory_listing.h"

struct FolderScanner {
  // Starts the thread (thread_running stays false if it cannot start).
  // `lister` must outlive the scanner; null means the platform's.
  // `on_scan_done`, when set, is called on the scan thread each time a scan
  // has ended with its sorted list in place (not when the scanner closes):
  // the window thread is told so, and needs no timer to look.
  explicit FolderScanner(DirectoryLister* lister = nullptr,
                         std::function<void()> on_scan_done = nullptr);
  // Sets `closing` (a scan stops at its next entry), then `stop_thread`,
  // and waits for the thread.
  ~FolderScanner();
  FolderScanner(const FolderScanner&) = delete;
  FolderScanner& operator=(const FolderScanner&) = delete;

  std::mutex scan_lock;
  std::condition_variable wake;        // a request or the stop for the scan thread
  std::vector<std::string> files;      // guarded; sorted once a scan is done
  std::string scan_path;               // guarded
  bool scan_requested = false;         // guarded
  std::atomic<bool> stop_thread{false};
  std::atomic<bool> closing{false};
  std::atomic<bool> scan_done{false};  // a requested scan has ended (for waiting readers)
  bool thread_running = false;         // owner's thread only
  std::vector<std::string> extension_list;  // scan thread only
  DirectoryLister* lister;
  std::function<void()> on_scan_done;  // set before the thread starts
  std::thread thread;
};

// Asks for a scan of `path` (taken under scan_lock).
void RequestScan(FolderScanner* scanner, const std::string& path);
// The scan itself, on the calling thread: with `clear` the list is emptied
// first; folders are walked depth first; the list is sorted by
// PathLessNoCase when the outermost call ends (unless closing).
void ScanFolder(FolderScanner* scanner, const std::string& directory, bool clear);
// A copy of `files` as it stands, taken under scan_lock.
std::vector<std::string> FilesSnapshot(FolderScanner* scanner);

struct FolderRoot {
  std::string root_path;  // the folder as chosen
  std::unique_ptr<FolderScanner> scanner;
};

// The main window's roots in the order they were added. Destroying the list
// destroys the roots from the last to the first.
struct FolderRoots {
  FolderRoots() = default;
  ~FolderRoots();
  FolderRoots(const FolderRoots&) = delete;
  FolderRoots& operator=(const FolderRoots&) = delete;
  std::vector<std::unique_ptr<FolderRoot>> roots;
  std::function<void()> on_scan_done;  // handed to each new root's scanner
};

// Adds a root and starts its scan, unless a root with the same text without
// regard to case exists ("C:\src" then "c:\SRC\" adds both; "C:\SRC" after
// "C:\src" is ignored). False when nothing was added.
bool AddFolderRoot(FolderRoots* roots, const std::string& path, DirectoryLister* lister = nullptr);
// Destroys every root, last first, and empties the list.
void DestroyFolderRoots(FolderRoots* roots);
