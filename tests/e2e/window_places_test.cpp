// Windows come back where they were left: the Find, Change and Go-to dialogs
// within a session and after a restart, and a main window closed maximized.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

bool At(unsigned long window, int x, int y) { return BoxOf(window).x == x && BoxOf(window).y == y; }

TEST(Story, WindowsComeBackWhereTheyWereLeft) {
  Orvinale app;
  ASSERT_TRUE(WriteFile(app.Path("d.txt"), "text\n"));
  // The last session ended maximized over a normal place at x 70, 640 wide.
  ASSERT_TRUE(WriteFile(app.Path("portable/orvinale.ini"),
                        "[orvinale]\r\nmain_wnd_x=70\r\nmain_wnd_w=640\r\nmain_wnd_maximized=1\r\n"));
  unsigned long win = app.StartMain({app.WindowsPath("d.txt")}, MainTitle("d.txt"));
  ASSERT_NE(win, 0u);
  struct Dialog {
    std::string keys, title, key;
    int x, y;
    std::string close;
  };
  for (const Dialog& d : {Dialog{"ctrl+f", "Orvinale find", "find", 333, 222, "Escape"},
                          Dialog{"ctrl+h", "Orvinale change", "change", 120, 400, "alt+F4"},
                          Dialog{"ctrl+g", "Orvinale go to", "goto", 260, 90, "Escape"}}) {
    SCOPED_TRACE(d.title);
    unsigned long dialog = app.Open(win, d.keys, d.title);
    ASSERT_NE(dialog, 0u);
    EXPECT_TRUE(At(dialog, 0, 50)) << "not at 0, 50 with no place in the profile";
    MoveWindow(dialog, d.x, d.y);
    ASSERT_TRUE(WaitUntil([&] { return At(dialog, d.x, d.y); }, 10));
    ASSERT_TRUE(app.Close(dialog, d.close, d.title));
    // The place is written when the window is destroyed, after it is hidden.
    EXPECT_TRUE(WaitUntil([&] {
      return IniValue(app.Ini(), d.key + "_wnd_x") == d.x && IniValue(app.Ini(), d.key + "_wnd_y") == d.y;
    }, 10)) << app.Ini();
    dialog = app.Open(win, d.keys, d.title);
    ASSERT_NE(dialog, 0u);
    EXPECT_TRUE(At(dialog, d.x, d.y)) << "reopened at " << BoxOf(dialog).x << "," << BoxOf(dialog).y;
    ASSERT_TRUE(app.Close(dialog, "Escape", d.title));
  }
  EXPECT_EQ(app.Quit(win), 0);
  // Still maximized at the exit: only that is written, and the normal place
  // stays for the day the window is restored.
  const std::string ini = app.Ini();
  EXPECT_EQ(IniValue(ini, "main_wnd_maximized"), 1) << ini;
  EXPECT_EQ(IniValue(ini, "main_wnd_x"), 70) << ini;
  EXPECT_EQ(IniValue(ini, "main_wnd_w"), 640) << ini;

  win = app.StartMain({app.WindowsPath("d.txt")}, MainTitle("d.txt"));
  ASSERT_NE(win, 0u);
  unsigned long find = app.Open(win, "ctrl+f", "Orvinale find");
  ASSERT_NE(find, 0u);
  EXPECT_TRUE(At(find, 333, 222)) << "after a restart at " << BoxOf(find).x << "," << BoxOf(find).y;
  ASSERT_TRUE(app.Close(find, "Escape", "Orvinale find"));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
