// The main window's shell without a window: titles and message texts, the
// file dialogs' types, the startup paths, the profile keys and the sizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>

#include "app/file_types.h"
#include "app/profile.h"
#include "app/shell_texts.h"
#include "app/sizer.h"
#include "app/startup_paths.h"
#include "engine/dpi_scale.h"
#include "engine/utf8.h"

namespace {

TEST(ShellTexts, TitlesShowTheLastPathComponentAndTheChangeCount) {
  const std::string t = "Orvinale 0.53-alpha (x64)";
  const std::pair<const char*, std::string> titles[] = {
      {"C:\\work\\notes.txt", "notes.txt - " + t}, {"/a/b/c.cpp", "c.cpp - " + t},
      {"C:\\x/y\\z.h", "z.h - " + t}, {"original-0.mem", "original-0.mem - " + t}, {nullptr, t}};
  for (const auto& k : titles) EXPECT_EQ(MainTitleText(t, true, k.first), k.second);
  EXPECT_EQ(MainTitleText(t, false, "C:\\work\\notes.txt"), t);
  for (size_t name : {size_t(5000), 2048 - 3 - t.size(), 2047 - 3 - t.size()})  // within 2,047 bytes
    EXPECT_EQ(MainTitleText(t, true, std::string(name, 'n').c_str()).size(), std::min<size_t>(name + 3 + t.size(), 2047));
  EXPECT_EQ(ChangeCountTitle(t, 1) + ChangeCountTitle(t, 0) + "/" + ChangeCountTitle(t, 2), t + " | 1 change/" + t + " | 2 changes");
  for (size_t title : {size_t(600), size_t(512 - 12)})
    EXPECT_EQ(ChangeCountTitle(std::string(title, 't'), 3).size(), std::min<size_t>(title + 12, 511));
}

TEST(ShellTexts, WelcomeAndVersionTextsCarryTheBuild) {
  EXPECT_NE(WelcomeText(0.042).find("\nStartup time: 0.042 sec\n"), std::string::npos);
  EXPECT_EQ(VersionBoxText("Apr 30 2026 03:48:37", "0123abcd"),
            "Orvinale version: 0.53-alpha (x64)\n\nBuild timestamp: Apr 30 2026 03:48:37\nGit commit: 0123abcd");
  EXPECT_TRUE(std::regex_match(BuildTimestamp(), std::regex("[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9:]{8}")));
  EXPECT_TRUE(std::regex_match(BuildCommit(), std::regex("[0-9a-f]{40}"))) << BuildCommit();
}

TEST(ShellTexts, SaveBoxesNameTheFiles) {
  const std::string failed = "Orvinale cannot save the file:\nC:\\a.txt", kept = "C:\\~orvinale-save-3.tmp";
  EXPECT_EQ(SaveFailureText("C:\\a.txt", "", ""), failed) << "no reason known";
  EXPECT_EQ(SaveFailureText("C:\\a.txt", "Disk full.", kept),
            failed + "\n\nDisk full.\n\nYour text is safe in this file:\n" + kept);
  EXPECT_NE(SavedTooLargeText("C:\\big.txt").find("\nC:\\big.txt\n"), std::string::npos);
}

TEST(ShellTexts, ShellTakesTheWideCallForMultiByteOrInvalidText) {
  EXPECT_FALSE(ShellNeedsWide({"", "notepad.exe", "C:\\Program Files\\documentation.txt", ""}));
  EXPECT_FALSE(ShellNeedsWide({"", "https://orvinale.example.org/", nullptr, ""}));
  EXPECT_FALSE(ShellNeedsWide({}));
  EXPECT_TRUE(ShellNeedsWide({"J\xC3\xBCrgen", "notepad.exe", "", ""}));
  EXPECT_TRUE(ShellNeedsWide({"", "notepad.exe", "C:\\J\xC3\xBCrgen\\documentation.txt", ""}));
  EXPECT_TRUE(ShellNeedsWide({"", "notepad.exe", "", "C:\\\xE6\x96\x87\\"})) << "any one of them";
  EXPECT_TRUE(ShellNeedsWide({"", "caf\xE9", "", ""})) << "not UTF-8 at all";
}

TEST(ShellFileTypes, FilterAndPreselection) {
  const std::string filter = FileTypeFilter();
  EXPECT_EQ(std::count(filter.begin(), filter.end(), '\0'), 15) << "7 label and pattern pairs, then a NUL";
  EXPECT_EQ(filter.substr(filter.size() - 6), std::string("*.*\0\0", 5).insert(0, 1, '\0'));
  EXPECT_EQ(filter.rfind(std::string("All supported files\0*.cpp;", 26), 0), 0u);
  EXPECT_EQ(OpenDialogTypeIndex(), 0);
  EXPECT_EQ(SaveDialogTypeIndex(), -1) << "no row's last extension is cpp";
}

TEST(ShellFileTypes, SaveNameGetsCppOnlyWithoutAnExtension) {
  const std::pair<const char*, const char*> names[] = {
      {"C:\\work\\notes.txt", "C:\\work\\notes.txt"}, {"C:\\work\\notes", "C:\\work\\notes.cpp"},
      {"C:\\work\\notes.md", "C:\\work\\notes.md"},   // an extension outside the table is the user's too
      {"C:\\v1.2\\notes", "C:\\v1.2\\notes.cpp"},     // a dot in a folder name is no extension
      {"C:\\work\\notes.", "C:\\work\\notes."},      {"C:\\work\\.editorconfig", "C:\\work\\.editorconfig"},
      {"notes", "notes.cpp"}};
  for (const auto& k : names) EXPECT_EQ(SaveNameWithExtension(k.first), k.second);
  // The name as typed replaces the one the dialog returned, in its folder.
  EXPECT_EQ(WithTypedName("Z:\\w\\notes.txt.cpp", "Z:\\w\\notes.txt"), "Z:\\w\\notes.txt");
  EXPECT_EQ(WithTypedName("Z:\\w\\sub\\notes.txt.cpp", "sub\\notes.txt"), "Z:\\w\\sub\\notes.txt");
  EXPECT_EQ(WithTypedName("Z:\\w\\notes.cpp", ""), "Z:\\w\\notes.cpp") << "nothing typed known";
  EXPECT_EQ(SaveNameWithExtension(WithTypedName("Z:\\w\\notes.cpp", "notes")), "Z:\\w\\notes.cpp");
}

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
  // The parse-error box: only the quoted remainder gives way, between whole characters.
  const std::string tail = "\nin U\n\nPress OK to try load the default file:\n\nD", names(600, 'u');
  EXPECT_EQ(PreferencesParseErrorText("Parse error before: }\n", "U", "D"), "Parse error before: }\n" + tail);
  std::string box = "Parse error before: ";
  while (box.size() < 2000) box += "\xC3\xA9";
  box = PreferencesParseErrorText(box + "\n", "U", "D");
  EXPECT_TRUE(box.size() + 1 >= 21 + kParseErrorQuoteBytes + tail.size() && box.size() <= 21 + kParseErrorQuoteBytes + tail.size() &&
              IsValidUtf8(box.c_str()) == 1 && box.rfind("...\n" + tail) + tail.size() + 4 == box.size()) << box;
  EXPECT_EQ(PreferencesParseErrorText("Parse error before: xyz\n", names, "D"),  // names longer than the box stay whole
            "Parse error before: ...\n\nin " + names + tail.substr(5));
}

