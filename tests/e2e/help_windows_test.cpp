// The HELP menu in the running program: the About window animates (and shows
// its alternative forms while Ctrl is held), the License window shows
// license.txt black on white, the Version box names the source revision,
// and Documentation opens documentation.txt in Notepad.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const e2e::Rgb kBlack{0, 0, 0};
const e2e::Rgb kWhite{255, 255, 255};
const int kCaptionHeight = 24;

void Close(e2e::Orvinale& app, unsigned long win) {
  app.Key(win, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

// Pixels of [x0, x1) x [y0, y1) whose three channels all lie in [low, high].
int Grey(const e2e::Image& shot, int low, int high, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      e2e::Rgb p = shot.At(x, y);
      n += p.r >= low && p.r <= high && p.g >= low && p.g <= high && p.b >= low && p.b <= high;
    }
  }
  return n;
}

// The same below the caption and inside the frame that Wine draws.
int GreyInside(const e2e::Image& shot, int low, int high) {
  return Grey(shot, low, high, 4, kCaptionHeight, shot.width - 4, shot.height - 4);
}

// The first row below the caption with light grey text pixels; the height
// when there is none.
int TopTextRow(const e2e::Image& shot) {
  for (int y = kCaptionHeight; y < shot.height - 4; ++y)
    if (Grey(shot, 150, 200, 4, y, shot.width - 4, y + 1) > 0) return y;
  return shot.height;
}

// Rows [top, top + 12) of the shot, top being the first text row: the same
// bytes for the same top entry wherever the list stands. Empty when the
// entry is not wholly in view.
std::vector<uint8_t> TopEntryRows(const e2e::Image& shot) {
  const int top = TopTextRow(shot);
  if (top + 12 > shot.height - 4) return {};
  auto from = shot.rgb.begin() + static_cast<long>(top) * shot.width * 3;
  return std::vector<uint8_t>(from, from + 12L * shot.width * 3);
}

// A visible window whose title matches the extended regular expression.
unsigned long FindWindowMatching(const std::string& pattern) {
  std::string ids = e2e::Capture("xdotool search --onlyvisible --name " + e2e::ShellQuote(pattern) +
                                 " 2>/dev/null");
  return std::strtoul(ids.c_str(), nullptr, 10);
}

TEST(HelpWindowsE2e, AboutAnimatesAndLicenseShowsTheFile) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, kTitle);
  ASSERT_NE(win, 0u);

  app.Key(win, "ctrl+F1");
  unsigned long about = app.WaitWindow("About Orvinale", 20);
  ASSERT_NE(about, 0u) << "Ctrl+F1 opens the About window";
  // The list rises from below the bottom edge: wait for text to come into
  // view, then for a frame where it stands higher.
  e2e::Image first, later;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    first = app.Screenshot(about, "about-1.png");
    return GreyInside(first, 150, 200) > 100;
  }, 20)) << "no light grey credits";
  EXPECT_GT(first.Count(kBlack, 0, 0, first.width, first.height), first.width * first.height / 2)
      << "on black";
  ASSERT_TRUE(e2e::WaitUntil([&] {
    later = app.Screenshot(about, "about-2.png");
    return later.width == first.width && later.height == first.height &&
           TopTextRow(later) < TopTextRow(first) - 10;
  }, 10)) << "the credits do not rise";

  // Ctrl held while it runs: the program's name, the top entry, in Greek
  // letters. The list moves, so the rows of the top entry are compared.
  const std::vector<uint8_t> plain_name = TopEntryRows(later);
  ASSERT_FALSE(plain_name.empty());
  app.Focus(about);
  e2e::Capture("xdotool keydown ctrl 2>/dev/null");
  e2e::Image held;
  bool changed = e2e::WaitUntil([&] {
    held = app.Screenshot(about, "about-ctrl.png");
    std::vector<uint8_t> rows = TopEntryRows(held);
    return !rows.empty() && rows != plain_name;
  }, 10);
  e2e::Capture("xdotool keyup ctrl 2>/dev/null");
  EXPECT_TRUE(changed) << "holding Ctrl does not change the program's name";
  e2e::Image released;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    released = app.Screenshot(about, "about-released.png");
    return TopEntryRows(released) == plain_name;
  }, 10)) << "released: the usual form again";

  // A second Ctrl+F1 brings up the same window, not another one.
  app.Key(win, "ctrl+F1");
  EXPECT_EQ(app.WaitOtherWindow("About Orvinale", about, 2), 0u);

  app.Key(about, "Escape");
  ASSERT_TRUE(app.WaitWindowGone("About Orvinale"));

  // HELP > License: the menu's last item.
  app.Key(win, "alt+h l");
  unsigned long license = app.WaitWindow("Orvinale license", 20);
  ASSERT_NE(license, 0u) << "HELP > License opens the License window";
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(license, "license.png");
    return GreyInside(shot, 0, 90) > 300;
  }, 20)) << "no dark text in the License window";
  EXPECT_GT(shot.Count(kWhite, 0, 0, shot.width, shot.height), shot.width * shot.height / 2)
      << "white background";
  app.Key(license, "Escape");
  ASSERT_TRUE(app.WaitWindowGone("Orvinale license"));
  Close(app, win);
}

// The texts of a top-level window's controls, read by a small Windows
// helper in the program's Wine prefix.
std::string ControlTexts(const std::string& title) {
  return e2e::Capture(e2e::ShellQuote(std::string(ORV_SOURCE_DIR) + "/scripts/wine-run") + " " +
                      e2e::ShellQuote(std::string(ORV_WIN64_DIR) + "/orv_window_texts.exe") + " " +
                      e2e::ShellQuote(title) + " 2>/dev/null");
}

TEST(HelpWindowsE2e, VersionBoxNamesTheBuildAndItsRevision) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, kTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+F3");
  unsigned long box = app.WaitWindow("Version details", 20);
  ASSERT_NE(box, 0u) << "Ctrl+F3 shows the Version box";
  app.Screenshot(box, "version.png");
  std::string text;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    text = ControlTexts("Version details");
    return text.find("Git commit") != std::string::npos;
  }, 30)) << "the box's text: " << text;
  app.Key(box, "Return");
  ASSERT_TRUE(app.WaitWindowGone("Version details"));

  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      text, m,
      std::regex("Orvinale version: 0\\.53-alpha \\(x64\\)\n\n"
                 "Build timestamp: [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}\n"
                 "Git commit: ([0-9a-f]{40})\n")))
      << text;
  std::string head = e2e::Capture("git -C " + e2e::ShellQuote(ORV_SOURCE_DIR) +
                                  " rev-parse HEAD 2>/dev/null");
  if (head.size() >= 40) {
    EXPECT_EQ(m[1].str(), head.substr(0, 40)) << "the revision the program was built from";
  } else {
    EXPECT_EQ(m[1].str(), std::string(40, '0')) << "no git checkout: the zero revision";
  }
  Close(app, win);
}

TEST(HelpWindowsE2e, DocumentationOpensInNotepad) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, kTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "alt+h d");
  unsigned long notepad = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    notepad = FindWindowMatching("^documentation(\\.txt)? - Notepad$");
    return notepad != 0;
  }, 60)) << "no Notepad window with documentation.txt";
  e2e::Image shot = app.Screenshot(notepad, "notepad.png");
  EXPECT_GT(GreyInside(shot, 0, 90), 300) << "Notepad shows text";
  app.Key(notepad, "alt+F4");
  EXPECT_TRUE(e2e::WaitUntil([&] { return FindWindowMatching("- Notepad$") == 0; }, 20));
  Close(app, win);
}

}  // namespace
