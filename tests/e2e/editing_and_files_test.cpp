// A file edited with Find, F3, Change and Go to; a long file read with the mouse
// and the keys; a folder browsed and its files switched; files that cannot be
// saved or opened. Checked in the saved bytes, titles, profile and screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

const char kName[] = "my notes.txt";  // a space: the path reaches the program quoted

// What Find, F3, Change and Go to do to a text is the native Search and SearchActions tests'; here
// each dialog takes what is typed in it and the keys reach the program.
TEST(Story, WriteAFileAndFindAndChangeThingsInIt) {
  Orvinale app;
  ASSERT_TRUE(app.Files({{kName, "a\r\nlast foo\r\nfoo bar foo\r\nfoo\r\n"},
                         {"portable/orvinale.ini", "[orvinale]\r\nmain_wnd_x=70\r\nmain_wnd_w=640\r\n"
                                                   "main_wnd_maximized=1\r\n"}}));
  unsigned long win = app.StartMain(std::string(".\\") + kName);
  ASSERT_NE(win, 0u);

  // Find searches on Enter (whole words: the typed # hides that foo from F3); Escape closes it unsearched.
  ASSERT_TRUE(app.Submit(win, "ctrl+f", "Orvinale find", "foo")) << "Find did not open or close";
  app.Key(win, "numbersign F3 percent");
  ASSERT_TRUE(app.Submit(win, "ctrl+f", "Orvinale find", "last", "Escape"));
  app.Type(win, "!");

  // Change counts in the title until the dialog is gone.
  unsigned long change = app.Open(win, "ctrl+h", "Orvinale change");
  ASSERT_NE(change, 0u);
  app.Type(change, "foo\tbaz");
  app.Key(change, "Return");
  EXPECT_TRUE(app.WaitTitle(win, kMainTitle + " | 2 changes")) << TitleOf(win);
  EXPECT_TRUE(app.WaitWindowGone("Orvinale change"));
  EXPECT_TRUE(app.WaitTitle(win, MainTitle(kName))) << "not the whole title again: " << TitleOf(win);
  ASSERT_TRUE(app.Submit(win, "ctrl+g", "Orvinale go to", "1"));
  app.Type(win, "@");
  // The file started by its relative name and opened again by its full name in other letters is the
  // one document, edits and all, shown and saved under the name on disk.
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+o", "Open file", "MY NOTES.TXT"));
  EXPECT_TRUE(app.WaitTitle(win, MainTitle(kName))) << TitleOf(win);
  app.Type(win, "&");
  EXPECT_TRUE(app.Saves(win, kName, "@&a\r\nlast #foo\r\n%!foo bar baz\r\nbaz\r\n")) << ReadBytes(app.Path(kName));
  EXPECT_EQ(app.Quit(win), 0);
  // Maximized at the exit: the normal place stays.
  EXPECT_EQ(IniMismatches(app.Ini(), {{"main_wnd_maximized", 1}, {"main_wnd_x", 70}, {"main_wnd_w", 640}}), "");
}

// The scrollbar's strip: pixels the test accepts.
int InBar(const Image& shot, const PixelTest& test) {
  return shot.Count(test, shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20);
}
double LightShareOfBar(const Image& shot) {  // a flat bar in the system colours is mostly light
  return static_cast<double>(InBar(shot, Grey(151, 255))) / InBar(shot, [](Rgb) { return true; });
}

