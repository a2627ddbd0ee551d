// HELP > Changelog (Ctrl+F2): "changelog.txt" in a read-only console pane;
// typing changes nothing, Ctrl+F finds text, Ctrl+W closes the window.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/console_pane_support.h"
#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const char kCaption[] = "Orvinale changelog";

TEST(ChangelogWindow, ShowsTheChangelogReadOnlyFindsTextAndClosesWithCtrlW) {
  e2e::Orvinale app;
  const std::string changelog = e2e::ReadFile(app.Path("changelog.txt"));
  ASSERT_FALSE(changelog.empty()) << "the data files are copied beside the exe";
  unsigned long main = app.StartMain({}, kTitle);
  ASSERT_NE(main, 0u);
  app.Key(main, "ctrl+F2");
  unsigned long window = app.WaitWindow(kCaption, 20);
  ASSERT_NE(window, 0u) << "Ctrl+F2 opens the Changelog window";

  // One pane filling the window, with the file's text in light grey.
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitPanes(app, window, 1, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::HelpLineRight(s, p[0]) > p[0].x0 &&
           s.Count({192, 192, 192}, p[0].x0, 30, p[0].x1, p[0].band_top) > 300;
  }, &shot, 20, "changelog.png"));
  const e2e::PaneBox pane = e2e::FindPanes(shot)[0];
  EXPECT_GT(pane.x1 - pane.x0, shot.width - 20) << "the pane fills the window";
  const std::vector<uint8_t> status = e2e::StatusPixels(shot, pane);
  EXPECT_TRUE(e2e::PaneBlinks(app, window, 0)) << "the pane has the focus";

  // Typing is dropped: after the typed keys, Ctrl+F's prompt shows, and
  // Escape gives back the status line as it was (same line and column, not
  // modified).
  app.Type(window, "xyz");
  app.Key(window, "Return BackSpace Delete");
  EXPECT_TRUE(e2e::CtrlKey(app, window, "f", [&] {
    return e2e::StatusChanged(app, window, 1, 0, status, &shot, "changelog-find.png");
  }));
  app.Key(window, "Escape");
  EXPECT_TRUE(e2e::WaitPanes(app, window, 1, [&](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::StatusPixels(s, p[0]) == status;
  }, &shot, 10)) << "the typing changed the text or moved the cursor";

  // A search selects its match.
  EXPECT_TRUE(e2e::CtrlKey(app, window, "f", [&] {
    return e2e::StatusChanged(app, window, 1, 0, status, &shot, "changelog-find.png");
  }));
  app.Type(window, "Portable use");
  app.Key(window, "Return");
  EXPECT_TRUE(e2e::WaitPanes(app, window, 1, [](const e2e::Image& s, const std::vector<e2e::PaneBox>& p) {
    return e2e::CountInText(s, p[0], e2e::kSelectionCyan) > 20;
  }, &shot, 10, "changelog-found.png")) << "no selected match";

  EXPECT_TRUE(e2e::CtrlKey(app, window, "w", [&] { return app.WaitWindowGone(kCaption, 0.2); }))
      << "Ctrl+W leaves the window open";
  EXPECT_EQ(e2e::ReadFile(app.Path("changelog.txt")), changelog);
  app.Key(main, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

}  // namespace
