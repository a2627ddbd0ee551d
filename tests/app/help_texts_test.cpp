// The Version box's text and build stamp, and the shell wrapper's choice of
// the wide or the narrow call.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "app/shell_texts.h"

namespace {

TEST(HelpTexts, VersionBoxText) {
  EXPECT_STREQ(kVersionCaption, "Version details");
  EXPECT_EQ(VersionBoxText("Apr 30 2026 03:48:37", "0123456789abcdef0123456789abcdef01234567"),
            "Orvinale version: 0.53-alpha (x64)\n\nBuild timestamp: Apr 30 2026 03:48:37\n"
            "Git commit: 0123456789abcdef0123456789abcdef01234567");
}

TEST(HelpTexts, BuildStampHasTheCompilerDateAndARevision) {
  // __DATE__ pads a one-digit day with a space: "Dec  6 2026".
  EXPECT_TRUE(std::regex_match(BuildTimestamp(),
                               std::regex("[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
      << BuildTimestamp();
  EXPECT_TRUE(std::regex_match(BuildCommit(), std::regex("[0-9a-f]{40}"))) << BuildCommit();
}

TEST(HelpTexts, ShellTakesTheWideCallForMultiByteOrInvalidText) {
  EXPECT_FALSE(ShellNeedsWide({"", "notepad.exe", "C:\\Program Files\\orvinale\\documentation.txt", ""}));
  EXPECT_FALSE(ShellNeedsWide({"", "https://orvinale.example.org/", nullptr, ""}));
  EXPECT_FALSE(ShellNeedsWide({}));
  EXPECT_TRUE(ShellNeedsWide({"", "notepad.exe", "C:\\Users\\J\xC3\xBCrgen\\documentation.txt", ""}));
  EXPECT_TRUE(ShellNeedsWide({"", "notepad.exe", "", "C:\\\xE6\x96\x87\\"})) << "any one of them";
  EXPECT_TRUE(ShellNeedsWide({"", "notepad.exe", "C:\\caf\xE9\\documentation.txt", ""}))
      << "not UTF-8 at all";
}

}  // namespace
