// The preference files through the Windows file layer, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "documents/file_reader.h"
#include "documents/preferences_files.h"
#include "documents/utf8_fs.h"
#include "engine/utf8_win32.h"
#include "preferences/default_text.h"
#include "preferences/preferences.h"

namespace {

std::string MakeTempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::string utf8;
  WideToUtf8(base, &utf8);
  std::string dir = utf8 + "orv-prefs-\xCE\xB1-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryUtf8(dir.c_str());
  return dir;
}

std::string ReadAll(const std::string& path) {
  FileReader r(path.c_str());
  std::string out(static_cast<size_t>(r.GetSize()), 0);
  out.resize(static_cast<size_t>(r.Read(&out[0], static_cast<int64_t>(out.size()))));
  return out;
}

}  // namespace

TEST(DocumentsWinPreferences, DefaultsTemplateAndLockedFile) {
  std::string dir = MakeTempFolder();
  std::string user = dir + "preferences.txt";
  std::string defaults = dir + "preferences-default.txt";
  RemoveFileUtf8(user.c_str());
  WriteDefaultFiles(dir);
  EXPECT_EQ(ReadAll(defaults), DefaultPreferencesText());
  EXPECT_EQ(ReadAll(user), UserTemplateText());
  Preferences p;
  EXPECT_TRUE(LoadPreferences(&p, dir, false));
  EXPECT_TRUE(LoadPreferences(&p, dir, true));
  EXPECT_EQ(GetRuler(&p), 120);

  // Another program holds the user's file open without sharing: the start
  // neither reads nor replaces it.
  std::wstring wide;
  ASSERT_TRUE(Utf8ToWide(user.c_str(), &wide));
  HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  SetFilePointer(held, 0, nullptr, FILE_BEGIN);
  WriteFile(held, "{\"ruler\": 99}\n", 14, &written, nullptr);
  SetEndOfFile(held);
  WriteDefaultFiles(dir);
  EXPECT_FALSE(LoadPreferences(&p, dir, false));
  EXPECT_EQ(p.error_text, "Parse error before: \n");
  CloseHandle(held);
  EXPECT_EQ(ReadAll(user), "{\"ruler\": 99}\n");
  EXPECT_TRUE(LoadPreferences(&p, dir, false));
  EXPECT_EQ(GetRuler(&p), 99);

  RemoveFileUtf8(user.c_str());
  RemoveFileUtf8(defaults.c_str());
  std::wstring folder;
  Utf8ToWide(dir.c_str(), &folder);
  RemoveDirectoryW(folder.c_str());
}
