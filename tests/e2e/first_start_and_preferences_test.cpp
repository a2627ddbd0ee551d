// A first start, from an empty editor to the HELP menu's windows; a preferences.txt
// that does not parse, repaired in the Preferences window and applied at the next
// start. The changelog and the Preferences window are console panes, read off screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

// A console pane ends in a blue band: the help line over the status line.
const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};
constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

struct PaneBox {
  int x0 = 0, x1 = 0;  // columns, x1 exclusive
  int band_top = 0;    // first row of the help line
  int bottom = 0;      // last row of the pane
  // A third of the band lies inside the help row, its lower half inside the status row.
  int HelpEnd() const { return band_top + (bottom - band_top + 1) / 3; }
  int StatusTop() const { return band_top + (bottom - band_top + 1) / 2; }
};
using Panes = std::vector<PaneBox>;

Panes FindPanes(const Image& shot) {
  // Runs of columns with pane blue in the lowest rows (glyphs never fill a
  // column of the band); the band's extent down a run's last column but one.
  Panes panes;
  for (int x = 0, y0 = std::max(0, shot.height - 40); x < shot.width; ++x) {
    const int start = x;
    while (x < shot.width && shot.Count(kPaneBlue, x, y0, x + 1, shot.height) > 0) ++x;
    if (x - start < 60) continue;
    PaneBox pane{start, x, shot.height - 1, shot.height - 1};
    while (pane.bottom > 0 && shot.At(x - 2, pane.bottom) != kPaneBlue) --pane.bottom;
    for (pane.band_top = pane.bottom; pane.band_top > 0 && shot.At(x - 2, pane.band_top - 1) == kPaneBlue;)
      --pane.band_top;
    panes.push_back(pane);
  }
  return panes;
}

// Width from the pane's left edge to its rightmost pixel not blue in rows [y0, y1); 0 when none.
int TextWidth(const Image& shot, const PaneBox& pane, int y0, int y1) {
  for (int x = pane.x1 - 1; x >= pane.x0; --x)
    if (shot.Count([](Rgb p) { return p != kPaneBlue; }, x, y0, x + 1, y1) > 0) return x - pane.x0 + 1;
  return 0;
}

int HelpWidth(const Image& shot, const PaneBox& pane) { return TextWidth(shot, pane, pane.band_top, pane.HelpEnd()); }

double StatusToHelpWidth(const Image& shot, const PaneBox& pane) {
  const int help = HelpWidth(shot, pane);
  return help <= 1 ? -1 : static_cast<double>(TextWidth(shot, pane, pane.StatusTop(), pane.bottom + 1)) / help;
}

std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane) {
  return shot.Region(pane.x0, pane.StatusTop(), pane.x1, pane.bottom + 1);
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {  // above the band
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

// Screenshots until the window shows `count` panes passing the test.
bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const Panes&)>& test, const std::string& name = "panes.png") {
  return app.Shows(window, name, [&](const Image& s) {
    Panes panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  });
}

bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index, const std::vector<uint8_t>& status,
              bool is) {
  return WaitPanes(app, window, count, [&](const Image& s, const Panes& p) {
    return (StatusPixels(s, p[index]) == status) == is;
  }, "status.png");
}

// The caret blinks only in the pane with the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  return app.Shows(window, "blink.png", [&](const Image& s) {
    Panes panes = FindPanes(s);
    if (panes.size() <= index) return false;
    std::vector<uint8_t> now = s.Region(panes[index].x0, kCaptionRows, panes[index].x1, panes[index].band_top);
    if (first.size() != now.size()) first = now;
    return now != first;
  }, 5);
}

// The pane `index` has the focus and reads only: typing leaves its text and
// cursor (the status line, back as it was once Ctrl+F's prompt is cancelled),
// and a search selects `text` in that pane alone.
bool ReadOnlyPaneFinds(Orvinale& app, unsigned long window, size_t count, size_t index,
                       const std::vector<uint8_t>& status, const std::string& text) {
  if (!PaneBlinks(app, window, index)) return false;
  app.Type(window, "xyz");
  app.Key(window, "Return BackSpace Delete Tab");
  app.QuickKeys(window, "ctrl+f");
  const bool prompt = StatusIs(app, window, count, index, status, false);
  app.Key(window, "Escape");
  if (!prompt || !StatusIs(app, window, count, index, status, true)) return false;
  app.QuickKeys(window, "ctrl+f");
  app.Type(window, text);
  app.Key(window, "Return");
  return WaitPanes(app, window, count, [&](const Image& s, const Panes& p) {
    for (size_t i = 0; i < count; ++i)
      if ((CountInText(s, p[i], kSelectionCyan) > (i == index ? 20 : 0)) != (i == index)) return false;
    return true;
  }, "found.png");
}

