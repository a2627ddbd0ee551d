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

// The given lines, then 6 to 9, each ending in CR LF, and `last`.
std::string File(std::initializer_list<std::string> lines, const std::string& last = "10\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text + "6\r\n7\r\n8\r\n9\r\n" + last;
}

bool At(unsigned long window, int x, int y) { return BoxOf(window).x == x && BoxOf(window).y == y; }

TEST(Story, WriteAFileFindThingsInItAndFindTheDialogsWhereTheyWereLeft) {
  Orvinale app;
  ASSERT_TRUE(app.Files({{kName, File({"\tFOO foobar xfoo foo", "foo(", "last foo", "foo bar foo", "food"})},
                         {"portable/orvinale.ini", "[orvinale]\r\nmain_wnd_x=70\r\nmain_wnd_w=640\r\n"
                                                   "main_wnd_maximized=1\r\n"}}));
  unsigned long win = app.StartMain(kName);
  ASSERT_NE(win, 0u);

  // The tab was read as two spaces; CR LF is kept.
  app.Type(win, "ab");
  app.Key(win, "Down End");
  app.Type(win, "!");
  EXPECT_TRUE(app.Saves(win, kName, File({"ab  FOO foobar xfoo foo", "foo(!", "last foo", "foo bar foo", "food"})))
      << ReadFile(app.Path(kName));

  // Find starts case-sensitive and whole-word; the typed # makes that foo part
  // of a word, so F3 passes it. Escape closes Find without searching.
  app.Key(win, "ctrl+Home");
  ASSERT_TRUE(app.Submit(win, "ctrl+f", "Orvinale find", "foo")) << "Find did not open or close";
  app.Type(win, "#");
  app.Key(win, "F3");
  app.Type(win, "%");
  ASSERT_TRUE(app.Submit(win, "ctrl+f", "Orvinale find", "last", "Escape"));
  app.Type(win, "!");
  EXPECT_TRUE(app.Saves(win, kName, File({"ab  FOO foobar xfoo #foo", "foo(!", "last %!foo", "foo bar foo", "food"})))
      << ReadFile(app.Path(kName));

  // Change counts in the title until the dialog is gone.
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
    ASSERT_TRUE(app.Submit(win, "ctrl+g", "Orvinale go to", line)) << line;
    app.Type(win, mark);
  }

  // Ctrl+F while Find is open gives it the focus.
  ASSERT_NE(app.Open(win, "ctrl+f", "Orvinale find"), 0u);
  app.Click(win, 300, 200);
  app.Key(win, "ctrl+Home");
  Capture("xdotool key --delay 30 ctrl+f; xdotool type --delay 30 last; xdotool key Return");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale find")) << "Enter did not reach Find";
  app.Type(win, "^");
  EXPECT_TRUE(app.Saves(win, kName,
                        File({"@ab  FOO foobar xfoo #foo", "foo(!", "^last %!foo", "baz bar baz", "$food"}, "#10")))
      << ReadFile(app.Path(kName));

  // Each owned window opens at 0, 50 until moved; closed, it writes its place and reopens there.
  struct Dialog {
    std::string keys, title, key;
    int x, y;
    std::string close;
  };
  for (const Dialog& d : {Dialog{"ctrl+f", "Orvinale find", "find", 333, 222, "Escape"},
                          Dialog{"ctrl+h", "Orvinale change", "change", 120, 400, "alt+F4"},
                          Dialog{"ctrl+g", "Orvinale go to", "goto", 260, 90, "Escape"},
                          Dialog{"ctrl+p", "Orvinale preferences", "preferences", 60, 90, "alt+F4"}}) {
    SCOPED_TRACE(d.title);
    unsigned long dialog = app.Open(win, d.keys, d.title);
    ASSERT_NE(dialog, 0u);
    EXPECT_TRUE(At(dialog, 0, 50)) << "not at 0, 50 with no place in the profile";
    Capture("xdotool windowmove " + std::to_string(dialog) + " " + std::to_string(d.x) + " " + std::to_string(d.y));
    ASSERT_TRUE(WaitUntil([&] { return At(dialog, d.x, d.y); }, 10));
    ASSERT_TRUE(app.Close(dialog, d.close, d.title));
    const std::vector<std::pair<std::string, int>> place{{d.key + "_wnd_x", d.x}, {d.key + "_wnd_y", d.y}};
    EXPECT_TRUE(WaitUntil([&] { return IniMismatches(app.Ini(), place).empty(); }, 10)) << app.Ini();
    dialog = app.Open(win, d.keys, d.title);
    EXPECT_TRUE(At(dialog, d.x, d.y)) << "reopened at " << BoxOf(dialog).x << "," << BoxOf(dialog).y;
    ASSERT_TRUE(app.Close(dialog, d.close, d.title));
  }
  EXPECT_EQ(app.Quit(win), 0);
  // Maximized at the exit: the normal place stays; so does Find's through a restart.
  EXPECT_EQ(IniMismatches(app.Ini(), {{"main_wnd_maximized", 1}, {"main_wnd_x", 70}, {"main_wnd_w", 640}}), "");
  win = app.StartMain(kName);
  ASSERT_NE(win, 0u);
  unsigned long find = app.Open(win, "ctrl+f", "Orvinale find");
  EXPECT_TRUE(At(find, 333, 222)) << "after a restart at " << BoxOf(find).x << "," << BoxOf(find).y;
  ASSERT_TRUE(app.Close(find, "Escape", "Orvinale find"));
  EXPECT_EQ(app.Quit(win), 0);
}

