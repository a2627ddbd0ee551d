#pragma once
// A fresh temporary folder for one Windows test, and links in it. Under Wine a
// link is a Unix one, made and removed by the Unix tools (Wine's CreateSymbolicLinkW
// makes nothing; its DeleteFileW on a link removes the file it leads to).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "documents/utf8_fs.h"
#include "engine/utf8_win32.h"

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    GetTempFileNameW(base, L"orv", 0, name);  // a new name, made as a file
    DeleteFileW(name);
    made_ = CreateDirectoryW(name, nullptr) && WideToUtf8(name, &path_);
    EXPECT_TRUE(made_) << path_;
    path_ += "\\";
  }
  ~WinTempDir() {
    const std::string unix_path = made_ ? UnixPath(path_) : "";
    if (unix_path.find("/orv") != std::string::npos) Run("/bin/rm -rf \"" + unix_path + "\"");
  }
  std::string File(const std::string& name) const { return path_ + name; }

  // A link to `target` (relative to the link's folder, or a full Windows
  // path); true when it then leads somewhere.
  bool MakeLink(const std::string& link, const std::string& target) {
    std::string text = target.size() > 1 && target[1] == ':' ? UnixPath(target) : target;
    for (char& c : text)
      if (c == '\\') c = '/';
    Run("/bin/ln -s \"" + text + "\" \"" + UnixPath(link) + "\"");
    for (int i = 0; i < 3000; ++i) {  // the command may still run when its process handle is signalled
      if (GetFileAttributesW(WideText(link).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
      Sleep(10);
    }
    return false;
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
  static void Run(const std::string& command) {
    std::wstring line = WideText(command);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  std::string path_;
  bool made_ = false;
};