struct MapStore : ProfileStore {
  std::map<std::string, std::string> keys;
  int GetInt(const char* key, int fallback) override {
    auto it = keys.find(key);
    return it == keys.end() ? fallback : std::stoi(it->second);
  }
  void SetString(const char* key, const char* value) override { keys[key] = value; }
};

std::vector<int> Fields(const MainProfile& p) {
  return {p.window.x, p.window.y, p.window.w, p.window.h, p.maximized, p.line_x, p.line_w, p.surface_x,
          p.line_numbers, p.filename, p.template_panes};
}

TEST(ShellProfile, ReadsEachKeyOrItsDefaultAndACloseWritesThemBack) {
  MapStore store;
  EXPECT_EQ(std::vector<int>({50, 50, 900, 900, 0, 0, 0, 0, 1, 1, 1}), Fields(ReadMainProfile(&store, 96)));
  // A monitor left of the primary one; surface_x defaults to line_x + line_w.
  store.keys = {{"main_wnd_x", "-1200"}, {"main_wnd_h", "480"}, {"main_wnd_maximized", "1"},
                {"line_x", "3"}, {"line_w", "44"}, {"linenumber", "0"}};
  EXPECT_EQ(std::vector<int>({-1200, 50, 900, 480, 1, 3, 44, 47, 0, 1, 0}), Fields(ReadMainProfile(&store, 96)));
  store.keys = {{"surface_x", "60"}, {"filename", "0"}, {"main_wnd_y", "7"}, {"main_wnd_w", "640"}, {"line_w", "9"}};
  EXPECT_EQ(std::vector<int>({50, 7, 640, 900, 0, 0, 9, 60, 1, 0, 0}), Fields(ReadMainProfile(&store, 96)));
  // Damaged: a size of 0 or less gives the default rectangle, a shown pane of no width the template's.
  store.keys = {{"main_wnd_x", "99999999"}, {"main_wnd_w", "-500"}, {"main_wnd_h", "0"}, {"line_w", "-3"},
                {"surface_x", "60"}};
  EXPECT_EQ(std::vector<int>({50, 50, 900, 900, 0, 0, 0, 0, 1, 1, 1}), Fields(ReadMainProfile(&store, 96)));
  MainProfileOut out;
  out.window = {10, 20, 640, 480};
  out.line = {0, 0, 33, 700};
  out.surface = {33, 0, 867, 700};
  out.line_numbers = true;
  store.keys.clear();
  WriteMainProfile(&store, out);
  const std::map<std::string, std::string> expected = {
      {"main_wnd_maximized", "0"}, {"main_wnd_x", "10"}, {"main_wnd_y", "20"}, {"main_wnd_w", "640"},
      {"main_wnd_h", "480"},       {"line_x", "0"},      {"line_y", "0"},      {"line_w", "33"},
      {"line_h", "700"},           {"surface_x", "33"},  {"surface_y", "0"},   {"surface_w", "867"},
      {"surface_h", "700"},        {"linenumber", "1"},  {"filename", "0"}};
  EXPECT_EQ(store.keys, expected);
  // Maximized: only the flag changes, the last normal rectangle stays.
  out.maximized = true;
  out.window = {0, 0, 1920, 1080};
  WriteMainProfile(&store, out);
  EXPECT_EQ(std::vector<int>({10, 20, 640, 480, 1, 0, 33, 33, 1, 0, 0}), Fields(ReadMainProfile(&store, 96)));
  // The file takes the keys in its first "orvinale" section, whatever the case; every other line stays.
  const std::vector<ProfileEntry> set = {{"line_w", "33"}, {"ruler", "1"}};
  const std::pair<std::string, std::string> texts[] = {
      {"; note\r\n[Orvinale]\r\nLINE_W = 7\r\nfind_wnd_x=4\r\n\r\n[other]\r\nruler=9\r\n[orvinale]\r\nruler=8\r\n",
       "; note\r\n[Orvinale]\r\nline_w=33\r\nfind_wnd_x=4\r\nruler=1\r\n\r\n[other]\r\nruler=9\r\n[orvinale]\r\nruler=8\r\n"},
      {"[other]\nx=1", "[other]\r\nx=1\r\n[orvinale]\r\nline_w=33\r\nruler=1\r\n"},
      {"[orvinale]\r\n[other]\r\n", "[orvinale]\r\nline_w=33\r\nruler=1\r\n[other]\r\n"}};
  for (const auto& t : texts) EXPECT_EQ(MergeProfileText(t.first, set), t.second) << t.first;
}