const Rgb kSelected{77, 77, 153};  // (128,128,255) at 0.6 over black: selection, block caret
const Rgb kRed{255, 0, 0};         // the caret while a selection shows

// Text pixels on each client row: equal profiles show the same text.
std::vector<int> TextProfile(const Image& shot) {
  std::vector<int> rows;
  for (int y = kClientTop; y < shot.height; ++y) rows.push_back(shot.Count(kText, 0, y, shot.width, y + 1));
  return rows;
}

// The scrollbar's strip: pixels the test accepts.
int InBar(const Image& shot, const PixelTest& test) {
  return shot.Count(test, shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20);
}
int NotBlackInBar(const Image& shot) { return InBar(shot, [](Rgb p) { return p != Rgb{}; }); }
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

TEST(Story, ReadALongFileWithTheMouseAndTheKeys) {
  Orvinale app;
  std::string text = RulerRows(), wide;  // lines 1 to 4 of the long file
  for (int i = 5; i <= 20000; ++i) text += "line number " + std::to_string(i) + "\n";
  for (int i = 1; i <= 20; ++i) wide += std::string(300, 'w') + "\n";
  ASSERT_TRUE(app.Files({{"long.txt", text}, {"wide.txt", wide},
                         {"portable/orvinale.ini", "[orvinale]\nmain_wnd_x=0\nmain_wnd_y=0\nmain_wnd_w=1260\n"
                                                   "main_wnd_h=700\nruler=1\n"}}));
  unsigned long win = app.StartMain("long.txt");
  ASSERT_NE(win, 0u);
  std::vector<int> tops;  // of the grey labels: rows 1, 2, ...
  int first = 0, last = 0;
  ASSERT_TRUE(app.Shows(win, "long.png", [&](const Image& s) {
    tops = LabelTops(s);
    return InClient(s, kText) > 500 && tops.size() > 20 && (first = CaretLabelRow(s, &last)) >= 0;
  })) << "no text, no line numbers or no highlighted label on the caret's row";
  const Image& shot = app.shot;  // the last picture taken
  const int cell = tops[1] - tops[0];
  ASSERT_GT(cell, 8);
  EXPECT_LT(last - first, cell) << "more than one highlighted label";
  EXPECT_LT(last, tops[0]) << "the caret's label is not on the first row";
  ExpectRulerBetweenMarks(shot);  // the ruler's column by default: 120
  EXPECT_GE(shot.Count(kDot, 0, kClientTop, shot.width, kClientTop + 12), 79) << "a dot in each blank cell";
  // The skinned bar, its thumb kept usable (45 lines of 20,000 would be a pixel).
  EXPECT_LT(LightShareOfBar(shot), 0.1);
  EXPECT_GT(NotBlackInBar(shot), 12 * (shot.height - kClientTop - 40) / 2) << "no scrollbar";
  EXPECT_TRUE(ThumbRows(shot) >= 25 && ThumbRows(shot) <= 40) << ThumbRows(shot);

  // Line 5 copied; after a wheel notch a click held over a paint selects
  // nothing, so Ctrl+C keeps the clipboard and Ctrl+V pastes line 5 on line 14.
  app.Key(win, "Down Down Down Down shift+End ctrl+c");
  app.Click(win, shot.width / 2, shot.height / 2, 5);
  EXPECT_TRUE(app.Shows(win, "wheel.png", [](const Image& s) { return CaretLabelRow(s) < 0; }))
      << "the caret's label stayed after the wheel";
  const int row10 = tops[0] + 9 * cell + cell / 2;
  app.Press(win, 200, row10);
  const bool painted = app.Shows(win, "held.png", [&](const Image& s) {
    return (first = CaretLabelRow(s, &last)) >= 0;
  });
  app.Release();
  ASSERT_TRUE(painted) << "no caret after the click";
  EXPECT_TRUE(first > row10 - cell && last < row10 + cell) << "the caret is not on the clicked row";
  const size_t end14 = text.find("line number 15\n") - 1;
  text = text.substr(0, end14) + "line number 5" + text.substr(end14);
  app.Key(win, "ctrl+c ctrl+v");
  EXPECT_TRUE(app.Saves(win, "long.txt", text)) << "the clipboard lost line 5, or the paste went elsewhere";

  // A drag from row 6 to row 9 selects them and leaves the red caret on row 9.
  const int from = tops[0] + 4 * cell + cell / 2, to = tops[0] + 7 * cell + cell / 2;
  app.Drag(win, 140, from, 200, to);
  std::vector<int> selected;
  EXPECT_TRUE(app.Shows(win, "dragged.png", [&](const Image& s) {
    selected = s.Rows(Is(kSelected), kLabelsRight, s.width, kClientTop);
    return !selected.empty() && CaretLabelRow(s) > to - cell && InClient(s, kRed) > 5;
  })) << "no selection, or no red caret with its label on the row released at " << to;
  EXPECT_TRUE(!selected.empty() && selected.front() >= from - cell && selected.back() <= to + cell &&
              selected.back() - selected.front() > 2 * cell) << "for a drag from " << from << " to " << to;
  app.Key(win, "Right Insert");
  EXPECT_TRUE(app.Shows(win, "overwrite.png", [](const Image& s) {
    return InClient(s, kSelected) > 20 && InClient(s, kSelected) < 400 && InClient(s, kRed) == 0;
  })) << "no block caret in overwrite mode";

  // A new document shows nothing of the long one's scrollbar; F2 brings the view back.
  for (int i = 0; i < 7; ++i) app.Key(win, "Down Down Down Down Down Down Down Down Down Down");
  std::vector<int> previous;
  ASSERT_TRUE(app.Shows(win, "down.png", [&](const Image& s) {
    std::vector<int> now = TextProfile(s);
    const bool settled = now == previous;  // two pictures alike: the keys are done
    previous = now;
    return settled && CaretLabelRow(s) > tops[0] + 20 * cell;
  })) << "the caret did not go down";
  const Image before = shot;
  app.Key(win, "ctrl+n");
  EXPECT_TRUE(app.Shows(win, "new.png", [](const Image& s) {
    return InClient(s, kText) == 0 && NotBlackInBar(s) == 0;
  })) << NotBlackInBar(shot) << " pixels of a scrollbar on the new document";
  app.Key(win, "F2");
  EXPECT_TRUE(app.Shows(win, "back.png", [&](const Image& s) { return CaretLabelRow(s) == CaretLabelRow(before); }))
      << "the caret's row changed after coming back";
  EXPECT_EQ(TextProfile(shot), TextProfile(before)) << "other text shows after coming back";

  // End scrolls long lines sideways: every row shows the "<<" marker; no bar.
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+o", "Open file", "wide.txt"));
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("wide.txt"))) << TitleOf(win);
  app.Key(win, "End");
  int marked = 0;
  EXPECT_TRUE(app.Shows(win, "wide.png", [&](const Image& s) {
    marked = 0;
    for (int r = 0, top = CaretLabelRow(s) - 2; top >= 0 && r < 21; ++r)
      marked += s.Count([](Rgb p) { return p.b > 60 && p.b > p.r + 30 && p.b > p.g + 30; }, 62, top + r * cell,
                        100, top + (r + 1) * cell) > 4;
    return marked == 21 && NotBlackInBar(s) == 0;
  })) << marked << " of 21 rows marked; " << NotBlackInBar(shot) << " pixels of a scrollbar";

  ASSERT_TRUE(app.KeyThenTitle(win, "F2", MainTitle("long.txt")));
  app.Key(win, "ctrl+r ctrl+d");
  EXPECT_TRUE(app.Shows(win, "plain.png", [](const Image& s) {
    return InClient(s, kText) > 500 && RulerColumns(s).empty() && InClient(s, kDot) == 0;
  })) << "Ctrl+R and Ctrl+D left the ruler or the dots";
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
    ASSERT_TRUE(WriteFile(app.Path(name), "int x;\n"));
  unsigned long win = app.StartMain("src/util.h");
  ASSERT_NE(win, 0u);
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+shift+o", "Open folder", "src"));
  ASSERT_TRUE(app.WaitWindowGone("Open folder"));

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

  // The Switch list, in key order Main.cpp, util.h, original-0.mem, starts on its first row.
  ASSERT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-0.mem")));
  for (auto [keys, name] : {std::pair{"Return", "Main.cpp"}, {"Tab Return", "util.h"},
                            {"Tab Tab Tab Return", "Main.cpp"},           // round to the first row
                            {"shift+Tab Return", "original-0.mem"}}) {  // from the first row to the last
    EXPECT_TRUE(app.Visit(win, "ctrl+Tab", "Orvinale switch", [](const Image& s) {
      return TextRows(s) == 2 && s.Count(kListHighlight, 0, kBelowCaption, s.width, kBelowCaption + 30) > 500;
    }, keys)) << TextRows(app.shot) << " grey rows, not two under a highlighted one";
    EXPECT_TRUE(app.WaitTitle(win, MainTitle(name))) << keys << ": " << TitleOf(win);
  }

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

