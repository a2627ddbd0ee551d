// The HELP menu's windows: the About window's rising credits, the License
// window, the Version box with the source revision, the Changelog in a
// read-only console pane, and the documentation in Notepad.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/screen.h"

namespace {

using namespace e2e;

constexpr int kCaptionHeight = 24;

// Pixels below the caption and inside Wine's frame whose three channels lie
// in [low, high]: light grey credits, dark text.
int Grey(const Image& shot, int low, int high, int y0 = kCaptionHeight, int y1 = -1) {
  return shot.Count([&](Rgb p) {
    return p.r >= low && p.r <= high && p.g >= low && p.g <= high && p.b >= low && p.b <= high;
  }, 4, y0, shot.width - 4, y1 < 0 ? shot.height - 4 : y1);
}

// The first row with light grey text; the height when there is none.
int TopTextRow(const Image& shot) {
  for (int y = kCaptionHeight; y < shot.height - 4; ++y)
    if (Grey(shot, 150, 200, y, y + 1) > 0) return y;
  return shot.height;
}

// The 12 rows from the first text row: the same bytes for the same top
// entry wherever the rising list stands. Empty when not wholly in view.
std::vector<uint8_t> TopEntryRows(const Image& shot) {
  const int top = TopTextRow(shot);
  return top + 12 > shot.height - 4 ? std::vector<uint8_t>{} : shot.Region(0, top, shot.width, top + 12);
}

TEST(Story, TheHelpWindows) {
  Orvinale app;
  const std::string changelog = ReadFile(app.Path("changelog.txt"));
  ASSERT_FALSE(changelog.empty()) << "the data files are copied beside the exe";
  unsigned long win = app.StartMain({}, kMainTitle);
  ASSERT_NE(win, 0u);

  // About: light grey credits on black, rising from below the bottom edge.
  unsigned long about = app.Open(win, "ctrl+F1", "About Orvinale");
  ASSERT_NE(about, 0u);
  Image first, later;
  ASSERT_TRUE(app.WaitShot(about, "about-1.png", [](const Image& s) { return Grey(s, 150, 200) > 100; },
                           &first)) << "no light grey credits";
  EXPECT_GT(first.Count(Rgb{}, 0, 0, first.width, first.height), first.width * first.height / 2)
      << "not on black";
  ASSERT_TRUE(app.WaitShot(about, "about-2.png", [&](const Image& s) {
    return s.width == first.width && TopTextRow(s) < TopTextRow(first) - 10;
  }, &later)) << "the credits do not rise";
  // Ctrl held: the program's name, the top entry, in its other form; the
  // usual one again once released.
  const std::vector<uint8_t> usual = TopEntryRows(later);
  ASSERT_FALSE(usual.empty());
  app.Focus(about);
  Capture("xdotool keydown ctrl");
  Image shot;
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

  // License, the menu's last item: dark text on white.
  unsigned long license = app.Open(win, "alt+h l", "Orvinale license");
  ASSERT_NE(license, 0u) << "HELP > License";
  EXPECT_TRUE(app.WaitShot(license, "license.png", [](const Image& s) {
    return Grey(s, 0, 90) > 300 && s.Count(kWhite, 0, 0, s.width, s.height) > s.width * s.height / 2;
  }, &shot)) << "no dark text on white";
  ASSERT_TRUE(app.Close(license, "Escape", "Orvinale license"));

  // Version: the build's version, date and time, and the revision it was
  // built from.
  ASSERT_NE(app.Open(win, "ctrl+F3", "Version details"), 0u);
  std::string text;
  EXPECT_TRUE(WaitUntil([&] {
    return (text = app.ControlTexts("Version details")).find("Git commit") != std::string::npos;
  }, 30)) << text;
  EXPECT_TRUE(app.DismissBox("Version details"));
  const std::string version = kMainTitle.substr(kMainTitle.find(' ') + 1);  // as in the title
  EXPECT_NE(text.find("Orvinale version: " + version + "\n\nBuild timestamp: "), std::string::npos) << text;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, std::regex("\nBuild timestamp: [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} "
                                                    "[0-9]{2}:[0-9]{2}:[0-9]{2}\n"
                                                    "Git commit: ([0-9a-f]{40})\n"))) << text;
  const std::string head = Capture("git -C " + ShellQuote(ORV_SOURCE_DIR) + " rev-parse HEAD");
  EXPECT_EQ(m[1].str(), head.size() >= 40 ? head.substr(0, 40) : std::string(40, '0'))
      << "not the revision the program was built from (all zeros outside a git checkout)";

  // Changelog: the file in one pane filling the window, with the focus.
  // Typing changes nothing: after the keys, Ctrl+F's prompt shows and Escape
  // gives back the status line as it was. A search selects its match.
  unsigned long window = app.Open(win, "ctrl+F2", "Orvinale changelog");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const std::vector<PaneBox>& p) {
    return HelpLineRight(s, p[0]) > p[0].x0 && CountInText(s, p[0], kText) > 300;
  }, &shot, "changelog.png")) << "no pane showing the changelog";
  const PaneBox pane = FindPanes(shot)[0];
  EXPECT_GT(pane.x1 - pane.x0, shot.width - 20) << "the pane does not fill the window";
  const std::vector<uint8_t> status = StatusPixels(shot, pane);
  EXPECT_TRUE(PaneBlinks(app, window, 0)) << "the pane has no blinking caret";
  app.Type(window, "xyz");
  app.Key(window, "Return BackSpace Delete");
  app.QuickKeys(window, "ctrl+f");
  EXPECT_TRUE(WaitPanes(app, window, 1, [&](const Image& s, const std::vector<PaneBox>& p) {
    return StatusPixels(s, p[0]) != status;
  }, &shot)) << "no find prompt";
  app.Key(window, "Escape");
  EXPECT_TRUE(WaitPanes(app, window, 1, [&](const Image& s, const std::vector<PaneBox>& p) {
    return StatusPixels(s, p[0]) == status;
  }, &shot)) << "the typing changed the text or moved the cursor";
  app.QuickKeys(window, "ctrl+f");
  app.Type(window, "Portable use");
  app.Key(window, "Return");
  EXPECT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const std::vector<PaneBox>& p) {
    return CountInText(s, p[0], kSelectionCyan) > 20;
  }, &shot, "changelog-found.png")) << "no match selected";
  app.QuickKeys(window, "ctrl+w");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale changelog")) << "Ctrl+W leaves the window open";
  EXPECT_EQ(ReadFile(app.Path("changelog.txt")), changelog);

  // Documentation: documentation.txt in Notepad.
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
}

}  // namespace
