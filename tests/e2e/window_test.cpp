// The program starts with its welcome box, then shows its main window with
// the menu and the panes, and ends with exit code 0 when it is closed.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";

TEST(MainWindow, OpensPaintsAndClosesWithExitCodeZero) {
  e2e::Orvinale app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.DismissWelcome()) << "no welcome box";
  unsigned long win = app.WaitWindow(kTitle);
  ASSERT_NE(win, 0u) << "no window titled " << kTitle;

  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "main.png");
    return shot.width > 100 && shot.height > 100;
  }, 30));
  // A caption on top, then the menu bar, then the dark panes below.
  EXPECT_NE(shot.At(shot.width / 2, 5), shot.At(shot.width / 2, shot.height / 2));

  app.Key(win, "alt+F4");
  int code = -1;
  ASSERT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

}  // namespace

namespace {

TEST(MainWindow, ShowsTheCommandLineFileInItsPanes) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("shown.txt"), "int main() {\n  return 0;\n}\n"));
  unsigned long win = app.StartMain({app.WindowsPath("shown.txt")}, "shown.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  // Text and line numbers are light on the dark panes.
  // Counted below the caption and menu, in the first rows of the panes.
  auto light = [](const e2e::Image& img, int x0, int x1) {
    int n = 0;
    for (int y = 45; y < 100 && y < img.height; ++y)
      for (int x = x0; x < x1; ++x) {
        e2e::Rgb c = img.At(x, y);
        n += c.r + c.g + c.b > 300;
      }
    return n;
  };
  EXPECT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "shown.png");
    return shot.width > 300 && light(shot, 80, 300) > 20;
  }, 20)) << "no text drawn in the text pane";
  // The line-number pane widens at the first timer tick and shows labels.
  EXPECT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "shown.png");
    return light(shot, 0, 66) > 20;
  }, 10)) << "no line numbers";
  app.Key(win, "ctrl+q");
  int code = -1;
  ASSERT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

}  // namespace
