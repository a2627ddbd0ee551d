// OPTIONS > Preferences (Ctrl+P): the defaults read-only on the left,
// "preferences.txt" on the right; Ctrl+S saves only what parses and says
// so on the status line, Ctrl+Tab changes sides, Ctrl+W closes, and the
// window comes back where it was.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/console_pane_support.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/search_support.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const char kCaption[] = "Orvinale preferences";
const e2e::Rgb kBackground{255, 255, 128};

bool Near(double value, double low, double high) { return value >= low && value <= high; }

// The right pane's status line against its help line "Ctrl+(Pane Find/Replace
// Save)", 29 cells: "Parsed and saved successfully" is as wide, "Parse error
// before: " (a trailing comma: nothing quoted) ends after 19 cells, the
// ordinary status line "Line 2/3 [1-3] Col 16 [INS]*" after 28.
bool ShowsSuccess(const e2e::Image& shot, const e2e::PaneBox& pane) {
  return Near(e2e::StatusToHelpWidth(shot, pane), 0.98, 1.03);
}
bool ShowsParseError(const e2e::Image& shot, const e2e::PaneBox& pane) {
  return Near(e2e::StatusToHelpWidth(shot, pane), 0.58, 0.72);
}

TEST(PreferencesWindow, SavesOnlyParsedTextKeepsTheDefaultsReadOnlyAndReopensInPlace) {
  e2e::Orvinale app;
  const std::string user = app.Path("portable/preferences.txt");
  const std::string original = "{\n  \"ruler\": 100\n}\n";
  ASSERT_TRUE(e2e::WriteFile(user, original));
  unsigned long main = app.StartMain({}, kTitle);
  ASSERT_NE(main, 0u);
  const std::string defaults = e2e::ReadFile(app.Path("portable/preferences-default.txt"));
  ASSERT_FALSE(defaults.empty());

  app.Key(main, "ctrl+p");
  unsigned long prefs = app.WaitWindow(kCaption, 20);
  ASSERT_NE(prefs, 0u) << "Ctrl+P opens the Preferences window";

  // Two panes side by side, half and half, the window's own background
  // between them; both show their files.
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::HelpLineRight(s, p[1]) > p[1].x0 && e2e::HelpLineRight(s, p[0]) > p[0].x0 &&
           s.Count({192, 192, 192}, p[0].x0, 30, p[0].x1, p[0].band_top) > 100;
  }, &shot, 20, "preferences-open.png"));
  std::vector<e2e::PaneBox> panes = e2e::FindPanes(shot);
  const e2e::PaneBox left = panes[0], right = panes[1];
  EXPECT_NEAR(left.x1 - left.x0, right.x1 - right.x0, 4);
  EXPECT_GT(shot.Count(kBackground, left.x1, left.band_top, right.x0, left.bottom), 0)
      << "the window's background shows between the panes";
  // The right pane's help line is three cells longer ("Save") than the left's.
  const double help_ratio = static_cast<double>(e2e::HelpLineRight(shot, right) - right.x0 + 1) /
                            (e2e::HelpLineRight(shot, left) - left.x0 + 1);
  EXPECT_TRUE(Near(help_ratio, 1.08, 1.22)) << help_ratio;
  const std::vector<uint8_t> left_status = e2e::StatusPixels(shot, left);
  const std::vector<uint8_t> right_status = e2e::StatusPixels(shot, right);

  // The right pane has the focus: a trailing comma goes there.
  app.Key(prefs, "Down End");
  app.Type(prefs, ",");
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::StatusChanged(app, prefs, 2, 1, right_status, &shot); }, 10));
  EXPECT_EQ(e2e::StatusPixels(shot, left), left_status) << "the left pane stays as it was";

  // Ctrl+S with the trailing comma: the file keeps its bytes, the status
  // line shows the parse error.
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "s", [&] {
    shot = app.Screenshot(prefs, "preferences-error.png");
    std::vector<e2e::PaneBox> p = e2e::FindPanes(shot);
    return p.size() == 2 && ShowsParseError(shot, p[1]);
  })) << "status/help width " << e2e::StatusToHelpWidth(shot, right);
  EXPECT_EQ(e2e::ReadFile(user), original);

  // Fixed with another member, Ctrl+S writes the file and says so.
  app.Key(prefs, "Return");
  app.Type(prefs, "\"tab_size\": 4");
  // Home keeps the ordinary status line well short of the success message.
  app.Key(prefs, "Home");
  const std::string expected = "{\n  \"ruler\": 100,\n  \"tab_size\": 4\n}\n";
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "s", [&] { return e2e::ReadFile(user) == expected; }))
      << e2e::ReadFile(user);
  EXPECT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return ShowsSuccess(s, p[1]);
  }, &shot, 10, "preferences-saved.png")) << "status/help width " << e2e::StatusToHelpWidth(shot, right);

  // Ctrl+Tab: the left pane takes the focus (its caret starts blinking).
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "Tab", [&] { return e2e::PaneBlinks(app, prefs, 0, 3); }))
      << "the focus did not move to the left pane";
  // Typing there changes nothing. Ctrl+F opens the find prompt after the
  // typed keys, so once it shows they have all been handled; Escape then
  // brings back the status line as it was.
  app.Type(prefs, "abc");
  app.Key(prefs, "Return BackSpace Delete Tab");
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "f", [&] {
    return e2e::StatusChanged(app, prefs, 2, 0, left_status, &shot, "preferences-find.png");
  })) << "no find prompt in the left pane";
  app.Key(prefs, "Escape");
  EXPECT_TRUE(e2e::WaitPanes(app, prefs, 2, [&](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::StatusPixels(s, p[0]) == left_status;
  }, &shot, 10)) << "the left pane's text or cursor changed";
  // Ctrl+F and a search text find it there: the match is selected.
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "f", [&] {
    return e2e::StatusChanged(app, prefs, 2, 0, left_status, &shot, "preferences-find.png");
  }));
  app.Type(prefs, "ruler");
  app.Key(prefs, "Return");
  EXPECT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::CountInText(s, p[0], e2e::kSelectionCyan) > 20 &&
           e2e::CountInText(s, p[1], e2e::kSelectionCyan) == 0;
  }, &shot, 10, "preferences-found.png")) << "no selected match in the left pane";
  EXPECT_EQ(e2e::ReadFile(app.Path("portable/preferences-default.txt")), defaults);

  // Moved, closed with Ctrl+W, reopened: in the same place.
  e2e::MoveWindowTo(prefs, 60, 90);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowPosition(prefs) == std::make_pair(60, 90); }, 10));
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "w", [&] { return app.WaitWindowGone(kCaption, 0.2); }));
  // The place is written at WM_DESTROY, which comes after the window is
  // hidden: the file may lag the window's going.
  std::string ini;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
    return e2e::IniValue(ini, "preferences_wnd_x", -1) == 60 && e2e::IniValue(ini, "preferences_wnd_y", -1) == 90;
  }, 10)) << ini;
  app.Key(main, "ctrl+p");
  prefs = app.WaitWindow(kCaption, 20);
  ASSERT_NE(prefs, 0u);
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowPosition(prefs) == std::make_pair(60, 90); }, 10))
      << e2e::WindowPosition(prefs).first << "," << e2e::WindowPosition(prefs).second;
  // Reopened, it reads the saved file afresh.
  EXPECT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::HelpLineRight(s, p[1]) > p[1].x0;
  }, &shot, 20, "preferences-reopened.png"));

  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "w", [&] { return app.WaitWindowGone(kCaption, 0.2); }));
  app.Key(main, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

// Ctrl+W and "y" typed at once on a text that does not parse: Ctrl+W is
// the window's close (not the editor's save-before-closing question), and
// nothing unparsable reaches preferences.txt either way.
TEST(PreferencesWindow, AQuickCtrlWThenYNeverWritesAnUnparsableFile) {
  e2e::Orvinale app;
  const std::string user = app.Path("portable/preferences.txt");
  const std::string original = "{\n  \"ruler\": 100\n}\n";
  ASSERT_TRUE(e2e::WriteFile(user, original));
  unsigned long main = app.StartMain({}, kTitle);
  ASSERT_NE(main, 0u);
  app.Key(main, "ctrl+p");
  unsigned long prefs = app.WaitWindow(kCaption, 20);
  ASSERT_NE(prefs, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::HelpLineRight(s, p[1]) > p[1].x0;
  }, &shot, 20));
  const std::vector<uint8_t> right_status = e2e::StatusPixels(shot, e2e::FindPanes(shot)[1]);
  app.Key(prefs, "Down End");
  app.Type(prefs, ",");
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::StatusChanged(app, prefs, 2, 1, right_status, &shot); }, 10));

  e2e::QuickKeys(app, prefs, "ctrl+w y");
  EXPECT_TRUE(app.WaitWindowGone(kCaption, 10)) << "Ctrl+W did not close the window";
  EXPECT_EQ(e2e::ReadFile(user), original);
  app.Key(main, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

TEST(PreferencesWindow, OpensWithTheLeftPaneFocusedWhenThePreferencesSaySo) {
  e2e::Orvinale app;
  const std::string user = app.Path("portable/preferences.txt");
  const std::string text = "{\n  \"curses_right_focus\": false\n}\n";
  ASSERT_TRUE(e2e::WriteFile(user, text));
  unsigned long main = app.StartMain({}, kTitle);
  ASSERT_NE(main, 0u);
  app.Key(main, "ctrl+p");
  unsigned long prefs = app.WaitWindow(kCaption, 20);
  ASSERT_NE(prefs, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::HelpLineRight(s, p[1]) > p[1].x0;
  }, &shot, 20));
  std::vector<e2e::PaneBox> panes = e2e::FindPanes(shot);
  const std::vector<uint8_t> left_status = e2e::StatusPixels(shot, panes[0]);
  const std::vector<uint8_t> right_status = e2e::StatusPixels(shot, panes[1]);

  EXPECT_TRUE(e2e::PaneBlinks(app, prefs, 0)) << "the left pane has no blinking caret";
  // Ctrl+F and a search go to the left pane.
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "f", [&] {
    return e2e::StatusChanged(app, prefs, 2, 0, left_status, &shot, "left-find.png") &&
           e2e::StatusToHelpWidth(shot, panes[0]) > 1.2;  // the long find prompt
  }));
  app.Type(prefs, "ruler");
  app.Key(prefs, "Return");
  EXPECT_TRUE(e2e::WaitPanes(app, prefs, 2, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::CountInText(s, p[0], e2e::kSelectionCyan) > 20;
  }, &shot, 10, "left-found.png"));
  EXPECT_EQ(e2e::StatusPixels(shot, panes[1]), right_status) << "the right pane saw none of it";

  // Ctrl+Tab moves to the right pane, where typing edits.
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "Tab", [&] { return e2e::PaneBlinks(app, prefs, 1, 3); }));
  app.Type(prefs, "x");
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::StatusChanged(app, prefs, 2, 1, right_status, &shot); }, 10));
  // Ctrl+W with that unsaved change closes at once and keeps the file.
  EXPECT_TRUE(e2e::CtrlKey(app, prefs, "w", [&] { return app.WaitWindowGone(kCaption, 0.2); }));
  EXPECT_EQ(e2e::ReadFile(user), text);
  app.Key(main, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

}  // namespace