// True when the VIEW menu's lower two fifths, its toggles, show grey text and no black.
bool ViewTogglesGrayed(Orvinale& app, unsigned long win) {
  const Box box = BoxOf(win);
  std::vector<int> rows;
  app.Key(win, "alt+v");
  app.Shows(0, "view-menu.png", [&](const Image& s) {
    rows.clear();  // rows of the menu's white, narrower than the frame's
    for (int y = box.y + kClientTop; y < box.y + box.h; ++y)
      if (int n = s.Count(kWhite, box.x, y, box.x + box.w, y + 1); n > 100 && n < box.w / 2) rows.push_back(y);
    return !rows.empty() && rows.back() - rows.front() > 100;
  }, 5);
  app.Key(win, "Escape Escape");
  if (rows.empty()) return false;
  const int toggles = rows.back() - (rows.back() - rows.front()) * 2 / 5;
  return app.shot.Count(Rgb{}, box.x, toggles, box.x + box.w, rows.back()) == 0 &&
         app.shot.Count(Rgb{128, 128, 128}, box.x, toggles, box.x + box.w, rows.back()) > 100;
}

// Pixels of the test inside a help window's frame, below its caption.
constexpr int kCaptionHeight = 24;
int InFrame(const Image& shot, const PixelTest& test) {
  return shot.Count(test, 4, kCaptionHeight, shot.width - 4, shot.height - 4);
}

// The 12 rows from the About window's first light grey row: the top entry wherever the credits stand.
int TopTextRow(const Image& shot) {
  std::vector<int> rows = shot.Rows(Grey(150, 200), 4, shot.width - 4, kCaptionHeight);
  return rows.empty() ? shot.height : rows.front();
}
std::vector<uint8_t> TopEntryRows(const Image& shot) {
  const int top = TopTextRow(shot);
  return top + 12 > shot.height - 4 ? std::vector<uint8_t>{} : shot.Region(0, top, shot.width, top + 12);
}

