// A first start, from an empty editor to the HELP menu's windows; a preferences.txt
// that does not parse, repaired in the Preferences window and applied at the next
// start. The changelog and the Preferences window are console panes, read off screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

// A console pane ends in a blue band: the help line over the status line.
const Rgb kPaneBlue{0, 0, 192};
constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

struct PaneBox {
  int x0 = 0, x1 = 0;  // columns, x1 exclusive
  int band_top = 0;    // first row of the help line
};
using Panes = std::vector<PaneBox>;

Panes FindPanes(const Image& shot) {
  // Runs of columns with pane blue in the lowest rows (glyphs never fill a
  // column of the band); the band's top up a run's last column but one.
  Panes panes;
  for (int x = 0, y0 = std::max(0, shot.height - 40); x < shot.width; ++x) {
    const int start = x;
    while (x < shot.width && shot.Count(kPaneBlue, x, y0, x + 1, shot.height) > 0) ++x;
    if (x - start < 60) continue;
    int y = shot.height - 1;
    while (y > 0 && shot.At(x - 2, y) != kPaneBlue) --y;
    while (y > 0 && shot.At(x - 2, y - 1) == kPaneBlue) --y;
    panes.push_back({start, x, y});
  }
  return panes;
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {  // above the band
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

// A picture's test: `count` panes, passing `test`.
std::function<bool(const Image&)> PanesShow(size_t count, const std::function<bool(const Image&, const Panes&)>& test) {
  return [=](const Image& s) {
    const Panes panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  };
}

// The caret blinks only in the pane with the focus (of the Preferences window's two).
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  return app.Shows(window, "blink.png", PanesShow(2, [&](const Image& s, const Panes& p) {
    std::vector<uint8_t> now = s.Region(p[index].x0, kCaptionRows, p[index].x1, p[index].band_top);
    if (first.size() != now.size()) first = now;
    return now != first;
  }), 5);
}

// The 12 rows from the About window's first light grey row below its caption: the top entry wherever
// the credits stand; empty when none shows whole.
std::vector<uint8_t> TopEntryRows(const Image& shot) {
  const std::vector<int> rows = shot.Rows(Grey(150, 200), 4, shot.width - 4, 24);
  const int top = rows.empty() ? shot.height : rows.front();
  return top + 12 > shot.height - 4 ? std::vector<uint8_t>{} : shot.Region(0, top, shot.width, top + 12);
}

// The menu's gray rules, the save name's rules and the About animation are native tests'; here the
// keys, the file dialog, the help windows and the profile meet the real program.
TEST(Story, AFirstStartSavesANewNoteAndLooksAtTheHelpWindows) {
  Orvinale app;
  ASSERT_TRUE(WriteBytes(app.Path("notes.txt"), "old\n"));
  unsigned long win = app.StartMain();
  ASSERT_NE(win, 0u) << "no welcome box, or no main window titled " << kMainTitle;
  ASSERT_TRUE(app.Shows(win, "empty.png", [](const Image& s) { return InClient(s, kEmpty) > s.width * s.height / 2; }))
      << "no empty screen";

  // With no document the keys of grayed commands do nothing.
  app.Key(win, "ctrl+t ctrl+l ctrl+f");
  app.Key(win, "ctrl+n");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("original-0.mem"))) << "Ctrl+T acted: " << TitleOf(win);
  EXPECT_TRUE(FindWindows("^Orvinale find$").empty()) << "Ctrl+F opened Find without a document";
  EXPECT_TRUE(app.Shows(win, "new.png", [](const Image& s) { return CaretLabelRow(s) >= 0; }))
      << "no line numbers: Ctrl+L acted while grayed";

  // A typed extension is kept, though the dialog adds ".cpp" to what it returns.
  app.Type(win, "hello");
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+s", "File save as", "notes.txt", "y")) << "no question about replacing";
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.txt"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.txt", "hello")) << ReadBytes(app.Path("notes.txt"));
  EXPECT_FALSE(FileExists(app.Path("notes.txt.cpp")));
  app.Key(win, "ctrl+l");

  // About: its credits, their rise and the name's other form are the native HelpAbout tests'; here its
  // timer repaints them and reads Ctrl's live state, held and released.
  unsigned long about = app.Open(win, "ctrl+F1", "About Orvinale");
  ASSERT_NE(about, 0u);
  // The picture of the top entry is taken once the credits have risen a little.
  int low = -1;
  std::vector<uint8_t> usual;
  ASSERT_TRUE(app.Shows(about, "about.png", [&](const Image& s) {
    const std::vector<int> rows = s.Rows(Grey(150, 200), 4, s.width - 4, 24);
    if (low < 0 && !rows.empty()) low = rows.front();
    return !rows.empty() && rows.front() < low - 10 && !(usual = TopEntryRows(s)).empty();
  })) << "no light grey credits rising";
  app.Focus(about);
  Capture("xdotool keydown ctrl");
  const bool changed = app.Shows(about, "about-ctrl.png", [&](const Image& s) {
    std::vector<uint8_t> rows = TopEntryRows(s);
    return !rows.empty() && rows != usual;
  });
  Capture("xdotool keyup ctrl");
  EXPECT_TRUE(changed) << "holding Ctrl does not change the program's name";
  EXPECT_TRUE(app.Shows(about, "about-released.png", [&](const Image& s) { return TopEntryRows(s) == usual; }))
      << "released: not the usual form again";
  ASSERT_TRUE(app.Close(about, "Escape", "About Orvinale"));

  // The box's text is the native ShellTexts test's; the exe names the commit it was built from (all
  // zeros outside a git checkout).
  ASSERT_NE(app.Open(win, "ctrl+F3", "Version details"), 0u);
  const std::string head = Capture("git -C " + ShellQuote(ORV_SOURCE_DIR) + " rev-parse HEAD");
  EXPECT_TRUE(app.BoxSays("Version details", "Git commit: " + (head.size() >= 40 ? head.substr(0, 40) : std::string(40, '0'))))
      << app.ControlTexts("Version details");

  // Changelog: one pane filling the window; Ctrl+W closes it.
  ASSERT_TRUE(app.Visit(win, "ctrl+F2", "Orvinale changelog", PanesShow(1, [](const Image& s, const Panes& p) {
    return CountInText(s, p[0], kText) > 3000 && p[0].x1 - p[0].x0 > s.width - 20;  // more than the file's name
  }), "ctrl+w")) << "no pane filling the window and showing the changelog, or Ctrl+W left it open";

  app.Key(win, "alt+h d");
  std::vector<unsigned long> notepad;
  ASSERT_TRUE(WaitUntil([&] { return !(notepad = FindWindows("^documentation(\\.txt)? - Notepad$")).empty(); }, 60))
      << "no Notepad window with documentation.txt";
  EXPECT_TRUE(app.Close(notepad[0], "alt+F4", TitleOf(notepad[0])));
  EXPECT_EQ(app.Quit(win), 0);
  // The first start's place and size; the toggles; the settings in the portable folder.
  const std::string ini = app.Ini();
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  EXPECT_EQ(IniMismatches(ini, {{"main_wnd_maximized", 0}, {"main_wnd_x", 50}, {"main_wnd_y", 50},
                                {"main_wnd_w", 900}, {"main_wnd_h", 900}, {"linenumber", 0}, {"filename", 1}}), "");
  EXPECT_TRUE(FileExists(app.Path("portable/preferences.txt")) &&
              FileExists(app.Path("portable/preferences-default.txt")));
}

