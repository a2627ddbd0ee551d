// Title, change count, welcome text and file types.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/file_types.h"
#include "app/shell_texts.h"

namespace {

const std::string kTitle = "Orvinale 0.53-alpha (x64)";

TEST(ShellTexts, TitleShowsTheLastPathComponent) {
  EXPECT_EQ(std::string(kProductTitle), kTitle);
  EXPECT_EQ(MainTitleText(kTitle, true, "C:\\work\\notes.txt"), "notes.txt - " + kTitle);
  EXPECT_EQ(MainTitleText(kTitle, true, "/a/b/c.cpp"), "c.cpp - " + kTitle);
  EXPECT_EQ(MainTitleText(kTitle, true, "C:\\x/y\\z.h"), "z.h - " + kTitle);
  EXPECT_EQ(MainTitleText(kTitle, true, "original-0.mem"), "original-0.mem - " + kTitle);
  EXPECT_EQ(MainTitleText(kTitle, false, "C:\\work\\notes.txt"), kTitle);
  EXPECT_EQ(MainTitleText(kTitle, true, nullptr), kTitle);
  // The title is bounded to 2,047 bytes.
  std::string long_name(5000, 'n');
  EXPECT_EQ(MainTitleText(kTitle, true, long_name.c_str()).size(), 2047u);
}

TEST(ShellTexts, ChangeCountSingularAndPlural) {
  EXPECT_EQ(ChangeCountTitle(kTitle, 1), kTitle + " | 1 change");
  EXPECT_EQ(ChangeCountTitle(kTitle, 2), kTitle + " | 2 changes");
  EXPECT_EQ(ChangeCountTitle(kTitle, 0), "");
  EXPECT_EQ(ChangeCountTitle(std::string(600, 't'), 3).size(), 511u);
}

TEST(ShellTexts, WelcomeTextCarriesVersionAndStartupTime) {
  std::string text = WelcomeText(0.042);
  EXPECT_EQ(text.rfind("Welcome to Orvinale (the \"Software\").\n\nTHIS IS AN UNSTABLE", 0), 0u);
  EXPECT_NE(text.find("\nOrvinale version: 0.53-alpha (x64)\n"), std::string::npos);
  EXPECT_NE(text.find("\nStartup time: 0.042 sec\n"), std::string::npos);
  EXPECT_NE(text.find(std::string("visit: ") + kWebsiteAddress + "\n"), std::string::npos);
  EXPECT_LT(text.size(), 1024u);
}

TEST(ShellTexts, SaveBoxesNameTheFiles) {
  EXPECT_EQ(SaveFailureText(""), "Orvinale cannot save the file.");
  const std::string kept = "C:\\work\\~orvinale-save-3.tmp";
  std::string failed = SaveFailureText(kept);
  EXPECT_EQ(failed.rfind("Orvinale cannot save the file.\n", 0), 0u);
  EXPECT_NE(failed.find("\n" + kept), std::string::npos);
  EXPECT_NE(SavedTooLargeText("C:\\big.txt").find("\nC:\\big.txt\n"), std::string::npos);
}

TEST(ShellFileTypes, TableFilterAndPreselection) {
  EXPECT_STREQ(kFileTypes[0].label, "All supported files");
  EXPECT_STREQ(kFileTypes[6].patterns, "*.*");
  std::string filter = FileTypeFilter();
  // 14 strings, each with its NUL, then the closing NUL.
  EXPECT_EQ(std::count(filter.begin(), filter.end(), '\0'), 15);
  EXPECT_EQ(filter.substr(filter.size() - 2), std::string("\0\0", 2));
  EXPECT_EQ(filter.rfind("All supported files\0*.cpp;", 0), 0u);
  EXPECT_EQ(OpenDialogTypeIndex(), 0);
  EXPECT_EQ(SaveDialogTypeIndex(), -1) << "no row's last extension is cpp";
  EXPECT_STREQ(kDefaultExtension, "cpp");
}

TEST(ShellFileTypes, SaveNameGetsCppOnlyWithoutAnExtension) {
  EXPECT_EQ(SaveNameWithExtension("C:\\work\\notes.txt"), "C:\\work\\notes.txt");
  EXPECT_EQ(SaveNameWithExtension("C:\\work\\notes"), "C:\\work\\notes.cpp");
  EXPECT_EQ(SaveNameWithExtension("C:\\work\\notes.md"), "C:\\work\\notes.md")
      << "an extension outside the table is the user's too";
  EXPECT_EQ(SaveNameWithExtension("C:\\v1.2\\notes"), "C:\\v1.2\\notes.cpp")
      << "a dot in a folder name is no extension";
  EXPECT_EQ(SaveNameWithExtension("C:\\work\\notes."), "C:\\work\\notes.");
  EXPECT_EQ(SaveNameWithExtension("C:\\work\\.editorconfig"), "C:\\work\\.editorconfig");
  // The name as typed replaces the one the dialog returned, in its folder.
  EXPECT_EQ(WithTypedName("Z:\\w\\notes.txt.cpp", "Z:\\w\\notes.txt"), "Z:\\w\\notes.txt");
  EXPECT_EQ(WithTypedName("Z:\\w\\sub\\notes.txt.cpp", "sub\\notes.txt"), "Z:\\w\\sub\\notes.txt");
  EXPECT_EQ(WithTypedName("Z:\\w\\notes.cpp", ""), "Z:\\w\\notes.cpp") << "nothing typed known";
  EXPECT_EQ(SaveNameWithExtension(WithTypedName("Z:\\w\\notes.cpp", "notes")), "Z:\\w\\notes.cpp");
}

}  // namespace
