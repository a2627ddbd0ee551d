// The profile through the real private-profile calls, with ASCII and
// non-ASCII configuration folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/profile.h"
#include "engine/utf8_win32.h"

namespace {

// A fresh folder under the temporary directory, named with `leaf` (UTF-8).
std::string MakeFolder(const std::string& leaf) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + leaf + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(WideText(dir).c_str(), nullptr);
  return dir + "\\";
}

void ExpectRoundTrips(const std::string& path) {
  EXPECT_EQ(ProfileGetInt("main_wnd_x", 50, path.c_str()), 50) << "missing file gives the default";
  EXPECT_TRUE(ProfileSetInt("main_wnd_x", -1200, path.c_str()));
  EXPECT_TRUE(ProfileSetInt("main_wnd_w", 900, path.c_str()));
  EXPECT_TRUE(ProfileSetString("linenumber", "0", path.c_str()));
  EXPECT_EQ(ProfileGetInt("main_wnd_x", 50, path.c_str()), -1200);
  EXPECT_EQ(ProfileGetInt("main_wnd_w", 1, path.c_str()), 900);
  EXPECT_EQ(ProfileGetInt("linenumber", 1, path.c_str()), 0);
  EXPECT_EQ(ProfileGetInt("folders_wnd_w", 800, path.c_str()), 800) << "absent key gives the default";
}

TEST(AppProfile, AsciiFolderUsesSectionOrvinale) {
  std::string path = MakeFolder("orv-profile-") + "orvinale.ini";
  ExpectRoundTrips(path);
  char buf[64] = {};
  GetPrivateProfileStringA("orvinale", "main_wnd_x", "", buf, sizeof buf, path.c_str());
  EXPECT_STREQ(buf, "-1200");
  // Deleting one key makes only that key fall back.
  WritePrivateProfileStringA("orvinale", "main_wnd_w", nullptr, path.c_str());
  EXPECT_EQ(ProfileGetInt("main_wnd_w", 900, path.c_str()), 900);
  EXPECT_EQ(ProfileGetInt("main_wnd_x", 50, path.c_str()), -1200);
  DeleteFileA(path.c_str());
}

TEST(AppProfile, NonAsciiFolderTakesTheWideCalls) {
  std::string dir = MakeFolder("orv-\xCE\xB3\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9-\xE6\xBC\xA2-");
  std::string path = dir + "orvinale.ini";
  ExpectRoundTrips(path);
  // The file really is in the Greek-named folder.
  EXPECT_NE(GetFileAttributesW(WideText(path).c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(WideText(path).c_str());
}

}  // namespace