// A stored rectangle opens on its screen: larger than it, reduced; partly or wholly off it,
// moved onto it. The default one is 96-DPI pixels, scaled, halves away from zero.
TEST(ShellProfile, StoredRectangleIsFittedToTheScreenAndTheDefaultScaled) {
  const ScreenArea screen{0, 0, 1280, 1024}, left{-1920, -200, 0, 840};  // none: no width or no height
  const struct { ProfileRect in; ScreenArea screen; std::vector<int> out; } cases[] = {
      {{50, 50, 900, 900}, screen, {50, 50, 900, 900}}, {{75, 75, 1350, 1350}, screen, {0, 0, 1280, 1024}},
      {{-1200, 50, 900, 480}, left, {-1200, 50, 900, 480}}, {{-100, 900, 900, 900}, left, {-900, -60, 900, 900}},
      {{INT32_MAX, INT32_MIN, -5, 100}, screen, {1280, 0, 0, 100}}, {{7, 8, 9, 10}, {9, 9, 9, 99}, {7, 8, 9, 10}},
      {{7, 8, 9, 10}, {9, 9, 99, 9}, {7, 8, 9, 10}}};
  for (const auto& k : cases) {
    const ProfileRect r = FitRectToScreen(k.in, k.screen);
    EXPECT_EQ(std::vector<int>({r.x, r.y, r.w, r.h}), k.out) << k.in.x << "," << k.in.y;
  }
  MapStore empty;
  EXPECT_EQ(std::vector<int>({1350, 1125, 18, -5}), std::vector<int>({ReadMainProfile(&empty, 144).window.w,
            ReadMainProfile(&empty, 120).window.w, ScaleToDpi(14, 120), ScaleToDpi(-3, 144)}));
}

