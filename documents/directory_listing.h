#pragma once
// Listing the entries of one folder, behind a small interface so that the
// folder scanner runs natively in tests (POSIX half) and on Windows (wide
// FindFirstFileW with the long-path prefix, narrow calls as the fallback).
#include <functional>
#include <string>

struct DirectoryEntry {
  std::string name;  // UTF-8, without the folder
  bool is_directory = false;  // a folder, or a link to one
  // A symbolic link, junction or mount point: another name for something
  // that lives elsewhere. A folder reached this way is not walked, since a
  // link to one of its own parents would never end the walk.
  bool is_link = false;
};

// Called once per entry; returns false to end the listing early.
using DirectoryVisitor = std::function<bool(const DirectoryEntry&)>;

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // Visits the entries of `directory` (no trailing separator) in the order
  // the platform delivers them, "." and ".." included where the platform
  // lists them. False when the folder cannot be listed. Safe to call from
  // several threads at once and from inside a visitor.
  virtual bool List(const std::string& directory, const DirectoryVisitor& visit) = 0;
  // The separator between a folder and an entry name in the paths the
  // scanner builds.
  virtual char Separator() const = 0;
};

// The platform's lister; one instance for the whole program.
DirectoryLister* PlatformDirectoryLister();