// Four lines with a '#' in the 0-based columns 79, 80, 119 and 120.
inline std::string RulerRows() {
  std::string text;
  for (int column : {79, 80, 119, 120}) text += std::string(column, ' ') + "#\n";
  return text;
}

inline std::vector<int> RulerColumns(const Image& shot) {
  std::vector<int> xs;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kRuler, x, kClientTop, x + 1, shot.height) > (shot.height - kClientTop) / 2) xs.push_back(x);
  return xs;
}

// RulerRows shown: one ruler line with a '#' in the cell on each side of it.
inline void ExpectRulerBetweenMarks(const Image& shot) {
  std::vector<int> ruler = RulerColumns(shot);
  ASSERT_FALSE(ruler.empty()) << "no ruler line";
  EXPECT_LE(ruler.back() - ruler.front(), 1) << "more than one ruler line";
  // The dots of the first row stand at the cell centres: their spacing is the cell width.
  std::vector<int> dots;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kDot, x, kClientTop, x + 1, kClientTop + 12) > 0) dots.push_back(x);
  ASSERT_GT(dots.size(), 10u) << "no whitespace dots on the first row";
  const int cell = dots[1] - dots[0], y1 = kClientTop + 12 * cell;  // the four marked rows
  EXPECT_GT(shot.Count(kText, ruler.front() - cell, kClientTop, ruler.front(), y1), 0) << "no '#' left";
  EXPECT_GT(shot.Count(kText, ruler.back() + 1, kClientTop, ruler.back() + cell, y1), 0) << "no '#' right";
  EXPECT_EQ(shot.Count(kText, ruler.back() + cell, kClientTop, ruler.back() + 2 * cell, y1), 0)
      << "text two cells right of the ruler: it stands a column early";
}

