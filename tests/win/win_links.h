#pragma once
// Symbolic links for the Windows tests. Under Wine the link is a Unix
// symbolic link, made by /bin/ln (Wine's CreateSymbolicLinkW makes nothing),
// which Wine shows as a reparse point; on Windows CreateSymbolicLinkW.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/utf8_win32.h"

namespace win_links {

using UnixNameFn = char*(CDECL*)(const wchar_t*);

inline UnixNameFn WineUnixName() {
  return reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

inline std::string UnixPath(UnixNameFn unix_name, const std::string& windows_path) {
  std::wstring wide;
  Utf8ToWide(windows_path.c_str(), &wide);
  char* name = unix_name(wide.c_str());
  std::string out = name != nullptr ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Waits until `done` holds, at most 30 s: a Unix program started by Wine
// may still run when its process handle is signalled.
template <class Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 3000; ++i) {
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

inline bool RunAndWait(std::wstring command) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

}  // namespace win_links

// Makes `link` a symbolic link to `target`: a path relative to the link's
// folder ("..\\other\\t.txt") or a full Windows path. True when the link
// then leads somewhere.
inline bool MakeSymbolicLink(const std::string& link, const std::string& target,
                             bool to_folder) {
  using namespace win_links;
  std::wstring wide_link;
  Utf8ToWide(link.c_str(), &wide_link);
  if (UnixNameFn unix_name = WineUnixName()) {
    bool absolute = target.size() > 1 && target[1] == ':';
    std::string text = absolute ? UnixPath(unix_name, target) : target;
    for (char& c : text)
      if (c == '\\') c = '/';
    std::string command = "/bin/ln -s \"" + text + "\" \"" + UnixPath(unix_name, link) + "\"";
    std::wstring wide;
    Utf8ToWide(command.c_str(), &wide);
    if (!RunAndWait(wide)) return false;
  } else {
    std::wstring wide_target;
    Utf8ToWide(target.c_str(), &wide_target);
    DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE |
                  (to_folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
    if (!CreateSymbolicLinkW(wide_link.c_str(), wide_target.c_str(), flags)) return false;
  }
  return WaitFor([&] { return GetFileAttributesW(wide_link.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

// Removes the link itself. Under Wine by /bin/rm: Wine's DeleteFileW on a
// link to a file removes the file it leads to.
inline bool RemoveSymbolicLink(const std::string& link) {
  using namespace win_links;
  std::wstring wide_link;
  Utf8ToWide(link.c_str(), &wide_link);
  if (UnixNameFn unix_name = WineUnixName()) {
    std::string command = "/bin/rm -f \"" + UnixPath(unix_name, link) + "\"";
    std::wstring wide;
    Utf8ToWide(command.c_str(), &wide);
    RunAndWait(wide);
  } else if (!RemoveDirectoryW(wide_link.c_str())) {
    DeleteFileW(wide_link.c_str());
  }
  return WaitFor([&] {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(wide_link.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return true;
    FindClose(h);
    return false;
  });
}

// Removes the links made through it when it goes, even after a failed check.
class LinkCleanup {
 public:
  LinkCleanup() = default;
  LinkCleanup(const LinkCleanup&) = delete;
  LinkCleanup& operator=(const LinkCleanup&) = delete;
  ~LinkCleanup() {
    for (const std::string& link : links_) RemoveSymbolicLink(link);
  }
  bool Make(const std::string& link, const std::string& target, bool to_folder) {
    links_.push_back(link);
    return MakeSymbolicLink(link, target, to_folder);
  }

 private:
  std::vector<std::string> links_;
};