int ThumbRows(const Image& shot) {
  // The longest run of mid-grey down the bar: the thumb is lighter than the
  // track and the arrow buttons.
  int best = 0;
  for (int y = kClientTop, run = 0; y < shot.height - 8; ++y) {
    const Rgb p = shot.At(shot.width - 14, y);
    run = p.r >= 40 && p.r <= 80 && p.r == p.g && p.g == p.b ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

// What a paint shows for a view, a click or a drag is the native SurfacePaint and SurfaceMouse
// tests' (a drag's messages the Windows panes test's); here the real mouse, wheel, clipboard and
// skinned frame reach the pane.
TEST(Story, ReadALongFileWithTheMouseAndTheKeys) {
  Orvinale app;
  std::string text;
  for (int i = 1; i <= 20000; ++i) text += "line number " + std::to_string(i) + "\n";
  ASSERT_TRUE(app.Files({{"long.txt", text},
                         {"portable/orvinale.ini", "[orvinale]\nmain_wnd_x=0\nmain_wnd_y=0\nmain_wnd_w=1260\n"
                                                   "main_wnd_h=700\nruler=1\n"}}));
  unsigned long win = app.StartMain("long.txt");
  ASSERT_NE(win, 0u);
  std::vector<int> tops;  // of the grey labels (all but the caret row's): rows 1, 2, ...
  ASSERT_TRUE(app.Shows(win, "long.png", [&](const Image& s) {
    tops = Bands(s.Rows(Is(kLabel), 0, kLabelsRight, kClientTop), 3);  // gaps inside a digit are shorter
    return InClient(s, kText) > 500 && tops.size() > 20 && CaretLabelRow(s) >= 0;
  })) << "no text, no line numbers or no highlighted label on the caret's row";
  const Image& shot = app.shot;  // the last picture taken
  const int cell = tops[1] - tops[0];
  ASSERT_GT(cell, 8);
  // The skinned bar drawn in the frame, its thumb kept usable (45 lines of 20,000 would be a pixel).
  EXPECT_LT(LightShareOfBar(shot), 0.1);
  EXPECT_TRUE(ThumbRows(shot) >= 25 && ThumbRows(shot) <= 40) << ThumbRows(shot) << " rows of thumb, if any bar";

  // Line 5 copied; after a wheel notch a click on row 10 puts the caret at the end of line 14 and
  // selects nothing, so Ctrl+C keeps the clipboard and Ctrl+V pastes line 5 there.
  app.Key(win, "Down Down Down Down shift+End ctrl+c");
  app.Click(win, shot.width / 2, shot.height / 2, 5);
  EXPECT_TRUE(app.Shows(win, "wheel.png", [](const Image& s) { return CaretLabelRow(s) < 0; }))
      << "the caret's label stayed after the wheel";
  app.Click(win, 200, tops[0] + 9 * cell + cell / 2);
  const size_t end14 = text.find("line number 15\n") - 1;
  text = text.substr(0, end14) + "line number 5" + text.substr(end14);
  app.Key(win, "ctrl+c ctrl+v");
  EXPECT_TRUE(app.Saves(win, "long.txt", text)) << "the clipboard lost line 5, or the paste went elsewhere";

  // The ruler and dots toggled by their keys are written to the profile at the exit.
  app.Key(win, "ctrl+r ctrl+d");
  EXPECT_EQ(app.Quit(win, "alt+F4"), 0);
  EXPECT_EQ(IniMismatches(app.Ini(), {{"ruler", 0}, {"whitespace", 0}}), "");
}

const Rgb kListHighlight{48, 150, 250};  // a selected row in the test prefix's colours
constexpr int kBelowCaption = 40;        // the caption's icon holds grey too

// Lines of grey text in a list below the caption.
size_t TextRows(const Image& image) { return Bands(image.Rows(Is(kText), 0, image.width, kBelowCaption)).size(); }

TEST(Story, BrowseAFolderAndSwitchBetweenItsFiles) {
  Orvinale app;
  ASSERT_TRUE(Capture("mkdir -p " + ShellQuote(app.Path("src/sub")) + " && echo ok") == "ok\n");
  for (const char* name : {"src/Main.cpp", "src/util.h", "src/sub/deep.txt", "src/notes.md", "src/Makefile"})
    ASSERT_TRUE(WriteBytes(app.Path(name), "int x;\n"));
  unsigned long win = app.StartMain("src/util.h");
  ASSERT_NE(win, 0u);
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+shift+o", "Open folder", "src"));

  // "Root", the folder and its three supported files; Enter in the empty filter
  // fills the tree again should the scan have run late.
  unsigned long folders = app.Open(win, "alt+d", "Orvinale folders");
  ASSERT_NE(folders, 0u);
  EXPECT_TRUE(WaitUntil([&] {
    if (TextRows(app.shot = app.Screenshot(folders, "folders.png")) == 5) return true;
    app.Key(folders, "Return");
    return false;
  }, 20)) << TextRows(app.shot) << " rows in the Folders tree";
  // A filter in any case narrows the tree; Down End Enter opens its last item.
  app.Type(folders, "MAIN");
  app.Key(folders, "Return");
  EXPECT_TRUE(app.Shows(folders, "filtered.png", [](const Image& s) { return TextRows(s) == 3; }))
      << TextRows(app.shot) << " rows after the filter";
  app.Key(folders, "Down End Return");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("Main.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.Close(folders, "Escape", "Orvinale folders"));

  // The Switch list, in key order Main.cpp, util.h, original-0.mem (its rows and keys are the native
  // SwitchRules and Dispatch tests'), drawn and taking Tab and Enter.
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("original-0.mem")));
  EXPECT_TRUE(app.Visit(win, "ctrl+Tab", "Orvinale switch", [](const Image& s) {
    return TextRows(s) == 2 && s.Count(kListHighlight, 0, kBelowCaption, s.width, kBelowCaption + 30) > 500;
  }, "Tab Return")) << TextRows(app.shot) << " grey rows, not two under a highlighted one";
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("util.h"))) << TitleOf(win);
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(Story, AFileThatCannotBeSavedOrOpenedIsReportedAndNothingIsLost) {
  Orvinale app;
  const std::string cd = "cd " + ShellQuote(app.Path("")) + " && ";
  ASSERT_EQ(Capture(cd + "mv portable Portable && rm -r skin && echo ok"), "ok\n");
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "keep " + std::to_string(i) + "\n";
  ASSERT_TRUE(app.Files({{"ro.cpp", text}}));
  unsigned long win = app.StartMain("ro.cpp");
  ASSERT_NE(win, 0u);
  EXPECT_TRUE(app.Shows(win, "flat-bar.png", [](const Image& s) {
    return InClient(s, kText) > 500 && LightShareOfBar(s) > 0.5;
  })) << "no flat scrollbar in the light system colours: " << LightShareOfBar(app.shot);

  Capture(cd + ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " cmd /c attrib +r ro.cpp; chmod a-w ro.cpp");
  app.Type(win, "changed ");
  // The failed save says why (Wine: "Access denied.", Windows: "Access is denied.") and asks a name.
  const std::string refused = "Orvinale cannot save the file:\n" + app.WindowsPath("ro.cpp") + "\n\nAccess ";
  app.Key(win, "ctrl+s");
  EXPECT_TRUE(app.BoxSays("Save file", refused)) << app.ControlTexts("Save file");
  ASSERT_TRUE(app.ChooseFile(win, "", "File save as", "copy.cpp")) << "no File save as after the failed save";
  EXPECT_TRUE(app.WaitBytes("copy.cpp", "changed " + text));
  EXPECT_EQ(ReadBytes(app.Path("ro.cpp")), text);
  // Reopen of a file deleted meanwhile says so and keeps the text for the next save.
  ASSERT_EQ(std::remove(app.Path("copy.cpp").c_str()), 0);
  app.Key(win, "F5");
  EXPECT_TRUE(app.BoxSays("Open file", "Orvinale cannot open the file:\n" + app.WindowsPath("copy.cpp") +
                                         "\n\nThe file does not exist.")) << app.ControlTexts("Open file");
  EXPECT_TRUE(app.Saves(win, "copy.cpp", "changed " + text)) << "the text was lost at the failed Reopen";
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_FALSE(FileExists(app.Path("Portable/preferences.txt")) || FileExists(app.Path("Portable/orvinale.ini")))
      << "a folder named Portable was taken for the portable folder";

  // A long name given in the \\?\ form opens from the command line and is saved under it.
  const std::string deep = std::string(250, 'd') + "/long.txt";
  ASSERT_EQ(Capture(cd + "mkdir " + std::string(250, 'd') + " && echo long > " + deep + " && echo ok"), "ok\n");
  win = app.StartMain("\\\\?\\" + app.WindowsPath(deep));
  ASSERT_NE(win, 0u);
  app.Type(win, "x");
  EXPECT_TRUE(app.Saves(win, deep, "xlong\n")) << ReadBytes(app.Path(deep));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
