#pragma once
// A fresh folder under the temporary folder for one Windows test, removed
// with its contents (long names included).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "documents/utf8_fs.h"
#include "engine/utf8_win32.h"

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::string utf8;
    WideToUtf8(base, &utf8);
    // Wine reuses process ids from run to run: a name left by an earlier run is stepped over.
    static int serial = 0;
    bool made = false;
    for (int attempt = 0; attempt < 100 && !made; ++attempt) {
      path_ = utf8 + "orv-win-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(serial++) + "\\";
      made = CreateDirectoryUtf8(path_.c_str());
    }
    EXPECT_TRUE(made) << path_;
  }
  ~WinTempDir() { RemoveTree(L"\\\\?\\" + WideText(path_)); }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  // `dir` ends in a backslash. Links are removed themselves, never walked into.
  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName, full = dir + name;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
          if (!RemoveDirectoryW(full.c_str())) DeleteFileW(full.c_str());
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(full + L"\\");
        } else {
          SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(h, &found));
      FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
  }
  std::string path_;
};