TEST(Story, AFirstStartSavesANewNoteAndLooksAtTheHelpWindows) {
  Orvinale app;
  const std::string changelog = ReadFile(app.Path("changelog.txt"));
  ASSERT_FALSE(changelog.empty());
  ASSERT_TRUE(WriteFile(app.Path("notes.txt"), "old\n"));
  unsigned long win = app.StartMain();
  ASSERT_NE(win, 0u) << "no welcome box, or no main window titled " << kMainTitle;
  ASSERT_TRUE(app.Shows(win, "empty.png", EmptyScreen)) << "no empty screen";
  EXPECT_EQ(InClient(app.shot, kText) + InClient(app.shot, kLabel) + InClient(app.shot, kCaretLabel), 0);

  // With no document the view toggles are grayed and their keys do nothing.
  ASSERT_TRUE(WaitUntil([&] { return ViewTogglesGrayed(app, win); }, 10)) << "VIEW's toggles not grayed";
  app.Key(win, "ctrl+t ctrl+l ctrl+f");
  EXPECT_TRUE(app.Visit(win, "ctrl+Tab", "Orvinale switch", [](const Image& s) {
    return s.Count(Rgb{}, 0, 40, s.width, s.height) > 20000 && s.Count(kText, 0, 40, s.width, s.height) == 0;
  }, "Return")) << "no empty Switch list drawn, or Enter did not close it";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(FindWindows("^Orvinale find$").empty()) << "Ctrl+F opened Find without a document";
  EXPECT_TRUE(app.Shows(win, "new.png", [](const Image& s) { return CaretLabelRow(s) >= 0; }))
      << "no line numbers: Ctrl+L acted while grayed";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", kMainTitle)) << "Ctrl+T keeps the name in the title";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", MainTitle("original-0.mem"))) << TitleOf(win);

  // A typed extension is kept (the dialog would add ".cpp"); a bare name gets ".cpp".
  EXPECT_TRUE(app.Submit(win, "ctrl+s", "File save as", "", "Escape")) << "no name asked";
  EXPECT_EQ(TitleOf(win), MainTitle("original-0.mem"));
  app.Type(win, "hello");
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+s", "File save as", "notes.txt", "y")) << "no question about replacing";
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.txt"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.txt", "hello")) << ReadFile(app.Path("notes.txt"));
  EXPECT_FALSE(Exists(app.Path("notes.txt.cpp")));
  ASSERT_TRUE(app.ChooseFile(win, "alt+s", "File save as", "notes"));
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.cpp", "hello"));

  const Box normal = BoxOf(win);
  const int screen_width = std::atoi(Capture("xdotool getdisplaygeometry").c_str());
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == screen_width; }, 10)) << "F11: " << BoxOf(win).w;
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == normal.w && BoxOf(win).h == normal.h; }, 10));
  app.Key(win, "ctrl+l");
  EXPECT_TRUE(app.Shows(win, "no-numbers.png", [&](const Image& s) {
    return InClient(s, kLabel) == 0 && CaretLabelRow(s) < 0;
  })) << "Ctrl+L left the line numbers";

  // About: light grey credits rising on black; Ctrl held shows the name's other form.
  unsigned long about = app.Open(win, "ctrl+F1", "About Orvinale");
  ASSERT_NE(about, 0u);
  ASSERT_TRUE(app.Shows(about, "about-1.png", [](const Image& s) {
    return InFrame(s, Grey(150, 200)) > 100 && InFrame(s, Is(Rgb{})) > s.width * s.height / 2;
  })) << "no light grey credits on black";
  const int low = TopTextRow(app.shot);
  ASSERT_TRUE(app.Shows(about, "about-2.png", [&](const Image& s) { return TopTextRow(s) < low - 10; }))
      << "the credits do not rise";
  const std::vector<uint8_t> usual = TopEntryRows(app.shot);
  ASSERT_FALSE(usual.empty());
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
  app.Key(win, "ctrl+F1");
  EXPECT_EQ(app.WaitWindow("About Orvinale", 2, about), 0u) << "a second About window";
  ASSERT_TRUE(app.Close(about, "Escape", "About Orvinale"));

  ASSERT_TRUE(app.Visit(win, "alt+h l", "Orvinale license", [](const Image& s) {
    return InFrame(s, Grey(0, 90)) > 300 && s.Count(kWhite, 0, 0, s.width, s.height) > s.width * s.height / 2;
  })) << "HELP > License: no window, no dark text on white, or Escape did not close it";

  // The version as in the title; the commit the program was built from (all zeros outside a git checkout).
  ASSERT_NE(app.Open(win, "ctrl+F3", "Version details"), 0u);
  const std::string head = Capture("git -C " + ShellQuote(ORV_SOURCE_DIR) + " rev-parse HEAD");
  const std::string version = Exact(kMainTitle.substr(kMainTitle.find(' ') + 1));
  const std::regex details("Orvinale version: " + version.substr(1, version.size() - 2) +
                           "\n\nBuild timestamp: [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}\n"
                           "Git commit: " + (head.size() >= 40 ? head.substr(0, 40) : std::string(40, '0')) + "\n");
  std::string text;
  EXPECT_TRUE(WaitUntil([&] { return std::regex_search(text = app.ControlTexts("Version details"), details); }, 30))
      << text;
  EXPECT_TRUE(app.DismissBox("Version details"));

  // Changelog: one read-only pane filling the window, with the focus.
  unsigned long window = app.Open(win, "ctrl+F2", "Orvinale changelog");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const Panes& p) {
    return HelpWidth(s, p[0]) > 1 && CountInText(s, p[0], kText) > 300 && p[0].x1 - p[0].x0 > s.width - 20;
  }, "changelog.png")) << "no pane filling the window and showing the changelog";
  EXPECT_TRUE(ReadOnlyPaneFinds(app, window, 1, 0, StatusPixels(app.shot, FindPanes(app.shot)[0]), "Portable use"))
      << "no blinking caret, typing changed the text or the cursor, or no match selected";
  EXPECT_TRUE(app.Close(window, "ctrl+w", "Orvinale changelog")) << "Ctrl+W leaves the window open";
  EXPECT_EQ(ReadFile(app.Path("changelog.txt")), changelog);

  app.Key(win, "alt+h d");
  std::vector<unsigned long> notepad;
  ASSERT_TRUE(WaitUntil([&] { return !(notepad = FindWindows("^documentation(\\.txt)? - Notepad$")).empty(); }, 60))
      << "no Notepad window with documentation.txt";
  EXPECT_TRUE(app.Shows(notepad[0], "notepad.png", [](const Image& s) { return InFrame(s, Grey(0, 90)) > 300; }))
      << "Notepad shows no text";
  EXPECT_TRUE(app.Close(notepad[0], "alt+F4", TitleOf(notepad[0])));
  EXPECT_EQ(app.Quit(win), 0);
  // The first start's place and size, kept through full screen; both panes' places.
  const std::string ini = app.Ini();
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  EXPECT_EQ(IniMismatches(ini, {{"main_wnd_maximized", 0}, {"main_wnd_x", 50}, {"main_wnd_y", 50},
                                {"main_wnd_w", 900}, {"main_wnd_h", 900}, {"linenumber", 0}, {"filename", 1}}), "");
  for (std::string pane : {"line_", "surface_"})
    for (std::string key : {"x", "y", "w", "h"})
      EXPECT_NE(IniValue(ini, pane + key, -99999), -99999) << pane + key << " missing in\n" << ini;
  EXPECT_TRUE(Exists(app.Path("portable/preferences.txt")) &&
              Exists(app.Path("portable/preferences-default.txt")));
}

