// The program starts, shows its main window, paints it, and ends with exit
// code 0 when the window is closed.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const e2e::Rgb kEmptyScreen{48, 25, 52};

TEST(MainWindow, OpensPaintsAndClosesWithExitCodeZero) {
  e2e::Orvinale app;
  ASSERT_TRUE(app.Start());
  unsigned long win = app.WaitWindow(kTitle);
  ASSERT_NE(win, 0u) << "no window titled " << kTitle;

  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win);
    return shot.width > 100 && shot.At(shot.width / 2, shot.height / 2) == kEmptyScreen;
  }, 30)) << "centre pixel " << e2e::ToString(shot.At(shot.width / 2, shot.height / 2));
  // The client area is the empty-screen colour almost everywhere; the frame
  // and caption are not.
  int inside = shot.Count(kEmptyScreen, 0, 0, shot.width, shot.height);
  EXPECT_GT(inside, shot.width * shot.height * 8 / 10);
  EXPECT_NE(shot.At(shot.width / 2, 5), kEmptyScreen) << "caption expected at the top";

  app.Key(win, "alt+F4");
  int code = -1;
  ASSERT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

}  // namespace
