// Working on several files: a folder opened and browsed in the Folders
// window, the Switch list, Previous, Reopen, Close and Close the rest.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/screen.h"

namespace {

using namespace e2e;

const Rgb kListHighlight{48, 150, 250};  // a selected row in the test prefix's colours
constexpr int kBelowCaption = 40;        // the caption's icon holds grey too

// The number of bands of rows holding text of colour c below the caption: one
// per line of a list.
int TextRows(const Image& image, const Rgb& c) {
  int bands = 0;
  bool inside = false;
  for (int y = kBelowCaption; y < image.height; ++y) {
    bool has_text = image.Count(c, 0, y, image.width, y + 1) > 0;
    bands += has_text && !inside;
    inside = has_text;
  }
  return bands;
}

TEST(Story, BrowseAFolderAndSwitchBetweenItsFiles) {
  Orvinale app;
  ASSERT_TRUE(Capture("mkdir -p " + ShellQuote(app.Path("src/sub")) + " && echo ok") == "ok\n");
  for (const char* name : {"src/Main.cpp", "src/util.h", "src/sub/deep.txt", "src/notes.md", "src/Makefile"})
    ASSERT_TRUE(WriteFile(app.Path(name), "int x;\n"));
  unsigned long win = app.StartMain({app.WindowsPath("src/util.h")}, MainTitle("util.h"));
  ASSERT_NE(win, 0u);
  ASSERT_NE(app.ChooseFile(win, "ctrl+shift+o", "Open folder", "src"), 0u);
  ASSERT_TRUE(app.WaitWindowGone("Open folder"));

  // "Root", the folder and its three supported files. The tree is filled
  // when the window opens; should the scan still have been running then,
  // Enter in the (empty) filter box fills it again.
  unsigned long folders = app.Open(win, "alt+d", "Orvinale folders");
  ASSERT_NE(folders, 0u);
  Image shot;
  EXPECT_TRUE(WaitUntil([&] {
    if (TextRows(shot = app.Screenshot(folders, "folders.png"), kText) == 5) return true;
    app.Key(folders, "Return");
    return false;
  }, 20)) << TextRows(shot, kText) << " rows in the Folders tree";
  // The filter box has the focus: a filter (in any case) narrows the tree,
  // Down goes to the tree, End selects its last item and Enter opens it.
  app.Type(folders, "MAIN");
  app.Key(folders, "Return");
  EXPECT_TRUE(app.WaitShot(folders, "filtered.png", [](const Image& s) { return TextRows(s, kText) == 3; },
                           &shot)) << TextRows(shot, kText) << " rows after the filter";
  app.Key(folders, "Down End Return");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("Main.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.Close(folders, "Escape", "Orvinale folders"));

  // The Switch list shows the documents in the order of their keys, "Z:\...
  // \Main.cpp" < "Z:\...\util.h" < "original-0.mem", starting on the first
  // row whichever is current: one highlighted row over two grey ones.
  ASSERT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-0.mem")));
  auto choose = [&](const std::string& keys, const std::string& name) {
    unsigned long list = app.Open(win, "ctrl+Tab", "Orvinale switch");
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(app.WaitShot(list, "switch.png", [](const Image& s) {
      return TextRows(s, kText) == 2 &&
             s.Count(kListHighlight, 0, kBelowCaption, s.width, kBelowCaption + 30) > 500;
    }, &shot)) << TextRows(shot, kText) << " grey rows, not two under a highlighted one";
    EXPECT_TRUE(app.Close(list, keys, "Orvinale switch"));
    EXPECT_TRUE(app.WaitTitle(win, MainTitle(name))) << keys << ": " << TitleOf(win);
  };
  choose("Return", "Main.cpp");
  choose("Tab Return", "util.h");
  choose("Tab Tab Tab Return", "Main.cpp");  // round to the first row
  choose("shift+Tab Return", "original-0.mem");  // from the first row to the last

  // F2 goes back to the previous document; F5 reads its file again and drops
  // what was typed.
  ASSERT_TRUE(app.KeyThenTitle(win, "F2", MainTitle("Main.cpp")));
  app.Type(win, "typed");
  ASSERT_TRUE(WriteFile(app.Path("src/Main.cpp"), "int y;\n"));
  app.Key(win, "F5");
  app.Type(win, "x");
  EXPECT_TRUE(app.Saves(win, "src/Main.cpp", "xint y;\n")) << ReadFile(app.Path("src/Main.cpp"));

  // Ctrl+W shows the document after the closed one, or the new last one
  // when the last one closes; Close the rest leaves only the current one.
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+w", MainTitle("util.h"))) << TitleOf(win);
  ASSERT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-1.mem")));
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+w", MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+shift+w ctrl+w", kMainTitle)) << "documents left: " << TitleOf(win);
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_NE(IniValue(app.Ini(), "folders_wnd_w"), -1) << app.Ini();
}

}  // namespace
