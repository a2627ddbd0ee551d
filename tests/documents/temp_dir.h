#pragma once
// A private folder for one test, removed with its files, and whole-file reads
// and writes; shared by the native tests, the fuzzers, the stories and the
// Windows tests. Under Wine the folder and links in it are removed and made
// by the Unix tools: a link there is a Unix one (Wine's CreateSymbolicLinkW
// makes nothing; its DeleteFileW on a link removes the file it leads to).
#ifdef _WIN32
#include <windows.h>

#include "engine/utf8_win32.h"
#endif
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class TempDir {
 public:
#ifdef _WIN32
  TempDir() {
    wchar_t base[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    GetTempFileNameW(base, L"orv", 0, name);  // a new name, made as a file
    DeleteFileW(name);
    const bool made = CreateDirectoryW(name, nullptr) && WideToUtf8(name, &path_);
    path_ += "\\";
    unix_path_ = made ? UnixPath(path_) : "";
#else
  explicit TempDir(const std::string& prefix = "orv-documents") {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    const bool made = mkdtemp(&pattern[0]) != nullptr;
    path_ = pattern + "/";
    unix_path_ = made ? path_ : "";
#endif
    EXPECT_TRUE(made) << path_;
  }
  ~TempDir() {  // never a folder other than the one made
    if (!keep && unix_path_.find("/orv") != std::string::npos) Run("/bin/rm -rf \"" + unix_path_ + "\"");
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Full path of a file in the folder ("" gives the folder with its separator).
  std::string File(const std::string& name) const { return path_ + name; }

#ifdef _WIN32
  // A link to `target` (relative to the link's folder, or a full Windows
  // path); true when it then leads somewhere.
  bool MakeLink(const std::string& link, const std::string& target) const {
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
#endif
  bool keep = false;  // set, the folder stays for a look after the test

 private:
#ifdef _WIN32
  static std::string UnixPath(const std::string& windows_path) {
    using UnixNameFn = char*(CDECL*)(const wchar_t*);
    auto unix_name = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unix_name != nullptr ? unix_name(WideText(windows_path).c_str()) : nullptr;
    std::string out = name != nullptr ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return out;
  }
  static void Run(const std::string& command) {  // a Unix program, outside Wine
    std::wstring line = WideText(command);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
#else
  static void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  }
#endif
  std::string path_, unix_path_;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

inline bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
