// The Find, Change and Go-to dialogs in the real program: keys, what they do
// to the text (checked through the saved file), the count in the title, and
// the positions they reopen at.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/search_support.h"

namespace {

const std::string kFind = "Orvinale find";
const std::string kChange = "Orvinale change";
const std::string kGoTo = "Orvinale go to";

// Writes the file and starts the program on it; the main window, or 0.
unsigned long StartOn(e2e::Orvinale& app, const std::string& name, const std::string& text) {
  if (!e2e::WriteFile(app.Path(name), text)) return 0;
  return app.StartMain({app.WindowsPath(name)}, e2e::MainTitle(name));
}

// Saves with Ctrl+S and waits until the file holds `expected`.
bool SavedAs(e2e::Orvinale& app, unsigned long win, const std::string& name,
             const std::string& expected) {
  app.Key(win, "ctrl+s");
  return e2e::WaitUntil([&] { return e2e::ReadFile(app.Path(name)) == expected; }, 15);
}

// Opens a dialog with its key and waits for it.
unsigned long OpenDialog(e2e::Orvinale& app, unsigned long win, const std::string& keys,
                         const std::string& title) {
  app.Key(win, keys);
  return app.WaitWindow(title, 20);
}

// Types the entry into the open dialog and presses Enter (OK).
bool Submit(e2e::Orvinale& app, unsigned long dialog, const std::string& title,
            const std::string& entry) {
  app.Type(dialog, entry);
  app.Key(dialog, "Return");
  return app.WaitWindowGone(title);
}

TEST(AppSearchDialogs, FindMatchesAWholeWordAndF3Continues) {
  e2e::Orvinale app;
  unsigned long win = StartOn(app, "a.txt", "FOO foobar xfoo foo\nfoo(\nlast foo\n");
  ASSERT_NE(win, 0u);
  unsigned long find = OpenDialog(app, win, "ctrl+f", kFind);
  ASSERT_NE(find, 0u);
  app.Type(find, "foo");
  app.Screenshot(find, "find.png");
  app.Key(find, "Return");
  ASSERT_TRUE(app.WaitWindowGone(kFind)) << "OK closes the dialog";
  // Both boxes start set: FOO, foobar and xfoo are passed over.
  app.Type(win, "#");
  // The typed # makes the found foo part of a word; F3 then skips foo( too.
  app.Key(win, "F3");
  app.Type(win, "%");
  EXPECT_TRUE(SavedAs(app, win, "a.txt", "FOO foobar xfoo #foo\nfoo(\nlast %foo\n"))
      << e2e::ReadFile(app.Path("a.txt"));

  // Escape closes without searching.
  find = OpenDialog(app, win, "ctrl+f", kFind);
  ASSERT_NE(find, 0u);
  app.Type(find, "last");
  app.Key(find, "Escape");
  ASSERT_TRUE(app.WaitWindowGone(kFind));
  app.Type(win, "!");
  EXPECT_TRUE(SavedAs(app, win, "a.txt", "FOO foobar xfoo #foo\nfoo(\nlast %!foo\n"))
      << e2e::ReadFile(app.Path("a.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppSearchDialogs, ChangeReplacesAllAndShowsTheCountForAWhile) {
  e2e::Orvinale app;
  unsigned long win = StartOn(app, "b.txt", "foo bar foo\nfood\n");
  ASSERT_NE(win, 0u);
  unsigned long change = OpenDialog(app, win, "ctrl+h", kChange);
  ASSERT_NE(change, 0u);
  app.Type(change, "foo");
  app.Key(change, "Tab");
  app.Type(change, "baz");
  app.Screenshot(change, "change.png");
  app.Key(change, "Return");
  // The count shows at once; Wine may take a while to remove the dialog.
  EXPECT_TRUE(e2e::WaitTitle(win, e2e::kMainTitle + " | 2 changes", 10)) << e2e::WindowTitle(win);
  ASSERT_TRUE(app.WaitWindowGone(kChange));
  EXPECT_TRUE(e2e::WaitTitle(win, e2e::kMainTitle, 10)) << "the count goes after 1.2 s";
  EXPECT_TRUE(SavedAs(app, win, "b.txt", "baz bar baz\nfood\n")) << e2e::ReadFile(app.Path("b.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppSearchDialogs, GoToClampsToTheFirstAndLastLine) {
  e2e::Orvinale app;
  unsigned long win = StartOn(app, "c.txt", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
  ASSERT_NE(win, 0u);
  // The empty line after the final line end goes, leaving exactly ten lines.
  app.Key(win, "ctrl+End BackSpace");
  unsigned long go = OpenDialog(app, win, "ctrl+g", kGoTo);
  ASSERT_NE(go, 0u);
  app.Type(go, "99999");
  app.Screenshot(go, "goto.png");
  app.Key(go, "Return");
  ASSERT_TRUE(app.WaitWindowGone(kGoTo));
  app.Type(win, "#");
  go = OpenDialog(app, win, "ctrl+g", kGoTo);
  ASSERT_NE(go, 0u);
  ASSERT_TRUE(Submit(app, go, kGoTo, "0"));
  app.Type(win, "@");
  go = OpenDialog(app, win, "ctrl+g", kGoTo);
  ASSERT_NE(go, 0u);
  ASSERT_TRUE(Submit(app, go, kGoTo, "5"));
  app.Type(win, "$");
  EXPECT_TRUE(SavedAs(app, win, "c.txt", "@1\n2\n3\n4\n$5\n6\n7\n8\n9\n#10"))
      << e2e::ReadFile(app.Path("c.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppSearchDialogs, FindNeedsADocumentAndASecondCtrlFFocusesIt) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+f");
  app.Key(win, "ctrl+n");
  // Keys are handled in order: once the new document shows, Ctrl+F is done.
  ASSERT_TRUE(e2e::WaitTitle(win, e2e::MainTitle("original-0.mem")));
  EXPECT_EQ(e2e::CountWindows(kFind), 0) << "Ctrl+F without a document does nothing";

  unsigned long find = OpenDialog(app, win, "ctrl+f", kFind);
  ASSERT_NE(find, 0u);
  // A click gives the main window the focus back. Ctrl+F there again: the
  // open dialog takes the focus, so the next keys (sent to whichever window
  // has the focus) reach its edit and OK.
  app.Click(win, 300, 200);
  e2e::Capture("xdotool key --delay 30 ctrl+f; xdotool type --delay 30 -- word; "
               "xdotool key --delay 30 Return");
  EXPECT_TRUE(app.WaitWindowGone(kFind)) << "Enter did not reach the Find dialog";
  EXPECT_EQ(app.Quit(win), 0);
}

// Moves the open dialog, closes it with `close_keys` and checks that the
// profile has the place and that the dialog reopens there.
void ExpectReopensWhereClosed(e2e::Orvinale& app, unsigned long win, const std::string& open_keys,
                              const std::string& title, const std::string& prefix, int x, int y,
                              const std::string& close_keys) {
  SCOPED_TRACE(title);
  unsigned long dialog = OpenDialog(app, win, open_keys, title);
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(e2e::WindowPosition(dialog), std::make_pair(0, 50)) << "an empty profile: 0, 50";
  e2e::MoveWindowTo(dialog, x, y);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowPosition(dialog) == std::make_pair(x, y); }, 10));
  app.Key(dialog, close_keys);
  ASSERT_TRUE(app.WaitWindowGone(title));
  // The place is written at WM_DESTROY, which comes after the window is
  // hidden: the file may lag the window's going.
  std::string ini;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
    return e2e::IniValue(ini, prefix + "_wnd_x", -1) == x && e2e::IniValue(ini, prefix + "_wnd_y", -1) == y;
  }, 10)) << ini;
  dialog = OpenDialog(app, win, open_keys, title);
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(e2e::WindowPosition(dialog), std::make_pair(x, y));
  app.Key(dialog, "Escape");
  ASSERT_TRUE(app.WaitWindowGone(title));
}

TEST(AppSearchDialogs, DialogsReopenWhereTheyWereClosed) {
  e2e::Orvinale app;
  unsigned long win = StartOn(app, "d.txt", "text\n");
  ASSERT_NE(win, 0u);
  ExpectReopensWhereClosed(app, win, "ctrl+f", kFind, "find", 333, 222, "Escape");
  ExpectReopensWhereClosed(app, win, "ctrl+h", kChange, "change", 120, 400, "alt+F4");
  ExpectReopensWhereClosed(app, win, "ctrl+g", kGoTo, "goto", 260, 90, "Escape");
  EXPECT_EQ(app.Quit(win), 0);

  // And after a restart.
  win = app.StartMain({app.WindowsPath("d.txt")}, e2e::MainTitle("d.txt"));
  ASSERT_NE(win, 0u);
  unsigned long find = OpenDialog(app, win, "ctrl+f", kFind);
  ASSERT_NE(find, 0u);
  EXPECT_EQ(e2e::WindowPosition(find), std::make_pair(333, 222));
  app.Key(find, "Escape");
  ASSERT_TRUE(app.WaitWindowGone(kFind));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
