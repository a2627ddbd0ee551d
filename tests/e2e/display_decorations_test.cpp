// Ruler, whitespace dots, the maxim on the empty screen and the skinned
// scrollbar in the running program, checked by pixel colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const e2e::Rgb kText{192, 192, 192};
const e2e::Rgb kRuler{25, 25, 25};
const e2e::Rgb kDot{20, 72, 82};
const e2e::Rgb kWhite{255, 255, 255};
const e2e::Rgb kEmpty{48, 25, 52};
const int kClientTop = 45;  // below the caption and the menu bar

// A wide window (so column 120 is on screen), ruler on in the profile.
void Configure(e2e::Orvinale& app, const std::string& preferences) {
  ASSERT_TRUE(e2e::WriteFile(app.Path("portable/preferences.txt"), preferences));
  ASSERT_TRUE(e2e::WriteFile(app.Path("portable/orvinale.ini"),
                             "[orvinale]\nmain_wnd_x=0\nmain_wnd_y=0\nmain_wnd_w=1260\n"
                             "main_wnd_h=700\nruler=1\n"));
}

void Close(e2e::Orvinale& app, unsigned long win) {
  app.Key(win, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
  EXPECT_EQ(code, 0);
}

// Columns of the client area holding the colour on more than half the rows.
std::vector<int> FullColumns(const e2e::Image& shot, const e2e::Rgb& c) {
  std::vector<int> xs;
  const int rows = shot.height - kClientTop - 10;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(c, x, kClientTop, x + 1, shot.height - 10) > rows / 2) xs.push_back(x);
  return xs;
}

std::string RulerFile(int lines) {
  std::string text = std::string(79, ' ') + "#\n" + std::string(80, ' ') + "#\n" +
                     std::string(119, ' ') + "#\n" + std::string(120, ' ') + "#\n";
  for (int i = 4; i < lines; ++i) text += "x\n";
  return text;
}

// Share of light pixels in the strip where the vertical scrollbar sits.
double LightShareOfBar(const e2e::Image& shot) {
  int light = 0, all = 0;
  for (int y = kClientTop + 20; y < shot.height - 20; ++y) {
    for (int x = shot.width - 18; x < shot.width - 6; ++x) {
      const e2e::Rgb p = shot.At(x, y);
      light += p.r > 150 && p.g > 150 && p.b > 150;
      ++all;
    }
  }
  return all ? static_cast<double>(light) / all : 0;
}

int BlackInBar(const e2e::Image& shot) {
  return shot.Count(e2e::Rgb{0, 0, 0}, shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20);
}

// The ruler stands on the left edge of cell `column`: within one cell
// width, the '#' that ends the column before it is on its left and the '#'
// in that column on its right (rows 0 to 3 hold '#' at 79, 80, 119, 120).
void ExpectRulerAtColumn(const e2e::Image& shot) {
  std::vector<int> ruler = FullColumns(shot, kRuler);
  ASSERT_FALSE(ruler.empty()) << "no ruler line";
  EXPECT_LE(ruler.back() - ruler.front(), 1) << "one line expected";
  // Dots stand at the cell centres of row 0: their spacing is the cell width.
  std::vector<int> dots;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kDot, x, kClientTop, x + 1, kClientTop + 12) > 0) dots.push_back(x);
  ASSERT_GT(dots.size(), 10u);
  const int cell = dots[1] - dots[0];
  ASSERT_GT(cell, 4);
  const int y1 = kClientTop + 12 * cell;  // the first four rows, below them only "x" at column 0
  EXPECT_GT(shot.Count(kText, ruler.front() - cell, kClientTop, ruler.front(), y1), 0)
      << "no '#' in the cell left of the ruler";
  EXPECT_GT(shot.Count(kText, ruler.back() + 1, kClientTop, ruler.back() + cell, y1), 0)
      << "no '#' in the cell right of the ruler";
  EXPECT_EQ(shot.Count(kText, ruler.back() + cell, kClientTop, ruler.back() + 2 * cell, y1), 0)
      << "text two cells right of the ruler: it stands one column early";
}

unsigned long StartWithFile(e2e::Orvinale& app, const std::string& name, const std::string& text,
                            e2e::Image* shot) {
  EXPECT_TRUE(e2e::WriteFile(app.Path(name), text));
  unsigned long win = app.StartMain({app.WindowsPath(name)}, name + " - " + kTitle);
  if (win == 0) return 0;
  e2e::WaitUntil([&] {
    *shot = app.Screenshot(win, "start.png");
    return shot->Count(kText, 0, kClientTop, shot->width, shot->height) > 20;
  }, 30);
  return win;
}