const char kCaption[] = "Orvinale preferences";

// Ctrl+P with both panes drawn, the left one (the defaults) with text: the window, or 0.
unsigned long OpenPreferences(Orvinale& app, unsigned long win) {
  unsigned long prefs = app.Open(win, "ctrl+p", kCaption);
  return prefs != 0 && app.Shows(prefs, "preferences.png", PanesShow(2, [](const Image& s, const Panes& p) {
    return CountInText(s, p[0], kText) > 2000;  // more than the file's name
  })) ? prefs : 0;
}

// The panes' keys, the save's check and its messages are the native PaneEditorTest's; here the window
// hands the keys to its panes, the file gets the bytes and the next start applies them.
TEST(Story, PreferencesRepairedInTheProgramApplyAtTheNextStart) {
  Orvinale app;
  ASSERT_TRUE(app.Files({{"portable/preferences.txt", "{\n  \"tab_size\": 8,\n}\n"}, {"t.txt", "\tx\n"}, {"ruler.txt", RulerRows() + "\tz\n"},
                         {"portable/orvinale.ini", "[orvinale]\nruler=1\n"}}));
  unsigned long win = app.StartMain("t.txt", {"Orvinale: preferences parse error found"});
  ASSERT_NE(win, 0u) << "the comma not reported, or no main window";
  EXPECT_TRUE(app.Saves(win, "t.txt", "  x\n")) << "no default tab size:" << ReadBytes(app.Path("t.txt"));

  // The right pane (preferences.txt) has the focus; repaired there, it is saved as typed (new lines keep the indent).
  unsigned long prefs = OpenPreferences(app, win);
  ASSERT_NE(prefs, 0u) << "Ctrl+P: no Preferences window with two panes";
  app.Key(prefs, "Down End");
  for (const char* line : {"\"ruler\": 80,", "\"ancient_wisdom\": true,", "\"curses_right_focus\": false"}) {
    app.Key(prefs, "Return");
    app.Type(prefs, line);
  }
  const std::string repaired = "{\n  \"tab_size\": 8,\n  \"ruler\": 80,\n  \"ancient_wisdom\": true,\n"
                               "  \"curses_right_focus\": false\n}\n";
  app.QuickKeys(prefs, "ctrl+s");
  EXPECT_TRUE(app.WaitBytes("portable/preferences.txt", repaired)) << ReadBytes(app.Path("portable/preferences.txt"));
  EXPECT_TRUE(app.Close(prefs, "ctrl+w", kCaption));
  EXPECT_EQ(app.Quit(win), 0);

  // The next start shows a maxim on the empty screen (where and how is the native SurfacePaint test's).
  win = app.StartMain();
  ASSERT_NE(win, 0u);
  EXPECT_TRUE(app.Shows(win, "maxim.png", [](const Image& s) {
    return s.Count(kWhite, 8, kClientTop, s.width - 8, s.height - 8) > 50;
  })) << "no maxim";

  // The left pane has the focus now; Ctrl+Tab moves it to the right one.
  prefs = OpenPreferences(app, win);
  ASSERT_NE(prefs, 0u);
  EXPECT_TRUE(PaneBlinks(app, prefs, 0)) << "the left pane has no blinking caret";
  app.QuickKeys(prefs, "ctrl+Tab");
  EXPECT_TRUE(PaneBlinks(app, prefs, 1)) << "the focus did not move to the right pane";
  EXPECT_TRUE(app.Close(prefs, "ctrl+w", kCaption));

  // Ruler after column 80, tabs of eight.
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+o", "Open file", "ruler.txt"));
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("ruler.txt")));
  ASSERT_TRUE(app.Shows(win, "ruler.png", [&](const Image& s) {
    return InClient(s, kText) > 20 && InClient(s, kEmpty) == 0 && !RulerColumns(s).empty();
  })) << "no document or no ruler shown";
  ExpectRulerBetweenMarks(app.shot);
  EXPECT_TRUE(app.Saves(win, "ruler.txt", RulerRows() + "        z\n")) << ReadBytes(app.Path("ruler.txt"));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
