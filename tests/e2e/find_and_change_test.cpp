// Editing a file given on the command line with Find, F3, Change and Go to,
// checked in the saved bytes; the dialogs and the maximized window keep their places.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

const char kName[] = "my notes.txt";  // a space: the path reaches the program quoted

// The given lines, then 6 to 9, each ending in CR LF, and `last`.
std::string File(std::initializer_list<std::string> lines, const std::string& last = "10\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text + "6\r\n7\r\n8\r\n9\r\n" + last;
}

bool Submit(Orvinale& app, unsigned long win, const std::string& keys, const std::string& title,
            const std::string& entry, const std::string& close = "Return") {
  unsigned long dialog = app.Open(win, keys, title);
  if (dialog == 0) return false;
  app.Type(dialog, entry);
  app.Key(dialog, close);
  return app.WaitWindowGone(title);
}

TEST(Story, WriteAFileFindThingsInItAndFindTheDialogsWhereTheyWereLeft) {
  Orvinale app;
  ASSERT_TRUE(
      WriteFile(app.Path(kName), File({"\tFOO foobar xfoo foo", "foo(", "last foo", "foo bar foo", "food"})));
  ASSERT_TRUE(WriteFile(app.Path("portable/orvinale.ini"),
                        "[orvinale]\r\nmain_wnd_x=70\r\nmain_wnd_w=640\r\nmain_wnd_maximized=1\r\n"));
  unsigned long win = app.StartMain({app.WindowsPath(kName)}, MainTitle(kName));
  ASSERT_NE(win, 0u);

  // The tab was read as two spaces; CR LF is kept.
  app.Type(win, "ab");
  app.Key(win, "Down End");
  app.Type(win, "!");
  EXPECT_TRUE(app.Saves(win, kName,
                        File({"ab  FOO foobar xfoo foo", "foo(!", "last foo", "foo bar foo", "food"})))
      << ReadFile(app.Path(kName));

  // Find starts case-sensitive and whole-word; the typed # makes that foo part
  // of a word, so F3 passes it. Escape closes Find without searching.
  app.Key(win, "ctrl+Home");
  ASSERT_TRUE(Submit(app, win, "ctrl+f", "Orvinale find", "foo")) << "Find did not open or close";
  app.Type(win, "#");
  app.Key(win, "F3");
  app.Type(win, "%");
  ASSERT_TRUE(Submit(app, win, "ctrl+f", "Orvinale find", "last", "Escape"));
  app.Type(win, "!");
  EXPECT_TRUE(app.Saves(win, kName,
                        File({"ab  FOO foobar xfoo #foo", "foo(!", "last %!foo", "foo bar foo", "food"})))
      << ReadFile(app.Path(kName));

  unsigned long change = app.Open(win, "ctrl+h", "Orvinale change");
  ASSERT_NE(change, 0u);
  app.Type(change, "foo\tbaz");
  app.Key(change, "Return");
  EXPECT_TRUE(app.WaitTitle(win, kMainTitle + " | 2 changes")) << TitleOf(win);
  EXPECT_TRUE(app.WaitWindowGone("Orvinale change"));
  EXPECT_TRUE(app.WaitTitle(win, kMainTitle)) << "the count stays: " << TitleOf(win);

  // Go to 99999 is the last line, 0 the first.
  app.Key(win, "ctrl+End BackSpace");
  for (auto [line, mark] : {std::pair{"99999", "#"}, {"0", "@"}, {"5", "$"}}) {
    ASSERT_TRUE(Submit(app, win, "ctrl+g", "Orvinale go to", line)) << line;
    app.Type(win, mark);
  }

  // Ctrl+F while Find is open gives it the focus.
  ASSERT_NE(app.Open(win, "ctrl+f", "Orvinale find"), 0u);
  app.Click(win, 300, 200);
  app.Key(win, "ctrl+Home");
  Capture("xdotool key --delay 30 ctrl+f; xdotool type --delay 30 last; xdotool key Return");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale find")) << "Enter did not reach Find";
  app.Type(win, "^");
  EXPECT_TRUE(app.Saves(
      win, kName, File({"@ab  FOO foobar xfoo #foo", "foo(!", "^last %!foo", "baz bar baz", "$food"}, "#10")))
      << ReadFile(app.Path(kName));

  // Each dialog opens at 0, 50 until moved; closed, it writes its place and reopens there.
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
    EXPECT_TRUE(WaitUntil([&] {
      return IniValue(app.Ini(), d.key + "_wnd_x") == d.x && IniValue(app.Ini(), d.key + "_wnd_y") == d.y;
    }, 10)) << app.Ini();
    dialog = app.Open(win, d.keys, d.title);
    EXPECT_TRUE(At(dialog, d.x, d.y)) << "reopened at " << BoxOf(dialog).x << "," << BoxOf(dialog).y;
    ASSERT_TRUE(app.Close(dialog, "Escape", d.title));
  }
  EXPECT_EQ(app.Quit(win), 0);
  // Maximized at the exit: the normal place stays.
  for (auto [key, value] : {std::pair{"main_wnd_maximized", 1}, {"main_wnd_x", 70}, {"main_wnd_w", 640}})
    EXPECT_EQ(IniValue(app.Ini(), key), value) << key << " in\n" << app.Ini();
  win = app.StartMain({app.WindowsPath(kName)}, MainTitle(kName));
  ASSERT_NE(win, 0u);
  unsigned long find = app.Open(win, "ctrl+f", "Orvinale find");
  EXPECT_TRUE(At(find, 333, 222)) << "after a restart at " << BoxOf(find).x << "," << BoxOf(find).y;
  ASSERT_TRUE(app.Close(find, "Escape", "Orvinale find"));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
