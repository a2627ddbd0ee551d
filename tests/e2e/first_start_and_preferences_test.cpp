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

// A console pane ends in a blue band: the help line and the status line.
const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};
constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

struct PaneBox {
  int x0 = 0, x1 = 0;  // columns, x1 exclusive
  int band_top = 0;    // first row of the help line
  int bottom = 0;      // last row of the pane
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

int RightmostNotBlue(const Image& shot, const PaneBox& pane, int y0, int y1) {
  for (int x = pane.x1 - 1; x >= pane.x0; --x)
    if (shot.Count([](Rgb p) { return p != kPaneBlue; }, x, y0, x + 1, y1) > 0) return x;
  return -1;
}

int BandHeight(const PaneBox& pane) { return pane.bottom - pane.band_top + 1; }

int HelpLineRight(const Image& shot, const PaneBox& pane) {  // -1 when empty
  // A third of the band lies inside the help row whatever is below it.
  return RightmostNotBlue(shot, pane, pane.band_top, pane.band_top + BandHeight(pane) / 3);
}

double StatusToHelpWidth(const Image& shot, const PaneBox& pane) {
  const int help = HelpLineRight(shot, pane);
  const int status = RightmostNotBlue(shot, pane, pane.band_top + BandHeight(pane) / 2, pane.bottom + 1);
  return help <= pane.x0 ? -1 : static_cast<double>(status - pane.x0 + 1) / (help - pane.x0 + 1);
}

std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane) {
  return shot.Region(pane.x0, pane.band_top + BandHeight(pane) / 2, pane.x1, pane.bottom + 1);
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {  // above the band
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const Panes&)>& test, Image* shot,
               const std::string& name) {
  return app.WaitShot(window, name, [&](const Image& s) {
    Panes panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  }, shot);
}

bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index,
              const std::vector<uint8_t>& status, bool is, Image* shot = nullptr) {
  Image own;
  return WaitPanes(app, window, count, [&](const Image& s, const Panes& p) {
    return (StatusPixels(s, p[index]) == status) == is;
  }, shot != nullptr ? shot : &own, "status.png");
}

// The caret blinks only in the pane with the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  Image shot;
  return app.WaitShot(window, "blink.png", [&](const Image& s) {
    Panes panes = FindPanes(s);
    if (panes.size() <= index) return false;
    const PaneBox& p = panes[index];
    std::vector<uint8_t> now = s.Region(p.x0, kCaptionRows, p.x1, p.band_top);
    if (first.size() != now.size()) first = now;
    return now != first;
  }, &shot, 5);
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
  Image shot;
  return WaitPanes(app, window, count, [&](const Image& s, const Panes& p) {
    for (size_t i = 0; i < count; ++i)
      if (i == index ? CountInText(s, p[i], kSelectionCyan) <= 20 : CountInText(s, p[i], kSelectionCyan) > 0)
        return false;
    return true;
  }, &shot, "found.png");
}


// True when the VIEW menu's lower two fifths, its toggles, show grey text and no black.
bool ViewTogglesGrayed(Orvinale& app, unsigned long win) {
  const Box box = BoxOf(win);
  int top = -1, bottom = -1;
  Image shot;
  app.Key(win, "alt+v");
  app.WaitShot(0, "view-menu.png", [&](const Image& s) {
    top = -1;  // rows of the menu's white, narrower than the frame's
    for (int y = box.y + kClientTop; y < box.y + box.h; ++y)
      if (int n = s.Count(kWhite, box.x, y, box.x + box.w, y + 1); n > 100 && n < box.w / 2)
        bottom = y, top = top < 0 ? y : top;
    return top >= 0 && bottom - top > 100;
  }, &shot, 5);
  app.Key(win, "Escape Escape");
  const int toggles = bottom - (bottom - top) * 2 / 5;
  return top >= 0 && shot.Count(Rgb{}, box.x, toggles, box.x + box.w, bottom) == 0 &&
         shot.Count(Rgb{128, 128, 128}, box.x, toggles, box.x + box.w, bottom) > 100;
}

constexpr int kCaptionHeight = 24;

// Pixels inside the frame whose three channels lie in [low, high].
int Grey(const Image& shot, int low, int high, int y0 = kCaptionHeight, int y1 = -1) {
  return shot.Count([&](Rgb p) {
    return p.r >= low && p.r <= high && p.g >= low && p.g <= high && p.b >= low && p.b <= high;
  }, 4, y0, shot.width - 4, y1 < 0 ? shot.height - 4 : y1);
}

int TopTextRow(const Image& shot) {
  for (int y = kCaptionHeight; y < shot.height - 4; ++y)
    if (Grey(shot, 150, 200, y, y + 1) > 0) return y;
  return shot.height;
}

