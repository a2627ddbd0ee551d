// The text rules of folder scanning and the Folders and Switch windows:
// the extension list, the case-insensitive path order, the filter and the
// Switch rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/browse_rules.h"
#include "documents/no_case.h"
#include "documents/supported_extensions.h"

namespace {

using Tokens = std::vector<std::string>;

TEST(FolderRules, TokenizesTheExtensionListAtBlanksQuotesAndComments) {
  Tokens all = TokenizeExtensions(SupportedExtensions());
  EXPECT_EQ(all, (Tokens{".cpp", ".cc", ".cxx", ".hxx", ".hpp", ".hh", ".c", ".h", ".asm", ".s",
                         ".S", ".bat", ".cmd", ".txt"}));
  EXPECT_EQ(TokenizeExtensions(" \t.a\t\t.b  "), (Tokens{".a", ".b"}));
  EXPECT_EQ(TokenizeExtensions("\".my ext\" '.x y' `.q`"), (Tokens{".my ext", ".x y", ".q"}));
  EXPECT_EQ(TokenizeExtensions(".a #.b .c"), (Tokens{".a"}));
  EXPECT_EQ(TokenizeExtensions(".a ;.b"), (Tokens{".a"}));
  EXPECT_EQ(TokenizeExtensions(".a x#y"), (Tokens{".a", "x#y"})) << "only at a token's start";
  EXPECT_EQ(TokenizeExtensions("\"#.a\" .b"), (Tokens{"#.a", ".b"})) << "quoted # is text";
  EXPECT_EQ(TokenizeExtensions("'.open ended"), (Tokens{".open ended"}));
  EXPECT_EQ(TokenizeExtensions("\"\" .b"), (Tokens{"", ".b"}));
  EXPECT_TRUE(TokenizeExtensions("").empty());
  EXPECT_TRUE(TokenizeExtensions(nullptr).empty());
}

TEST(FolderRules, FilterMatchesAnywhereWithoutRegardToCase) {
  const char* path = "C:\\src\\Main.cpp";
  for (const char* hit : {"MAIN", "cpp", "c:\\SRC\\main.CPP", "", "C", "p"})
    EXPECT_TRUE(FilterMatches(path, hit)) << hit;
  for (const char* miss : {"cpq", "C:\\src\\Main.cpp2", "mainx"})
    EXPECT_FALSE(FilterMatches(path, miss)) << miss;
  EXPECT_TRUE(FilterMatches("C:\\src\\a.CPP", "cpp"));
  EXPECT_FALSE(FilterMatches("", "a"));
  EXPECT_TRUE(FilterMatches("", ""));
  EXPECT_TRUE(FilterMatches("C:\\\xCE\xB1\xCE\xB2.txt", "\xCE\xB2.TXT"));
}

TEST(SwitchRules, RowsShowTheFileNameAndTabWrapsBothWays) {
  EXPECT_EQ(FileNamePart("C:\\b\\x.txt"), "x.txt");
  EXPECT_EQ(FileNamePart("C:/a/y.txt"), "y.txt");
  EXPECT_EQ(FileNamePart("C:\\a/b\\z.c"), "z.c");
  EXPECT_EQ(FileNamePart("original-0.mem"), "original-0.mem");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");

  // Selected row, row count, then the rows Tab and Shift+Tab select.
  const int rows[][4] = {{0, 3, 1, 2}, {1, 3, 2, 0}, {2, 3, 0, 1}, {-1, 3, 0, 2},
                         {0, 1, 0, 0},  {-1, 0, -1, -1}, {0, 0, -1, -1}};
  for (const auto& r : rows) {
    EXPECT_EQ(NextSwitchRow(r[0], r[1]), r[2]) << r[0] << " of " << r[1];
    EXPECT_EQ(PreviousSwitchRow(r[0], r[1]), r[3]) << r[0] << " of " << r[1];
  }
}

}  // namespace
