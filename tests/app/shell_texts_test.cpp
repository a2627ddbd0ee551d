// The main window's title and message texts, the file types of the dialogs
// and the shell wrapper's choice of the wide call.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "app/file_types.h"
#include "app/shell_texts.h"

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
  const std::string text = WelcomeText(0.042);
  EXPECT_EQ(text.rfind("Welcome to Orvinale (the \"Software\").\n\nTHIS IS AN UNSTABLE", 0), 0u);
  for (const std::string& part : {std::string("\nOrvinale version: 0.53-alpha (x64)\n"),
                                  std::string("\nStartup time: 0.042 sec\n"),
                                  std::string("visit: ") + kWebsiteAddress + "\n"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(VersionBoxText("Apr 30 2026 03:48:37", "0123abcd"),
            "Orvinale version: 0.53-alpha (x64)\n\nBuild timestamp: Apr 30 2026 03:48:37\nGit commit: 0123abcd");
  EXPECT_TRUE(std::regex_match(BuildTimestamp(), std::regex("[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9:]{8}")));
  EXPECT_TRUE(std::regex_match(BuildCommit(), std::regex("[0-9a-f]{40}"))) << BuildCommit();
}

TEST(ShellTexts, SaveBoxesNameTheFiles) {
  EXPECT_EQ(SaveFailureText(""), "Orvinale cannot save the file.");
  const std::string kept = "C:\\work\\~orvinale-save-3.tmp";
  const std::string failed = SaveFailureText(kept);
  EXPECT_EQ(failed.rfind("Orvinale cannot save the file.\n", 0), 0u);
  EXPECT_NE(failed.find("\n" + kept), std::string::npos);
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

}  // namespace