// The 12 rows from the first text row: the top entry wherever the list stands.
std::vector<uint8_t> TopEntryRows(const Image& shot) {
  const int top = TopTextRow(shot);
  return top + 12 > shot.height - 4 ? std::vector<uint8_t>{} : shot.Region(0, top, shot.width, top + 12);
}

TEST(Story, AFirstStartSavesANewNoteAndLooksAtTheHelpWindows) {
  Orvinale app;
  const std::string changelog = ReadFile(app.Path("changelog.txt"));
  ASSERT_FALSE(changelog.empty());
  ASSERT_TRUE(WriteFile(app.Path("notes.txt"), "old\n"));
  unsigned long win = app.StartMain({}, kMainTitle);
  ASSERT_NE(win, 0u) << "no welcome box, or no main window titled " << kMainTitle;
  Image shot;
  ASSERT_TRUE(app.WaitShot(win, "empty.png", [](const Image& s) {
    return InClient(s, kEmpty) > s.width * s.height / 2;
  }, &shot)) << "no empty screen";
  EXPECT_EQ(InClient(shot, kText) + InClient(shot, kLabel) + InClient(shot, kCaretLabel), 0)
      << "text with no document";

  // With no document the view toggles are grayed and their keys do nothing.
  ASSERT_TRUE(WaitUntil([&] { return ViewTogglesGrayed(app, win); }, 10)) << "VIEW's toggles not grayed";
  app.Key(win, "ctrl+t ctrl+l ctrl+f");
  unsigned long list = app.Open(win, "ctrl+Tab", "Orvinale switch");
  ASSERT_NE(list, 0u);
  EXPECT_TRUE(app.WaitShot(list, "switch-empty.png", [](const Image& s) {
    return s.Count(Rgb{}, 0, 40, s.width, s.height) > 20000;
  }, &shot)) << "no Switch list drawn";
  EXPECT_EQ(shot.Count(kText, 0, 40, shot.width, shot.height), 0) << "rows in the Switch list";
  EXPECT_TRUE(app.Close(list, "Return", "Orvinale switch"));
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(FindWindows("^Orvinale find$").empty()) << "Ctrl+F opened Find without a document";
  int first = 0, last = 0;
  EXPECT_TRUE(app.WaitShot(win, "new.png", [&](const Image& s) { return CaretLabelRows(s, &first, &last); },
                           &shot)) << "no line numbers: Ctrl+L acted while grayed";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", kMainTitle)) << "Ctrl+T keeps the name in the title";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", MainTitle("original-0.mem"))) << TitleOf(win);

  // A typed extension is kept (the dialog would add ".cpp"); a bare name gets ".cpp".
  unsigned long dialog = app.Open(win, "ctrl+s", "File save as");
  ASSERT_NE(dialog, 0u) << "no name asked";
  ASSERT_TRUE(app.Close(dialog, "Escape", "File save as"));
  EXPECT_EQ(TitleOf(win), MainTitle("original-0.mem"));
  app.Type(win, "hello");
  dialog = app.ChooseFile(win, "ctrl+s", "File save as", "notes.txt");
  unsigned long confirm = app.WaitWindow("File save as", 30, dialog);
  ASSERT_NE(confirm, 0u) << "notes.txt exists: no question about replacing it";
  app.Key(confirm, "y");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.txt"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.txt", "hello")) << ReadFile(app.Path("notes.txt"));
  EXPECT_FALSE(Exists(app.Path("notes.txt.cpp")));
  ASSERT_NE(app.ChooseFile(win, "alt+s", "File save as", "notes"), 0u);
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.cpp", "hello"));

  const Box normal = BoxOf(win);
  const int screen_width = std::atoi(Capture("xdotool getdisplaygeometry").c_str());
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == screen_width; }, 10)) << "F11: " << BoxOf(win).w;
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == normal.w && BoxOf(win).h == normal.h; }, 10));
  app.Key(win, "ctrl+l");
  EXPECT_TRUE(app.WaitShot(win, "no-numbers.png", [&](const Image& s) {
    return InClient(s, kLabel) == 0 && !CaretLabelRows(s, &first, &last);
  }, &shot)) << "Ctrl+L left the line numbers";

  // About: light grey credits rising on black; Ctrl held shows the name's other form.
  unsigned long about = app.Open(win, "ctrl+F1", "About Orvinale");
  ASSERT_NE(about, 0u);
  Image low, later;
  ASSERT_TRUE(app.WaitShot(about, "about-1.png", [](const Image& s) { return Grey(s, 150, 200) > 100; },
                           &low)) << "no light grey credits";
  EXPECT_GT(low.Count(Rgb{}, 0, 0, low.width, low.height), low.width * low.height / 2)
      << "not on black";
  ASSERT_TRUE(app.WaitShot(about, "about-2.png", [&](const Image& s) {
    return s.width == low.width && TopTextRow(s) < TopTextRow(low) - 10;
  }, &later)) << "the credits do not rise";
  const std::vector<uint8_t> usual = TopEntryRows(later);
  ASSERT_FALSE(usual.empty());
  app.Focus(about);
  Capture("xdotool keydown ctrl");
  const bool changed = app.WaitShot(about, "about-ctrl.png", [&](const Image& s) {
    std::vector<uint8_t> rows = TopEntryRows(s);
    return !rows.empty() && rows != usual;
  }, &shot);
  Capture("xdotool keyup ctrl");
  EXPECT_TRUE(changed) << "holding Ctrl does not change the program's name";
  EXPECT_TRUE(app.WaitShot(about, "about-released.png",
                           [&](const Image& s) { return TopEntryRows(s) == usual; }, &shot))
      << "released: not the usual form again";
  app.Key(win, "ctrl+F1");
  EXPECT_EQ(app.WaitWindow("About Orvinale", 2, about), 0u) << "a second About window";
  ASSERT_TRUE(app.Close(about, "Escape", "About Orvinale"));

  unsigned long license = app.Open(win, "alt+h l", "Orvinale license");
  ASSERT_NE(license, 0u) << "HELP > License";
  EXPECT_TRUE(app.WaitShot(license, "license.png", [](const Image& s) {
    return Grey(s, 0, 90) > 300 && s.Count(kWhite, 0, 0, s.width, s.height) > s.width * s.height / 2;
  }, &shot)) << "no dark text on white";
  ASSERT_TRUE(app.Close(license, "Escape", "Orvinale license"));

  ASSERT_NE(app.Open(win, "ctrl+F3", "Version details"), 0u);
  std::string text;
  EXPECT_TRUE(WaitUntil([&] {
    return (text = app.ControlTexts("Version details")).find("Git commit") != std::string::npos;
  }, 30)) << text;
  EXPECT_TRUE(app.DismissBox("Version details"));
  // The version as in the title; the commit the program was built from (all zeros outside a git checkout).
  const std::string version = kMainTitle.substr(kMainTitle.find(' ') + 1);
  const std::string head = Capture("git -C " + ShellQuote(ORV_SOURCE_DIR) + " rev-parse HEAD");
  EXPECT_NE(text.find("Orvinale version: " + version + "\n\nBuild timestamp: "), std::string::npos) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex("\nBuild timestamp: [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} "
                                                 "[0-9]{2}:[0-9]{2}:[0-9]{2}\nGit commit: " +
                                                 (head.size() >= 40 ? head.substr(0, 40) : std::string(40, '0')) +
                                                 "\n"))) << text;

  // Changelog: one read-only pane filling the window, with the focus.
  unsigned long window = app.Open(win, "ctrl+F2", "Orvinale changelog");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const Panes& p) {
    return HelpLineRight(s, p[0]) > p[0].x0 && CountInText(s, p[0], kText) > 300;
  }, &shot, "changelog.png")) << "no pane showing the changelog";
  const PaneBox pane = FindPanes(shot)[0];
  EXPECT_GT(pane.x1 - pane.x0, shot.width - 20) << "the pane does not fill the window";
  EXPECT_TRUE(ReadOnlyPaneFinds(app, window, 1, 0, StatusPixels(shot, pane), "Portable use"))
      << "no blinking caret, typing changed the text or the cursor, or no match selected";
  app.QuickKeys(window, "ctrl+w");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale changelog")) << "Ctrl+W leaves the window open";
  EXPECT_EQ(ReadFile(app.Path("changelog.txt")), changelog);

  app.Key(win, "alt+h d");
  unsigned long notepad = 0;
  ASSERT_TRUE(WaitUntil([&] {
    std::vector<unsigned long> found = FindWindows("^documentation(\\.txt)? - Notepad$");
    return (notepad = found.empty() ? 0 : found[0]) != 0;
  }, 60)) << "no Notepad window with documentation.txt";
  EXPECT_TRUE(app.WaitShot(notepad, "notepad.png", [](const Image& s) { return Grey(s, 0, 90) > 300; },
                           &shot))
      << "Notepad shows no text";
  EXPECT_TRUE(app.Close(notepad, "alt+F4", TitleOf(notepad)));
  EXPECT_EQ(app.Quit(win), 0);
  // The first start's place and size, kept through full screen.
  const std::string ini = app.Ini();
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  for (auto [key, value] : {std::pair{"main_wnd_maximized", 0}, {"main_wnd_x", 50}, {"main_wnd_y", 50},
                            {"main_wnd_w", 900}, {"main_wnd_h", 900}, {"linenumber", 0}, {"filename", 1}})
    EXPECT_EQ(IniValue(ini, key), value) << key << " in\n" << ini;
  for (std::string pane : {"line_", "surface_"})
    for (std::string key : {"x", "y", "w", "h"})
      EXPECT_NE(IniValue(ini, pane + key, -99999), -99999) << pane + key << " missing in\n" << ini;
  EXPECT_TRUE(Exists(app.Path("portable/preferences.txt")) &&
              Exists(app.Path("portable/preferences-default.txt")));
}

