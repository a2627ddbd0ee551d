#include "app/startup_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/utf8.h"

namespace {

TEST(StartupPaths, CommandLineBecomesOnePathWithoutQuotesCutToWholeCharacters) {
  // 4,094 ASCII bytes then a 3-byte character: only the ASCII fits; 4,093
  // and a 2-byte character make 4,095 bytes: it fits exactly.
  const std::u16string cut = std::u16string(4094, u'a') + u'\u20ac', exact = std::u16string(4093, u'a') + u"\u00e9b";
  const std::pair<std::u16string, std::string> lines[] = {
      {u"", ""}, {u"\"C:\\My Files\\a b.txt\"", "C:\\My Files\\a b.txt"},
      {u"C:\\x\"\"y.txt", "C:\\xy.txt"}, {u"\"a.txt\" \"b.txt\"", "a.txt b.txt"},  // every quote goes
      {u"C:\\\u03b3\u03bd\u1ff6\u03b8\u03b9.txt", "C:\\\xce\xb3\xce\xbd\xe1\xbf\xb6\xce\xb8\xce\xb9.txt"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},  // a surrogate pair is one 4-byte character
      {cut, std::string(4094, 'a')}, {exact, std::string(4093, 'a') + "\xC3\xA9"}};
  for (const auto& k : lines) EXPECT_EQ(CommandLinePath(k.first.data(), k.first.size()), k.second);
}

TEST(StartupPaths, ProgramAndConfigurationFolders) {
  EXPECT_EQ(ProgramDirectory("C:\\Tools\\Orvinale\\orvinale.exe"), "C:\\Tools\\Orvinale\\");
  EXPECT_EQ(ProgramDirectory("Z:/tmp/orvinale.exe"), "Z:/tmp/");
  EXPECT_EQ(ProgramDirectory("orvinale.exe"), "");
  // Portable mode needs a folder named exactly "portable".
  const std::pair<const char*, unsigned> markers[] = {{"portable", kDirectoryAttribute | 0x20}, {"Portable", kDirectoryAttribute},
                                                      {"portable", 0x20}, {"portable2", kDirectoryAttribute}};
  EXPECT_TRUE(IsPortableMarker("portable", kDirectoryAttribute));
  for (const auto& m : markers) EXPECT_EQ(m.second == (kDirectoryAttribute | 0x20), IsPortableMarker(m.first, m.second)) << m.first;
  EXPECT_EQ(ConfigDirectory("C:\\Orv\\", true, "ignored"), "C:\\Orv\\portable\\");
  EXPECT_EQ(ConfigDirectory("C:\\Orv\\", false, "C:\\Users\\u\\AppData\\Roaming"), "C:\\Users\\u\\AppData\\Roaming\\Orvinale\\");
  EXPECT_EQ(ProfilePath("C:\\Orv\\portable\\"), "C:\\Orv\\portable\\orvinale.ini");
}

TEST(StartupPaths, ParseErrorBoxIsCutBetweenWholeCharacters) {
  const std::string user = "C:\\Orv\\portable\\preferences.txt";
  const std::string fallback = "C:\\Orv\\portable\\preferences-default.txt";
  EXPECT_EQ(PreferencesParseErrorText("Parse error before: }\n", user, fallback),
            "Parse error before: }\n\nin " + user + "\n\nPress OK to try load the default file:\n\n" + fallback);
  // Greek text (two bytes a letter) long enough to pass 511 bytes, at each
  // odd and even length, so that some cut falls inside a letter.
  for (size_t ascii = 20; ascii < 24; ++ascii) {
    std::string error = "Parse error before: " + std::string(ascii - 20, 'x');
    for (int i = 0; i < 300; ++i) error += "\xCE\xB1";
    std::string text = PreferencesParseErrorText(error + "\n", user, fallback);
    EXPECT_TRUE(text.size() == 510u || text.size() == 511u) << text.size();
    EXPECT_EQ(text, error.substr(0, text.size()));
    EXPECT_EQ(IsValidUtf8(text.c_str()), 1) << ascii;
  }
}

}  // namespace