TEST(Story, AFileThatCannotBeSavedOrOpenedIsReportedAndNothingIsLost) {
  Orvinale app;
  const std::string cd = "cd " + ShellQuote(app.Path("")) + " && ";
  ASSERT_EQ(Capture(cd + "mv portable Portable && rm -r skin && echo ok"), "ok\n");
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "keep " + std::to_string(i) + "\n";
  ASSERT_TRUE(app.Files({{"ro.cpp", text}, {"bad.txt", "caf\xe9\n"}}));
  unsigned long win = app.StartMain("ro.cpp");
  ASSERT_NE(win, 0u);
  EXPECT_TRUE(app.Shows(win, "flat-bar.png", [](const Image& s) {
    return InClient(s, kText) > 500 && LightShareOfBar(s) > 0.5;
  })) << "no flat scrollbar in the light system colours: " << LightShareOfBar(app.shot);

  Capture(cd + ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " cmd /c attrib +r ro.cpp; chmod a-w ro.cpp");
  app.Type(win, "changed ");
  // The failed save says why (Wine: "Access denied.", Windows: "Access is denied."), asks a name; the same fails.
  const std::string refused = "Orvinale cannot save the file:\n" + app.WindowsPath("ro.cpp") + "\n\nAccess ";
  app.Key(win, "ctrl+s");
  EXPECT_TRUE(app.BoxSays("Save file", refused)) << app.ControlTexts("Save file");
  ASSERT_TRUE(app.ChooseFile(win, "", "File save as", "ro.cpp", "Return"))
      << "no File save as after the failed save, or no question about replacing ro.cpp";
  EXPECT_TRUE(app.BoxSays("Save file", refused)) << app.ControlTexts("Save file");
  EXPECT_EQ(ReadFile(app.Path("ro.cpp")), text);
  ASSERT_TRUE(app.ChooseFile(win, "alt+s", "File save as", "copy.cpp"));
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("copy.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("copy.cpp", "changed " + text));
  // Reopen of a file deleted meanwhile says so and keeps the text for the next save.
  ASSERT_EQ(std::remove(app.Path("copy.cpp").c_str()), 0);
  app.Key(win, "F5");
  EXPECT_TRUE(app.BoxSays("Open file", "Orvinale cannot open the file.")) << app.ControlTexts("Open file");
  EXPECT_TRUE(app.Saves(win, "copy.cpp", "changed " + text)) << "the text was lost at the failed Reopen";

  ASSERT_TRUE(app.ChooseFile(win, "ctrl+o", "Open file", "bad.txt"));
  EXPECT_TRUE(app.BoxSays("Open file", "Orvinale cannot open the file.")) << app.ControlTexts("Open file");
  EXPECT_EQ(TitleOf(win), MainTitle("copy.cpp"));
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_FALSE(Exists(app.Path("Portable/preferences.txt")) || Exists(app.Path("Portable/orvinale.ini")))
      << "a folder named Portable was taken for the portable folder";

  // A long name given in the \\?\ form opens from the command line and is saved under it.
  const std::string deep = std::string(250, 'd') + "/long.txt";
  ASSERT_EQ(Capture(cd + "mkdir " + std::string(250, 'd') + " && echo long > " + deep + " && echo ok"), "ok\n");
  win = app.StartMain("\\\\?\\" + app.WindowsPath(deep));
  ASSERT_NE(win, 0u);
  app.Type(win, "x");
  EXPECT_TRUE(app.Saves(win, deep, "xlong\n")) << ReadFile(app.Path(deep));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
