// File commands of the real program: the command-line file, typing and
// saving byte for byte, New, Open and the messages of refused files.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

TEST(AppFile, QuotedPathWithSpacesOpensAndCtrlSSavesByteForByte) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("my notes.txt"), "one\r\ntwo\r\n"));
  unsigned long win = app.StartMain({app.WindowsPath("my notes.txt")}, "my notes.txt - " + e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Type(win, "ab");
  app.Key(win, "Down End");
  app.Type(win, "!");
  app.Key(win, "ctrl+s");
  EXPECT_TRUE(e2e::WaitUntil([&] {
    return e2e::ReadFile(app.Path("my notes.txt")) == "abone\r\ntwo!\r\n";
  }, 10)) << e2e::ReadFile(app.Path("my notes.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppFile, TabsExpandedFileSavesWithSpacesAndLf) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("tabs.txt"), "\tx\ny\n"));
  unsigned long win = app.StartMain({app.WindowsPath("tabs.txt")}, "tabs.txt - " + e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+End");
  app.Type(win, "z");
  app.Key(win, "ctrl+s");
  EXPECT_TRUE(e2e::WaitUntil([&] {
    return e2e::ReadFile(app.Path("tabs.txt")) == "  x\ny\nz";
  }, 10)) << e2e::ReadFile(app.Path("tabs.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