TEST(DisplayDecorationsE2e, MaximCentredOnTheEmptyScreenUntilADocumentShows) {
  e2e::Orvinale app;
  Configure(app, "{ \"ancient_wisdom\": true }\n");
  unsigned long win = app.StartMain({}, kTitle);
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  auto white = [&] { return shot.Count(kWhite, 8, kClientTop, shot.width - 8, shot.height - 8); };
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "maxim.png");
    return white() > 50;
  }, 30)) << "no maxim";
  int x0 = shot.width, x1 = 0, y0 = shot.height, y1 = 0;
  for (int y = kClientTop; y < shot.height - 8; ++y)
    for (int x = 8; x < shot.width - 8; ++x)
      if (shot.At(x, y) == kWhite) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  EXPECT_NEAR((x0 + x1) / 2.0, shot.width / 2.0, 12);
  EXPECT_NEAR((y0 + y1) / 2.0, (kClientTop + shot.height) / 2.0, 14);
  EXPECT_LT(y1 - y0, 40) << "one line of text";

  app.Key(win, "ctrl+n");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "document.png");
    return white() == 0 && shot.Count(kEmpty, 0, kClientTop, shot.width, shot.height) == 0;
  }, 10)) << "the maxim stayed with a document shown";
  app.Key(win, "ctrl+w");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "closed.png");
    return shot.Count(kEmpty, 0, kClientTop, shot.width, shot.height) > shot.width * shot.height / 2;
  }, 10)) << "no empty screen after closing";
  EXPECT_EQ(white(), 0) << "the maxim shows only until the first document";
  Close(app, win);
}

TEST(DisplayDecorationsE2e, RulerAt80DotsAndSkinnedBarWithToggles) {
  e2e::Orvinale app;
  Configure(app, "{ \"ruler\": 80 }\n");
  e2e::Image shot;
  unsigned long win = StartWithFile(app, "long.txt", RulerFile(300), &shot);
  ASSERT_NE(win, 0u);
  ExpectRulerAtColumn(shot);
  // 79 blank cells before the first '#': a dot in each.
  EXPECT_GE(shot.Count(kDot, 0, kClientTop, shot.width, kClientTop + 12), 79);
  // The skinned bar: dark, drawn over the strip at the right.
  EXPECT_LT(LightShareOfBar(shot), 0.1);
  EXPECT_LT(BlackInBar(shot), 12 * (shot.height - kClientTop - 40) / 2);

  app.Key(win, "ctrl+r ctrl+d");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "toggled.png");
    return FullColumns(shot, kRuler).empty() && shot.Count(kDot, 0, kClientTop, shot.width, shot.height) == 0;
  }, 10)) << "Ctrl+R and Ctrl+D did not hide the ruler and the dots";
  Close(app, win);
}

// Rows of the skinned thumb: the longest run of mid-grey pixels (thumb face
// and grip, lighter than the track and the arrow buttons) down the bar.
int ThumbRows(const e2e::Image& shot) {
  int best = 0, run = 0;
  const int x = shot.width - 14;
  for (int y = kClientTop; y < shot.height - 8; ++y) {
    const e2e::Rgb p = shot.At(x, y);
    const bool thumb = p.r >= 40 && p.r <= 80 && p.r == p.g && p.g == p.b;
    run = thumb ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

TEST(DisplayDecorationsE2e, ThumbKeepsItsMinimumSizeOnALongDocument) {
  e2e::Orvinale app;
  Configure(app, "{}\n");
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "x\n";
  e2e::Image shot;
  unsigned long win = StartWithFile(app, "huge.txt", text, &shot);
  ASSERT_NE(win, 0u);
  // A page of about 45 lines over 20,000 would make a thumb of a pixel.
  EXPECT_GE(ThumbRows(shot), 25);
  EXPECT_LE(ThumbRows(shot), 40);
  Close(app, win);
}

TEST(DisplayDecorationsE2e, RulerAt120ByDefaultNoBarOnAShortFile) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("portable/orvinale.ini"),
                             "[orvinale]\nmain_wnd_x=0\nmain_wnd_y=0\nmain_wnd_w=1260\n"
                             "main_wnd_h=700\nruler=1\n"));
  e2e::Image shot;
  unsigned long win = StartWithFile(app, "short.txt", RulerFile(4), &shot);
  ASSERT_NE(win, 0u);
  ExpectRulerAtColumn(shot);
  EXPECT_EQ(BlackInBar(shot), 12 * (shot.height - kClientTop - 40)) << "a bar on a short file";
  Close(app, win);
}

TEST(DisplayDecorationsE2e, FlatBarWithoutTheSkinImage) {
  e2e::Orvinale app;
  Configure(app, "{}\n");
  ASSERT_EQ(0, std::system(("rm -rf " + e2e::ShellQuote(app.Path("skin"))).c_str()));
  e2e::Image shot;
  unsigned long win = StartWithFile(app, "long.txt", RulerFile(300), &shot);
  ASSERT_NE(win, 0u);
  EXPECT_GT(LightShareOfBar(shot), 0.5) << "the flat bar uses the light system colours";
  Close(app, win);
}

}  // namespace
