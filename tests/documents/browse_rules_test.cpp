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

TEST(FolderRules, ExtensionMatchIgnoresCaseAndTakesThePartAfterTheLastDot) {
  Tokens list = TokenizeExtensions(SupportedExtensions());
  EXPECT_TRUE(HasListedExtension(list, "C:\\r\\a.CPP"));
  EXPECT_TRUE(HasListedExtension(list, "C:\\r\\b.txt"));
  EXPECT_TRUE(HasListedExtension(list, "C:\\r\\c.S"));
  EXPECT_TRUE(HasListedExtension(list, "/r/c.s"));
  EXPECT_FALSE(HasListedExtension(list, "C:\\r\\Makefile"));
  EXPECT_FALSE(HasListedExtension(list, "C:\\r\\d.tar.gz"));
  EXPECT_FALSE(HasListedExtension(list, "C:\\r.cpp\\README"))
      << "a dot in a folder name is no extension";
  EXPECT_FALSE(HasListedExtension(list, "C:\\r\\x.cppx"));
  EXPECT_FALSE(HasListedExtension(TokenizeExtensions("\"\""), "C:\\r\\Makefile"));
}

TEST(FolderRules, PathOrderIsStricmpOrder) {
  EXPECT_LT(CompareNoCase("C:\\r\\a\\z.cpp", "C:\\r\\B.txt"), 0);
  EXPECT_GT(CompareNoCase("C:\\r\\B.txt", "C:\\r\\a\\z.cpp"), 0);
  EXPECT_EQ(CompareNoCase("C:\\SRC\\Main.CPP", "c:\\src\\main.cpp"), 0);
  EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
  // Lower-casing, not upper-casing: '_' (0x5F) sorts before every letter.
  EXPECT_LT(CompareNoCase("a_b", "aBb"), 0);
  // Plain bytes otherwise: '\' (0x5C) after '.' (0x2E).
  EXPECT_GT(CompareNoCase("r\\b", "r.d"), 0);
  // Bytes above 0x7F compare unsigned and unchanged.
  EXPECT_GT(CompareNoCase("\xC3\xA9", "z"), 0);
  EXPECT_TRUE(PathLessNoCase("C:\\r\\a\\z.cpp", "C:\\r\\B.txt"));
  EXPECT_FALSE(PathLessNoCase("x", "X"));
}

TEST(FolderRules, FilterMatchesAnywhereWithoutRegardToCase) {
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", "MAIN"));
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", "cpp"));
  EXPECT_TRUE(FilterMatches("C:\\src\\a.CPP", "cpp"));
  EXPECT_FALSE(FilterMatches("C:\\src\\Main.h", "cpp"));
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", "c:\\SRC\\main.CPP")) << "the whole path";
  EXPECT_FALSE(FilterMatches("C:\\src\\Main.cpp", "C:\\src\\Main.cpp2")) << "longer than the path";
  EXPECT_FALSE(FilterMatches("", "a"));
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", ""));
  EXPECT_TRUE(FilterMatches("", ""));
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", "C")) << "first byte";
  EXPECT_TRUE(FilterMatches("C:\\src\\Main.cpp", "p")) << "last byte";
  EXPECT_TRUE(FilterMatches("C:\\\xCE\xB1\xCE\xB2.txt", "\xCE\xB2.TXT"));
}

TEST(SwitchRules, RowsShowTheFileNameAndTabWrapsBothWays) {
  EXPECT_EQ(FileNamePart("C:\\b\\x.txt"), "x.txt");
  EXPECT_EQ(FileNamePart("C:/a/y.txt"), "y.txt");
  EXPECT_EQ(FileNamePart("C:\\a/b\\z.c"), "z.c");
  EXPECT_EQ(FileNamePart("original-0.mem"), "original-0.mem");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");

  EXPECT_EQ(NextSwitchRow(0, 3), 1);
  EXPECT_EQ(NextSwitchRow(1, 3), 2);
  EXPECT_EQ(NextSwitchRow(2, 3), 0) << "last wraps to first";
  EXPECT_EQ(NextSwitchRow(-1, 3), 0) << "no selection";
  EXPECT_EQ(NextSwitchRow(0, 1), 0);
  EXPECT_EQ(NextSwitchRow(-1, 0), -1) << "no rows";
  EXPECT_EQ(PreviousSwitchRow(2, 3), 1);
  EXPECT_EQ(PreviousSwitchRow(0, 3), 2) << "first wraps to last";
  EXPECT_EQ(PreviousSwitchRow(-1, 3), 2);
  EXPECT_EQ(PreviousSwitchRow(0, 1), 0);
  EXPECT_EQ(PreviousSwitchRow(0, 0), -1);
}

}  // namespace
