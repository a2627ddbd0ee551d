#include "app/startup_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/utf8.h"

namespace {

std::string PathOf(const std::u16string& line) { return CommandLinePath(line.data(), line.size()); }

TEST(StartupPaths, CommandLineBecomesOnePathWithoutQuotes) {
  EXPECT_EQ(PathOf(u""), "");
  EXPECT_EQ(PathOf(u"\"C:\\My Files\\a b.txt\""), "C:\\My Files\\a b.txt");
  EXPECT_EQ(PathOf(u"C:\\x\"\"y.txt"), "C:\\xy.txt");  // quotes inside a name go too
  EXPECT_EQ(PathOf(u"\"a.txt\" \"b.txt\""), "a.txt b.txt");
  EXPECT_EQ(PathOf(u"C:\\\u03b3\u03bd\u1ff6\u03b8\u03b9.txt"), "C:\\\xce\xb3\xce\xbd\xe1\xbf\xb6\xce\xb8\xce\xb9.txt");
  // A surrogate pair is one 4-byte character.
  EXPECT_EQ(PathOf(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(StartupPaths, LongCommandLineIsCutToWholeCharacters) {
  // 4,094 ASCII bytes then a 3-byte character: only the ASCII fits.
  std::u16string line(4094, u'a');
  line += u'\u20ac';
  std::string path = PathOf(line);
  EXPECT_EQ(path.size(), 4094u);
  // 4,093 + 2-byte character = 4,095 bytes: it fits exactly.
  std::u16string line2(4093, u'a');
  line2 += u'\u00e9';
  line2 += u'b';
  EXPECT_EQ(PathOf(line2).size(), 4095u);
  EXPECT_EQ(PathOf(line2).substr(4093), "\xC3\xA9");
}

TEST(StartupPaths, ProgramDirectoryKeepsItsSeparator) {
  EXPECT_EQ(ProgramDirectory("C:\\Tools\\Orvinale\\orvinale.exe"), "C:\\Tools\\Orvinale\\");
  EXPECT_EQ(ProgramDirectory("Z:/tmp/orvinale.exe"), "Z:/tmp/");
  EXPECT_EQ(ProgramDirectory("orvinale.exe"), "");
}

TEST(StartupPaths, PortableModeNeedsAFolderNamedExactlyPortable) {
  EXPECT_TRUE(IsPortableMarker("portable", kDirectoryAttribute));
  EXPECT_TRUE(IsPortableMarker("portable", kDirectoryAttribute | 0x20));
  EXPECT_FALSE(IsPortableMarker("Portable", kDirectoryAttribute));
  EXPECT_FALSE(IsPortableMarker("portable", 0x20));  // a file
  EXPECT_FALSE(IsPortableMarker("portable2", kDirectoryAttribute));
}

TEST(StartupPaths, ConfigurationLivesInPortableOrRoamingFolder) {
  EXPECT_EQ(ConfigDirectory("C:\\Orv\\", true, "ignored"), "C:\\Orv\\portable\\");
  EXPECT_EQ(ConfigDirectory("C:\\Orv\\", false, "C:\\Users\\u\\AppData\\Roaming"),
            "C:\\Users\\u\\AppData\\Roaming\\Orvinale\\");
  EXPECT_EQ(ProfilePath("C:\\Orv\\portable\\"), "C:\\Orv\\portable\\orvinale.ini");
}

TEST(StartupPaths, ParseErrorBoxIsCutBetweenWholeCharacters) {
  const std::string user = "C:\\Orv\\portable\\preferences.txt";
  const std::string fallback = "C:\\Orv\\portable\\preferences-default.txt";
  EXPECT_EQ(PreferencesParseErrorText("Parse error before: }\n", user, fallback),
            "Parse error before: }\n\nin " + user +
                "\n\nPress OK to try load the default file:\n\n" + fallback);
  // Greek text (two bytes a letter) long enough to pass 511 bytes, at each
  // odd and even length, so that some cut falls inside a letter.
  for (size_t ascii = 20; ascii < 24; ++ascii) {
    std::string error = "Parse error before: " + std::string(ascii - 20, 'x');
    for (int i = 0; i < 300; ++i) error += "\xCE\xB1";
    std::string text = PreferencesParseErrorText(error + "\n", user, fallback);
    EXPECT_GE(text.size(), 510u);
    EXPECT_LE(text.size(), 511u);
    EXPECT_EQ(text, error.substr(0, text.size()));
    EXPECT_EQ(IsValidUtf8(text.c_str()), 1) << ascii;
  }
}

}  // namespace