const char kCaption[] = "Orvinale preferences";

// The right status line against its 29-cell help line: "Parsed and saved
// successfully" is as wide, "Parse error before: " 19 cells.
bool ShowsSuccess(const Image& s, const Panes& p) { return std::abs(StatusToHelpWidth(s, p[1]) - 1) < 0.03; }
bool ShowsParseError(const Image& s, const Panes& p) { return std::abs(StatusToHelpWidth(s, p[1]) - 0.65) < 0.07; }

// Ctrl+P with both panes drawn: the window, or 0; the panes in *panes.
unsigned long OpenPreferences(Orvinale& app, unsigned long win, Panes* panes) {
  unsigned long prefs = app.Open(win, "ctrl+p", kCaption);
  bool shown = prefs != 0 && WaitPanes(app, prefs, 2, [](const Image& s, const Panes& p) {
    return HelpWidth(s, p[0]) > 1 && HelpWidth(s, p[1]) > 1 && CountInText(s, p[0], kText) > 100;
  }, "preferences.png");
  *panes = FindPanes(app.shot);
  return shown ? prefs : 0;
}

TEST(Story, PreferencesRepairedInTheProgramApplyAtTheNextStart) {
  Orvinale app;
  const std::string user = app.Path("portable/preferences.txt"), broken = "{\n  \"tab_size\": 8,\n}\n";
  ASSERT_TRUE(app.Files({{"portable/preferences.txt", broken}, {"t.txt", "\tx\n"}, {"ruler.txt", RulerRows() + "\tz\n"},
                         {"portable/orvinale.ini", "[orvinale]\nruler=1\n"}}));
  unsigned long win = app.StartMain("t.txt", {"Orvinale: preferences parse error found"});
  ASSERT_NE(win, 0u) << "the comma not reported, or no main window";
  EXPECT_TRUE(app.Saves(win, "t.txt", "  x\n")) << "no default tab size:" << ReadFile(app.Path("t.txt"));
  EXPECT_EQ(ReadFile(user), broken);

  // Defaults left, preferences.txt right, half and half; the right help line has "Save".
  Panes panes;
  unsigned long prefs = OpenPreferences(app, win, &panes);
  ASSERT_NE(prefs, 0u) << "Ctrl+P: no Preferences window with two panes";
  const std::string defaults = ReadFile(app.Path("portable/preferences-default.txt"));
  EXPECT_NEAR(panes[0].x1 - panes[0].x0, panes[1].x1 - panes[1].x0, 4);
  EXPECT_GT(app.shot.Count(Rgb{255, 255, 128}, panes[0].x1, panes[0].band_top, panes[1].x0, panes[0].bottom), 0);
  EXPECT_NEAR(static_cast<double>(HelpWidth(app.shot, panes[1])) / HelpWidth(app.shot, panes[0]), 1.15, 0.07);
  const std::vector<uint8_t> left_status = StatusPixels(app.shot, panes[0]);
  const std::vector<uint8_t> right_status = StatusPixels(app.shot, panes[1]);

  // The right pane has the focus; Ctrl+S keeps the file and shows the parse error.
  app.Key(prefs, "Down End");
  ASSERT_TRUE(StatusIs(app, prefs, 2, 1, right_status, false)) << "the keys missed the right pane";
  EXPECT_EQ(StatusPixels(app.shot, FindPanes(app.shot)[0]), left_status) << "the left pane took keys";
  app.QuickKeys(prefs, "ctrl+s");
  EXPECT_TRUE(WaitPanes(app, prefs, 2, ShowsParseError, "parse-error.png")) << "no parse error shown";
  EXPECT_EQ(ReadFile(user), broken);
  // Repaired, it is saved as typed (new lines keep the indent).
  for (const char* line : {"\"ruler\": 80,", "\"ancient_wisdom\": true,", "\"curses_right_focus\": false"}) {
    app.Key(prefs, "Return");
    app.Type(prefs, line);
  }
  app.Key(prefs, "Home");
  const std::string repaired = "{\n  \"tab_size\": 8,\n  \"ruler\": 80,\n  \"ancient_wisdom\": true,\n"
                               "  \"curses_right_focus\": false\n}\n";
  app.QuickKeys(prefs, "ctrl+s");
  EXPECT_TRUE(app.WaitBytes("portable/preferences.txt", repaired)) << ReadFile(user);
  EXPECT_TRUE(WaitPanes(app, prefs, 2, ShowsSuccess, "saved.png")) << "no success message";

  // Ctrl+Tab: the left pane ignores typing; its search selects there only.
  app.QuickKeys(prefs, "ctrl+Tab");
  EXPECT_TRUE(ReadOnlyPaneFinds(app, prefs, 2, 0, left_status, "ruler"))
      << "the focus did not move to the left pane, typing changed it, or no match selected there alone";
  EXPECT_EQ(ReadFile(app.Path("portable/preferences-default.txt")), defaults);
  EXPECT_TRUE(app.Close(prefs, "ctrl+w", kCaption)) << "Ctrl+W in the left pane";

  // Ctrl+W and "y" at once on a text that does not parse: nothing unparsable is written.
  prefs = OpenPreferences(app, win, &panes);
  ASSERT_NE(prefs, 0u);
  app.Key(prefs, "Down End");
  app.Type(prefs, ",");
  ASSERT_TRUE(StatusIs(app, prefs, 2, 1, StatusPixels(app.shot, panes[1]), false));
  app.QuickKeys(prefs, "ctrl+w y");
  EXPECT_TRUE(app.WaitWindowGone(kCaption)) << "Ctrl+W did not close the window";
  EXPECT_EQ(ReadFile(user), repaired);
  EXPECT_EQ(app.Quit(win), 0);

  // The next start: a maxim, one white line centred on the empty screen.
  win = app.StartMain();
  ASSERT_NE(win, 0u);
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  EXPECT_TRUE(app.Shows(win, "maxim.png", [&](const Image& s) {
    x0 = s.width, x1 = 0, y0 = s.height, y1 = 0;
    for (int y = kClientTop; y < s.height - 8; ++y)
      for (int x = 8; x < s.width - 8; ++x)
        if (s.At(x, y) == kWhite) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = y;
    return x1 > x0 && std::abs(x0 + x1 - s.width) <= 24 && std::abs(y0 + y1 - kClientTop - s.height) <= 28;
  })) << "maxim at x " << x0 << ".." << x1 << ", y " << y0 << ".." << y1;
  EXPECT_LT(y1 - y0, 40) << "more than one line";

  // Left pane focused; after Ctrl+Tab, Ctrl+W in the right one drops the change.
  prefs = OpenPreferences(app, win, &panes);
  ASSERT_NE(prefs, 0u);
  const std::vector<uint8_t> right_before = StatusPixels(app.shot, panes[1]);
  EXPECT_TRUE(PaneBlinks(app, prefs, 0)) << "the left pane has no blinking caret";
  app.QuickKeys(prefs, "ctrl+Tab");
  EXPECT_TRUE(PaneBlinks(app, prefs, 1)) << "the focus did not move to the right pane";
  app.Type(prefs, "x");
  EXPECT_TRUE(StatusIs(app, prefs, 2, 1, right_before, false)) << "typing changed nothing on the right";
  EXPECT_TRUE(app.Close(prefs, "ctrl+w", kCaption));
  EXPECT_EQ(ReadFile(user), repaired);

  // A document removes the maxim; ruler after column 80, tabs of eight.
  ASSERT_TRUE(app.ChooseFile(win, "ctrl+o", "Open file", "ruler.txt"));
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("ruler.txt")));
  auto no_maxim = [](const Image& s) { return s.Count(kWhite, 8, kClientTop, s.width - 8, s.height - 8) == 0; };
  ASSERT_TRUE(app.Shows(win, "ruler.png", [&](const Image& s) {
    return no_maxim(s) && InClient(s, kText) > 20 && InClient(s, kEmpty) == 0 && LabelTops(s).size() >= 4;
  })) << "the maxim stayed with a document shown, or no line numbers";
  ExpectRulerBetweenMarks(app.shot);
  EXPECT_TRUE(app.Saves(win, "ruler.txt", RulerRows() + "        z\n")) << ReadFile(app.Path("ruler.txt"));
  app.Key(win, "ctrl+w");
  EXPECT_TRUE(app.Shows(win, "closed.png", EmptyScreen)) << "no empty screen after closing";
  EXPECT_TRUE(no_maxim(app.shot)) << "the maxim came back";
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