const char kCaption[] = "Orvinale preferences";

// The right status line against its 29-cell help line: "Parsed and saved
// successfully" is as wide, "Parse error before: " 19 cells.
bool ShowsSuccess(const Image& s, const Panes& p) {
  return std::abs(StatusToHelpWidth(s, p[1]) - 1) < 0.03;
}
bool ShowsParseError(const Image& s, const Panes& p) {
  return std::abs(StatusToHelpWidth(s, p[1]) - 0.65) < 0.07;
}

unsigned long OpenPreferences(Orvinale& app, unsigned long win, Image* shot, Panes* panes) {
  unsigned long prefs = app.Open(win, "ctrl+p", kCaption);
  bool shown = prefs != 0 && WaitPanes(app, prefs, 2, [](const Image& s, const Panes& p) {
    return HelpLineRight(s, p[0]) > p[0].x0 && HelpLineRight(s, p[1]) > p[1].x0 &&
           CountInText(s, p[0], kText) > 100;
  }, shot, "preferences.png");
  *panes = FindPanes(*shot);
  return shown ? prefs : 0;
}

TEST(Story, PreferencesRepairedInTheProgramApplyAtTheNextStart) {
  Orvinale app;
  const std::string user = app.Path("portable/preferences.txt"), broken = "{\n  \"tab_size\": 8,\n}\n";
  ASSERT_TRUE(WriteFile(user, broken) && WriteFile(app.Path("t.txt"), "\tx\n") &&
              WriteFile(app.Path("ruler.txt"), RulerRows() + "\tz\n") &&
              WriteFile(app.Path("portable/orvinale.ini"), "[orvinale]\nruler=1\n"));
  ASSERT_TRUE(app.Start({app.WindowsPath("t.txt")}));
  ASSERT_TRUE(app.DismissBox("Orvinale: preferences parse error found", 60)) << "the comma not reported";
  ASSERT_TRUE(app.DismissBox("Release for testing purposes"));
  unsigned long win = app.WaitWindow(MainTitle("t.txt"));
  ASSERT_NE(win, 0u);
  EXPECT_TRUE(app.Saves(win, "t.txt", "  x\n")) << "no default tab size:" << ReadFile(app.Path("t.txt"));
  EXPECT_EQ(ReadFile(user), broken);

  // Defaults left, preferences.txt right, half and half; the right help line has "Save".
  Image shot;
  Panes panes;
  unsigned long prefs = OpenPreferences(app, win, &shot, &panes);
  ASSERT_NE(prefs, 0u) << "Ctrl+P: no Preferences window with two panes";
  const std::string defaults = ReadFile(app.Path("portable/preferences-default.txt"));
  EXPECT_NEAR(panes[0].x1 - panes[0].x0, panes[1].x1 - panes[1].x0, 4);
  EXPECT_GT(shot.Count(Rgb{255, 255, 128}, panes[0].x1, panes[0].band_top, panes[1].x0, panes[0].bottom), 0);
  EXPECT_NEAR(static_cast<double>(HelpLineRight(shot, panes[1]) - panes[1].x0) /
                  (HelpLineRight(shot, panes[0]) - panes[0].x0), 1.15, 0.07);
  const std::vector<uint8_t> left_status = StatusPixels(shot, panes[0]);
  const std::vector<uint8_t> right_status = StatusPixels(shot, panes[1]);

  // The right pane has the focus; Ctrl+S keeps the file and shows the parse error.
  app.Key(prefs, "Down End");
  ASSERT_TRUE(StatusIs(app, prefs, 2, 1, right_status, false, &shot)) << "the keys missed the right pane";
  EXPECT_EQ(StatusPixels(shot, FindPanes(shot)[0]), left_status) << "the left pane took keys";
  app.QuickKeys(prefs, "ctrl+s");
  EXPECT_TRUE(WaitPanes(app, prefs, 2, ShowsParseError, &shot, "parse-error.png")) << "no parse error shown";
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
  EXPECT_TRUE(WaitPanes(app, prefs, 2, ShowsSuccess, &shot, "saved.png")) << "no success message";

  // Ctrl+Tab: the left pane ignores typing; its search selects there only.
  app.QuickKeys(prefs, "ctrl+Tab");
  EXPECT_TRUE(ReadOnlyPaneFinds(app, prefs, 2, 0, left_status, "ruler"))
      << "the focus did not move to the left pane, typing changed it, or no match selected there alone";
  EXPECT_EQ(ReadFile(app.Path("portable/preferences-default.txt")), defaults);

  app.QuickKeys(prefs, "ctrl+w");
  EXPECT_TRUE(app.WaitWindowGone(kCaption)) << "Ctrl+W in the left pane";
  prefs = OpenPreferences(app, win, &shot, &panes);
  ASSERT_NE(prefs, 0u);
  // Ctrl+W and "y" at once on a text that does not parse: nothing unparsable is written.
  app.Key(prefs, "Down End");
  app.Type(prefs, ",");
  ASSERT_TRUE(StatusIs(app, prefs, 2, 1, StatusPixels(shot, panes[1]), false));
  app.QuickKeys(prefs, "ctrl+w y");
  EXPECT_TRUE(app.WaitWindowGone(kCaption)) << "Ctrl+W did not close the window";
  EXPECT_EQ(ReadFile(user), repaired);
  EXPECT_EQ(app.Quit(win), 0);

  // The next start: a maxim, one white line centred on the empty screen.
  win = app.StartMain({}, kMainTitle);
  ASSERT_NE(win, 0u);
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  EXPECT_TRUE(app.WaitShot(win, "maxim.png", [&](const Image& s) {
    x0 = s.width, x1 = 0, y0 = s.height, y1 = 0;
    for (int y = kClientTop; y < s.height - 8; ++y)
      for (int x = 8; x < s.width - 8; ++x)
        if (s.At(x, y) == kWhite) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = y;
    return x1 > x0 && std::abs(x0 + x1 - s.width) <= 24 && std::abs(y0 + y1 - kClientTop - s.height) <= 28;
  }, &shot)) << "maxim at x " << x0 << ".." << x1 << ", y " << y0 << ".." << y1 << " in " << shot.width << "x"
              << shot.height;
  EXPECT_LT(y1 - y0, 40) << "more than one line";

  // Left pane focused; after Ctrl+Tab, Ctrl+W in the right one drops the change.
  prefs = OpenPreferences(app, win, &shot, &panes);
  ASSERT_NE(prefs, 0u);
  const std::vector<uint8_t> right_before = StatusPixels(shot, panes[1]);
  EXPECT_TRUE(PaneBlinks(app, prefs, 0)) << "the left pane has no blinking caret";
  app.QuickKeys(prefs, "ctrl+Tab");
  EXPECT_TRUE(PaneBlinks(app, prefs, 1)) << "the focus did not move to the right pane";
  app.Type(prefs, "x");
  EXPECT_TRUE(StatusIs(app, prefs, 2, 1, right_before, false)) << "typing changed nothing on the right";
  app.QuickKeys(prefs, "ctrl+w");
  EXPECT_TRUE(app.WaitWindowGone(kCaption));
  EXPECT_EQ(ReadFile(user), repaired);

  // A document removes the maxim; ruler after column 80, tabs of eight.
  ASSERT_NE(app.ChooseFile(win, "ctrl+o", "Open file", "ruler.txt"), 0u);
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("ruler.txt")));
  auto no_maxim = [](const Image& s) {
    return s.Count(kWhite, 8, kClientTop, s.width - 8, s.height - 8) == 0;
  };
  ASSERT_TRUE(app.WaitShot(win, "ruler.png", [&](const Image& s) {
    return no_maxim(s) && InClient(s, kText) > 20 && InClient(s, kEmpty) == 0 && LabelTops(s).size() >= 4;
  }, &shot)) << "the maxim stayed with a document shown, or no line numbers";
  ExpectRulerBetweenMarks(shot);
  EXPECT_TRUE(app.Saves(win, "ruler.txt", RulerRows() + "        z\n")) << ReadFile(app.Path("ruler.txt"));
  app.Key(win, "ctrl+w");
  EXPECT_TRUE(app.WaitShot(win, "closed.png", [](const Image& s) {
    return InClient(s, kEmpty) > s.width * s.height / 2;
  }, &shot)) << "no empty screen after closing";
  EXPECT_TRUE(no_maxim(shot)) << "the maxim came back";
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
