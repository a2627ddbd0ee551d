#pragma once
// Symbolic links for the Windows tests, which run under Wine: there a link is
// a Unix symbolic link, made and removed by /bin/ln and /bin/rm (Wine's
// CreateSymbolicLinkW makes nothing, and its DeleteFileW on a link to a file
// removes the file), which Wine shows as a reparse point.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/utf8_win32.h"

// Makes links and removes them when it goes, even after a failed check.
class LinkCleanup {
 public:
  LinkCleanup() = default;
  LinkCleanup(const LinkCleanup&) = delete;
  LinkCleanup& operator=(const LinkCleanup&) = delete;
  ~LinkCleanup() {
    for (const std::string& link : links_) {
      Run("/bin/rm -f \"" + UnixPath(link) + "\"");
      WaitFor([&] {  // a dangling link has no attributes, yet is found
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(WideText(link).c_str(), &found);
        return h == INVALID_HANDLE_VALUE || !FindClose(h);
      });
    }
  }
  // A link to `target` (relative to the link's folder, or a full Windows
  // path); true when it then leads somewhere.
  bool Make(const std::string& link, const std::string& target) {
    links_.push_back(link);
    std::string text = target.size() > 1 && target[1] == ':' ? UnixPath(target) : target;
    for (char& c : text)
      if (c == '\\') c = '/';
    Run("/bin/ln -s \"" + text + "\" \"" + UnixPath(link) + "\"");
    return WaitFor([&] { return GetFileAttributesW(WideText(link).c_str()) != INVALID_FILE_ATTRIBUTES; });
  }

 private:
  static std::string UnixPath(const std::string& windows_path) {
    using UnixNameFn = char*(CDECL*)(const wchar_t*);
    auto unix_name = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unix_name != nullptr ? unix_name(WideText(windows_path).c_str()) : nullptr;
    std::string out = name != nullptr ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return out;
  }
  // At most 30 s: the command may still run when its process handle is signalled.
  template <class Done>
  static bool WaitFor(Done done) {
    for (int i = 0; i < 3000 && !done(); ++i) Sleep(10);
    return done();
  }
  static void Run(const std::string& command) {
    std::wstring line = WideText(command);
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  std::vector<std::string> links_;
};
