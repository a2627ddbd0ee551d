#pragma once
// A private folder for one test, removed with its files, and whole-file reads
// and writes; shared by the native tests, the fuzzers, the stories and the
// Windows tests. Under Wine the folder is in /tmp too, seen through the drive
// Z: that maps the Unix root, and it and links in it are removed and made by
// the Unix tools: a link there is a Unix one (Wine's CreateSymbolicLinkW makes
// nothing; its DeleteFileW on a link removes the file it leads to).
#ifdef _WIN32
#include <windows.h>

#include "engine/utf8_win32.h"
#endif
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class TempDir {
 public:
#ifdef _WIN32
  TempDir() {  // Z:\tmp\orvXXXX.tmp
    wchar_t name[MAX_PATH] = {};
    GetTempFileNameW(L"Z:\\tmp", L"orv", 0, name);  // a new name, made as a file
    DeleteFileW(name);
    const bool made = CreateDirectoryW(name, nullptr) && WideToUtf8(name, &path_);
    path_ += "\\";
    unix_path_ = made ? UnixPath(path_) : "";
    EXPECT_TRUE(made) << path_;
  }
#else
  explicit TempDir(const std::string& prefix = "orv-documents") {  // named /tmp/<prefix>-XXXXXX
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    const bool made = mkdtemp(&pattern[0]) != nullptr;
    path_ = pattern + "/";
    unix_path_ = made ? path_ : "";
    EXPECT_TRUE(made) << path_;
  }
#endif
  ~TempDir() {  // never a folder other than the one made
    if (!keep && unix_path_.find("/orv") != std::string::npos) Run("/bin/rm -rf \"" + unix_path_ + "\"");
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Full path of a file in the folder ("" gives the folder with its separator).
  std::string File(const std::string& name) const { return path_ + name; }

#ifdef _WIN32
  // A link to `target` (relative to the link's folder, or a full name on Z:);
  // true when it then leads somewhere.
  bool MakeLink(const std::string& link, const std::string& target) const {
    Run("/bin/ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"");
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
  static std::string UnixPath(std::string name) {  // of a name on Z:, or a relative one
    if (name.rfind("Z:", 0) == 0) name.erase(0, 2);
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
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
