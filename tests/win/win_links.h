#pragma once
// Symbolic links for the Windows tests. Under Wine a link is a Unix symbolic
// link made (and removed) by /bin/ln and /bin/rm, which Wine shows as a
// reparse point: its CreateSymbolicLinkW makes nothing, and its DeleteFileW
// on a link to a file removes the file. On Windows the Win32 calls.
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

inline std::string UnixPath(const std::string& windows_path) {
  char* name = WineUnixName()(WideText(windows_path).c_str());
  std::string out = name != nullptr ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Runs a Unix command line through Wine, then waits (at most 30 s) until
// `done` holds: the command may still run when its process handle is signalled.
template <class Done>
bool RunUntil(const std::string& command, Done done) {
  std::wstring line = WideText(command);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 3000 && !done(); ++i) Sleep(10);
  return done();
}

}  // namespace win_links

// Makes links to `target` (relative to the link's folder, or a full Windows
// path) and removes them when it goes, even after a failed check.
class LinkCleanup {
 public:
  LinkCleanup() = default;
  LinkCleanup(const LinkCleanup&) = delete;
  LinkCleanup& operator=(const LinkCleanup&) = delete;
  ~LinkCleanup() {
    using namespace win_links;
    for (const std::string& link : links_) {
      const std::wstring wide = WideText(link);
      auto gone = [&] {  // a dangling link has no attributes yet is found
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(wide.c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        return h == INVALID_HANDLE_VALUE;
      };
      if (WineUnixName() != nullptr) {
        RunUntil("/bin/rm -f \"" + UnixPath(link) + "\"", gone);
      } else if (!RemoveDirectoryW(wide.c_str())) {
        DeleteFileW(wide.c_str());
      }
    }
  }
  // True when the link then leads somewhere.
  bool Make(const std::string& link, const std::string& target, bool to_folder) {
    using namespace win_links;
    links_.push_back(link);
    const std::wstring wide = WideText(link);
    auto there = [&] { return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (WineUnixName() == nullptr) {
      DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE |
                    (to_folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
      return CreateSymbolicLinkW(wide.c_str(), WideText(target).c_str(), flags) && there();
    }
    std::string text = target.size() > 1 && target[1] == ':' ? UnixPath(target) : target;
    for (char& c : text)
      if (c == '\\') c = '/';
    return RunUntil("/bin/ln -s \"" + text + "\" \"" + UnixPath(link) + "\"", there);
  }

 private:
  std::vector<std::string> links_;
};
