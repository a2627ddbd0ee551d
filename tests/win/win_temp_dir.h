#pragma once
// A fresh folder under the temporary folder for one Windows test, removed
// with its contents (long names included).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::string utf8;
    WideToUtf8(base, &utf8);
    // Wine reuses process ids from run to run: a name left by an earlier
    // run is stepped over.
    static int serial = 0;
    bool made = false;
    for (int attempt = 0; attempt < 100 && !made; ++attempt) {
      path_ = utf8 + "orv-documents-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(serial++) + "\\";
      made = CreateDirectoryUtf8(path_.c_str());
    }
    EXPECT_TRUE(made) << path_;
  }
  ~WinTempDir() { RemoveTree(path_); }
  std::string File(const std::string& name) const { return path_ + name; }

  static void RemoveTree(const std::string& dir) {
    std::wstring wide;
    if (!WidePath((dir + "*").c_str(), &wide)) return;
    if (wide.compare(0, 4, L"\\\\?\\") != 0) wide = L"\\\\?\\" + wide;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(wide.c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name;
        WideToUtf8(found.cFileName, &name);
        if (name == "." || name == "..") continue;
        std::wstring full;
        Utf8ToWide((dir + name).c_str(), &full);
        full = L"\\\\?\\" + full;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
          // A link: removed itself, never walked into.
          if (!RemoveDirectoryW(full.c_str())) DeleteFileW(full.c_str());
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(dir + name + "\\");
        } else {
          SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(h, &found));
      FindClose(h);
    }
    std::wstring self;
    Utf8ToWide(dir.c_str(), &self);
    RemoveDirectoryW((L"\\\\?\\" + self).c_str());
  }

 private:
  std::string path_;
};