Sizer MainLayout(int dpi = 96) {
  Sizer s;
  SetUpSizer(&s, 800, 600, dpi);
  AddSizerChild(&s, 1004, {0, 0, 40, 600}, {0, 0, 0, 1});
  AddSizerChild(&s, 1003, {40, 0, 800, 600}, {0, 0, 1, 1});
  AddSizerChild(&s, 7, {100, 100, 200, 200}, {0.5, 0.5, 0.5, 1});  // half anchors: half the change
  return s;
}

TEST(ShellSizer, AnchorsFollowTheClientSizeAndTheDpi) {
  Sizer s = MainLayout(0);  // a window that reports no DPI is laid out at 96
  // child, client width, height and dpi (0 falls back to the set-up one), rectangle.
  const struct { int id, w, h, dpi; SizerRect rect; } cases[] = {
      {1004, 800, 600, 96, {0, 0, 40, 600}},   {1004, 1000, 500, 96, {0, 0, 40, 500}},
      {1003, 1000, 500, 96, {40, 0, 1000, 500}}, {7, 900, 700, 96, {150, 150, 250, 300}},
      {1004, 1200, 900, 144, {0, 0, 60, 900}}, {1003, 1200, 900, 144, {60, 0, 1200, 900}},
      {1003, 1800, 1200, 192, {80, 0, 1800, 1200}}, {1004, 800, 600, 0, {0, 0, 40, 600}}};
  for (const auto& k : cases) EXPECT_EQ(LayoutChild(s, *FindSizerChild(&s, k.id), k.w, k.h, k.dpi), k.rect) << k.id << " " << k.w;
  // Registering an id again replaces it rather than adding a second child.
  AddSizerChild(&s, 7, {1, 2, 3, 4}, {});
  EXPECT_EQ(s.children.size(), 3u);
  EXPECT_EQ(FindSizerChild(&s, 7)->rect, (SizerRect{1, 2, 3, 4}));
  EXPECT_EQ(FindSizerChild(&s, 99), nullptr);
}

TEST(ShellSizer, LinePaneWidthMovesEdgesOnlyOnChange) {
  Sizer s = MainLayout();
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 40, 96)) << "already 40 wide";
  EXPECT_TRUE(SetLinePaneWidth(&s, 1004, 1003, 0, 96));
  EXPECT_EQ(FindSizerChild(&s, 1004)->rect, (SizerRect{0, 0, 0, 600}));
  EXPECT_EQ(FindSizerChild(&s, 1003)->rect.left, 0);
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 0, 96));
  EXPECT_TRUE(SetLinePaneWidth(&s, 1004, 1003, 57, 96));
  EXPECT_EQ(FindSizerChild(&s, 1004)->rect, (SizerRect{0, 0, 57, 600}));
  EXPECT_EQ(FindSizerChild(&s, 1003)->rect, (SizerRect{57, 0, 800, 600}));
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 5, 10, 96)) << "unknown pane";
  AddSizerChild(&s, 1004, {10, 0, 67, 600}, {0, 0, 0, 1});  // its width, not its right edge, counts
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 57, 96));

}

}  // namespace
