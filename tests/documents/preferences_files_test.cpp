#include "documents/preferences_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "preferences/default_text.h"
#include "preferences/preferences.h"
#include "tests/documents/temp_dir.h"

TEST(PreferencesFiles, BrokenOrUnreadableFileFallsBack) {
  TempDir dir;
  std::string config = dir.File("");
  WriteBytes(dir.File("preferences.txt"), "{\"ruler\": x80}");
  WriteBytes(dir.File("preferences-default.txt"), "stale");  // an older version's: replaced
  WriteDefaultFiles(config);
  Preferences p;
  EXPECT_FALSE(LoadPreferences(&p, config, false));
  EXPECT_EQ(p.error_text, "Parse error before: x80}\n");
  EXPECT_TRUE(LoadPreferences(&p, config, true));

  // A folder where the file should be cannot be read; it is left alone and
  // reads as empty text.
  TempDir other;
  ASSERT_EQ(mkdir(other.File("preferences.txt").c_str(), 0777), 0);
  WriteDefaultFiles(other.File(""));
  EXPECT_FALSE(LoadPreferences(&p, other.File(""), false));
  EXPECT_EQ(p.error_text, "Parse error before: \n");
  struct stat st;
  ASSERT_EQ(stat(other.File("preferences.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}
