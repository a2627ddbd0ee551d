// Several files: a folder in the Folders window, Switch, Previous, Reopen,
// Close and Close the rest; files that cannot be saved or opened.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

const Rgb kListHighlight{48, 150, 250};  // a selected row in the test prefix's colours
constexpr int kBelowCaption = 40;        // the caption's icon holds grey too

// Bands of rows holding text of colour c below the caption: one per line of a list.
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

  // "Root", the folder and its three supported files; Enter in the empty filter
  // fills the tree again should the scan have run late.
  unsigned long folders = app.Open(win, "alt+d", "Orvinale folders");
  ASSERT_NE(folders, 0u);
  Image shot;
  EXPECT_TRUE(WaitUntil([&] {
    if (TextRows(shot = app.Screenshot(folders, "folders.png"), kText) == 5) return true;
    app.Key(folders, "Return");
    return false;
  }, 20)) << TextRows(shot, kText) << " rows in the Folders tree";
  // A filter in any case narrows the tree; Down End Enter opens its last item.
  app.Type(folders, "MAIN");
  app.Key(folders, "Return");
  EXPECT_TRUE(app.WaitShot(folders, "filtered.png", [](const Image& s) { return TextRows(s, kText) == 3; },
                           &shot)) << TextRows(shot, kText) << " rows after the filter";
  app.Key(folders, "Down End Return");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("Main.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.Close(folders, "Escape", "Orvinale folders"));

  // The Switch list, in key order Main.cpp, util.h, original-0.mem, starts on its first row.
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

  // F2: the previous document; F5 reads its file again.
  ASSERT_TRUE(app.KeyThenTitle(win, "F2", MainTitle("Main.cpp")));
  app.Type(win, "typed");
  ASSERT_TRUE(WriteFile(app.Path("src/Main.cpp"), "int y;\n"));
  app.Key(win, "F5");
  app.Type(win, "x");
  EXPECT_TRUE(app.Saves(win, "src/Main.cpp", "xint y;\n")) << ReadFile(app.Path("src/Main.cpp"));

  // Ctrl+W shows the next document, or the new last one.
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+w", MainTitle("util.h"))) << TitleOf(win);
  ASSERT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-1.mem")));
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+w", MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+shift+w ctrl+w", kMainTitle)) << "documents left: " << TitleOf(win);
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_NE(IniValue(app.Ini(), "folders_wnd_w"), -1) << app.Ini();
}

bool BoxSays(Orvinale& app, const std::string& title, const std::string& text) {
  return WaitUntil([&] { return app.ControlTexts(title).find(text) != std::string::npos; }, 30);
}

TEST(Story, AFileThatCannotBeSavedOrOpenedIsReportedAndNothingIsLost) {
  Orvinale app;
  const std::string cd = "cd " + ShellQuote(app.Path("")) + " && ";
  ASSERT_EQ(Capture(cd + "mv portable Portable && rm -r skin && echo ok"), "ok\n");
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "keep " + std::to_string(i) + "\n";
  ASSERT_TRUE(WriteFile(app.Path("ro.cpp"), text) && WriteFile(app.Path("bad.txt"), "caf\xe9\n"));
  unsigned long win = app.StartMain({app.WindowsPath("ro.cpp")}, MainTitle("ro.cpp"));
  ASSERT_NE(win, 0u);
  Image shot;
  EXPECT_TRUE(app.WaitShot(win, "flat-bar.png", [](const Image& s) {
    return InClient(s, kText) > 500 && LightShareOfBar(s) > 0.5;
  }, &shot)) << "no flat scrollbar in the light system colours: " << LightShareOfBar(shot);

  Capture(cd + ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " cmd /c attrib +r ro.cpp; chmod a-w ro.cpp");
  app.Type(win, "changed ");
  // The failed save asks for a name; the same one fails with a message.
  unsigned long dialog = app.ChooseFile(win, "ctrl+s", "File save as", "ro.cpp");
  ASSERT_NE(dialog, 0u) << "no File save as after the failed save";
  unsigned long confirm = app.WaitWindow("File save as", 30, dialog);
  ASSERT_NE(confirm, 0u) << "no question about replacing ro.cpp";
  app.Key(confirm, "Return");
  EXPECT_TRUE(BoxSays(app, "Save file", "Orvinale cannot save the file.")) << app.ControlTexts("Save file");
  EXPECT_TRUE(app.DismissBox("Save file"));
  EXPECT_EQ(ReadFile(app.Path("ro.cpp")), text);
  ASSERT_NE(app.ChooseFile(win, "alt+s", "File save as", "copy.cpp"), 0u);
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("copy.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("copy.cpp", "changed " + text));

  ASSERT_NE(app.ChooseFile(win, "ctrl+o", "Open file", "bad.txt"), 0u);
  EXPECT_TRUE(BoxSays(app, "Open file", "Orvinale cannot open the file.")) << app.ControlTexts("Open file");
  EXPECT_TRUE(app.DismissBox("Open file"));
  EXPECT_EQ(TitleOf(win), MainTitle("copy.cpp"));
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_FALSE(Exists(app.Path("Portable/preferences.txt")) || Exists(app.Path("Portable/orvinale.ini")))
      << "a folder named Portable was taken for the portable folder";
}

}  // namespace
