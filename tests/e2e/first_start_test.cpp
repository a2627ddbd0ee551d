// A first start: the empty editor, a new note saved under typed names, the
// view toggles, full screen, the HELP menu's windows, the profile at the exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

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
  const std::string version = kMainTitle.substr(kMainTitle.find(' ') + 1);  // as in the title
  EXPECT_NE(text.find("Orvinale version: " + version + "\n\nBuild timestamp: "), std::string::npos) << text;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, std::regex("\nBuild timestamp: [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} "
                                                    "[0-9]{2}:[0-9]{2}:[0-9]{2}\n"
                                                    "Git commit: ([0-9a-f]{40})\n"))) << text;
  const std::string head = Capture("git -C " + ShellQuote(ORV_SOURCE_DIR) + " rev-parse HEAD");
  EXPECT_EQ(m[1].str(), head.size() >= 40 ? head.substr(0, 40) : std::string(40, '0'))
      << "not the revision the program was built from (all zeros outside a git checkout)";

  // Changelog: one read-only pane filling the window, with the focus.
  unsigned long window = app.Open(win, "ctrl+F2", "Orvinale changelog");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const std::vector<PaneBox>& p) {
    return HelpLineRight(s, p[0]) > p[0].x0 && CountInText(s, p[0], kText) > 300;
  }, &shot, "changelog.png")) << "no pane showing the changelog";
  const PaneBox pane = FindPanes(shot)[0];
  EXPECT_GT(pane.x1 - pane.x0, shot.width - 20) << "the pane does not fill the window";
  const std::vector<uint8_t> status = StatusPixels(shot, pane);
  EXPECT_TRUE(PaneBlinks(app, window, 0)) << "the pane has no blinking caret";
  EXPECT_TRUE(TypingChangesNothing(app, window, 1, 0, status)) << "typing changed the text or the cursor";
  FindInPane(app, window, "Portable use");
  EXPECT_TRUE(WaitPanes(app, window, 1, [](const Image& s, const std::vector<PaneBox>& p) {
    return CountInText(s, p[0], kSelectionCyan) > 20;
  }, &shot, "changelog-found.png")) << "no match selected";
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

}  // namespace
