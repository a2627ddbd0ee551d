// A preferences.txt that does not parse is reported at start, repaired in the
// Preferences window, and applies at the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

const char kCaption[] = "Orvinale preferences";
using Panes = std::vector<PaneBox>;

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
  EXPECT_TRUE(PaneBlinks(app, prefs, 0)) << "the focus did not move to the left pane";
  EXPECT_TRUE(TypingChangesNothing(app, prefs, 2, 0, left_status)) << "typing changed the text or the cursor";
  FindInPane(app, prefs, "ruler");
  EXPECT_TRUE(WaitPanes(app, prefs, 2, [](const Image& s, const Panes& p) {
    return CountInText(s, p[0], kSelectionCyan) > 20 && CountInText(s, p[1], kSelectionCyan) == 0;
  }, &shot, "found.png")) << "no match selected in the left pane";
  EXPECT_EQ(ReadFile(app.Path("portable/preferences-default.txt")), defaults);

  MoveWindow(prefs, 60, 90);
  ASSERT_TRUE(WaitUntil([&] { return At(prefs, 60, 90); }, 10));
  app.QuickKeys(prefs, "ctrl+w");
  EXPECT_TRUE(app.WaitWindowGone(kCaption)) << "Ctrl+W in the left pane";
  EXPECT_TRUE(WaitUntil([&] {
    return IniValue(app.Ini(), "preferences_wnd_x") == 60 && IniValue(app.Ini(), "preferences_wnd_y") == 90;
  }, 10)) << app.Ini();
  prefs = OpenPreferences(app, win, &shot, &panes);
  ASSERT_NE(prefs, 0u);
  EXPECT_TRUE(At(prefs, 60, 90)) << BoxOf(prefs).x << "," << BoxOf(prefs).y;
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
  EXPECT_TRUE(At(prefs, 60, 90)) << BoxOf(prefs).x << "," << BoxOf(prefs).y;
  const std::vector<uint8_t> right_before = StatusPixels(shot, panes[1]);
  EXPECT_TRUE(PaneBlinks(app, prefs, 0)) << "the left pane has no blinking caret";
  FindInPane(app, prefs, "ruler");
  EXPECT_TRUE(WaitPanes(app, prefs, 2, [&](const Image& s, const Panes& p) {
    return CountInText(s, p[0], kSelectionCyan) > 20 && StatusPixels(s, p[1]) == right_before;
  }, &shot, "left-found.png")) << "no match selected in the left pane, or the right pane took keys";
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
