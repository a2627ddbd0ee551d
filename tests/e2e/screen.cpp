#include "tests/e2e/screen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {

const Rgb kEmpty{48, 25, 52};         // the text pane with no document
const Rgb kText{192, 192, 192};
const Rgb kLabel{70, 70, 70};         // line numbers
const Rgb kCaretLabel{128, 128, 255};  // the caret row's label
const Rgb kSelected{77, 77, 153};     // (128,128,255) at 0.6 over black: selection, block caret
const Rgb kRed{255, 0, 0};            // the insert caret
const Rgb kRuler{25, 25, 25};
const Rgb kDot{20, 72, 82};           // whitespace
const Rgb kWhite{255, 255, 255};

int InClient(const Image& shot, const Rgb& c) {
  return shot.Count(c, 0, kClientTop, shot.width, shot.height);
}

bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last) {
  *first = -1;
  for (int y = kClientTop; y < shot.height; ++y) {
    if (shot.Count(c, x0, y, x1, y + 1) == 0) continue;
    if (*first < 0) *first = y;
    *last = y;
  }
  return *first >= 0;
}

bool CaretLabelRows(const Image& shot, int* first, int* last) {
  return RowsWith(shot, kCaretLabel, 0, kLabelsRight, first, last);
}

std::vector<int> LabelTops(const Image& shot) {
  std::vector<int> tops;
  int blank = 0;  // rows without label pixels just above y
  for (int y = kClientTop; y < shot.height; ++y) {
    if (shot.Count(kLabel, 0, y, kLabelsRight, y + 1) == 0) {
      ++blank;
      continue;
    }
    if (blank >= 3) tops.push_back(y);  // gaps inside a digit are shorter
    blank = 0;
  }
  return tops;
}

std::vector<int> TextProfile(const Image& shot) {
  std::vector<int> rows;
  for (int y = kClientTop; y < shot.height; ++y) rows.push_back(shot.Count(kText, 0, y, shot.width, y + 1));
  return rows;
}

namespace {

struct Strip {
  int x0, y0, x1, y1;
};

Strip BarStrip(const Image& shot) {
  return {shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20};
}

}  // namespace

std::vector<int> RulerColumns(const Image& shot) {
  std::vector<int> xs;
  const int rows = shot.height - kClientTop - 10;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kRuler, x, kClientTop, x + 1, shot.height - 10) > rows / 2) xs.push_back(x);
  return xs;
}

int NotBlackInBar(const Image& shot) {
  Strip s = BarStrip(shot);
  return (s.x1 - s.x0) * (s.y1 - s.y0) - shot.Count(Rgb{0, 0, 0}, s.x0, s.y0, s.x1, s.y1);
}

double LightShareOfBar(const Image& shot) {
  Strip s = BarStrip(shot);
  int light = shot.Count([](Rgb p) { return p.r > 150 && p.g > 150 && p.b > 150; }, s.x0, s.y0, s.x1, s.y1);
  return static_cast<double>(light) / ((s.x1 - s.x0) * (s.y1 - s.y0));
}

int ThumbRows(const Image& shot) {
  // The longest run of mid-grey pixels down the bar: the thumb's face and
  // grip are lighter than the track and the arrow buttons.
  int best = 0, run = 0;
  for (int y = kClientTop; y < shot.height - 8; ++y) {
    const Rgb p = shot.At(shot.width - 14, y);
    run = p.r >= 40 && p.r <= 80 && p.r == p.g && p.g == p.b ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

std::string RulerRows() {
  return std::string(79, ' ') + "#\n" + std::string(80, ' ') + "#\n" + std::string(119, ' ') + "#\n" +
         std::string(120, ' ') + "#\n";
}

void ExpectRulerBetweenMarks(const Image& shot) {
  std::vector<int> ruler = RulerColumns(shot);
  ASSERT_FALSE(ruler.empty()) << "no ruler line";
  EXPECT_LE(ruler.back() - ruler.front(), 1) << "one ruler line expected";
  // Dots stand at the cell centres of row 0: their spacing is the cell width.
  std::vector<int> dots;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kDot, x, kClientTop, x + 1, kClientTop + 12) > 0) dots.push_back(x);
  ASSERT_GT(dots.size(), 10u) << "no whitespace dots on the first row";
  const int cell = dots[1] - dots[0];
  ASSERT_GT(cell, 4);
  const int y1 = kClientTop + 12 * cell;  // the four marked rows
  EXPECT_GT(shot.Count(kText, ruler.front() - cell, kClientTop, ruler.front(), y1), 0)
      << "no '#' in the cell left of the ruler";
  EXPECT_GT(shot.Count(kText, ruler.back() + 1, kClientTop, ruler.back() + cell, y1), 0)
      << "no '#' in the cell right of the ruler";
  EXPECT_EQ(shot.Count(kText, ruler.back() + cell, kClientTop, ruler.back() + 2 * cell, y1), 0)
      << "text two cells right of the ruler: it stands one column early";
}

const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};

namespace {

constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

struct Run {
  int x0, x1;
};

std::vector<Run> BlueRuns(const Image& shot, int y) {
  std::vector<Run> runs;
  for (int x = 0; x < shot.width;) {
    if (shot.At(x, y) != kPaneBlue) {
      ++x;
      continue;
    }
    int start = x;
    while (x < shot.width && shot.At(x, y) == kPaneBlue) ++x;
    if (x - start >= 60) runs.push_back({start, x});
  }
  return runs;
}

int RunsWidth(const std::vector<Run>& runs) {
  int n = 0;
  for (const Run& r : runs) n += r.x1 - r.x0;
  return n;
}

int RightmostNotBlue(const Image& shot, const PaneBox& pane, int y0, int y1) {
  for (int x = pane.x1 - 1; x >= pane.x0; --x)
    if (shot.Count([](Rgb p) { return p != kPaneBlue; }, x, y0, x + 1, y1) > 0) return x;
  return -1;
}

int BandHeight(const PaneBox& pane) { return pane.bottom - pane.band_top + 1; }

}  // namespace

std::vector<PaneBox> FindPanes(const Image& shot) {
  // The lowest rows with pane blue; of the few lowest, the one where the
  // blue runs are longest (text glyphs split runs on the others).
  int lowest = -1;
  for (int y = shot.height - 1; y >= 0 && lowest < 0; --y)
    if (!BlueRuns(shot, y).empty()) lowest = y;
  if (lowest < 0) return {};
  std::vector<Run> best;
  int best_y = lowest;
  for (int y = lowest; y > lowest - 6 && y >= 0; --y) {
    std::vector<Run> runs = BlueRuns(shot, y);
    if (RunsWidth(runs) > RunsWidth(best)) best = runs, best_y = y;
  }
  std::vector<PaneBox> panes;
  for (const Run& run : best) {
    PaneBox pane{run.x0, run.x1, best_y, best_y};
    while (pane.bottom + 1 < shot.height && shot.At(run.x1 - 2, pane.bottom + 1) == kPaneBlue) ++pane.bottom;
    while (pane.band_top > 0 && shot.At(run.x1 - 2, pane.band_top - 1) == kPaneBlue) --pane.band_top;
    panes.push_back(pane);
  }
  return panes;
}

int HelpLineRight(const Image& shot, const PaneBox& pane) {
  // A third of the band lies inside the help row whatever is left below
  // the status row.
  return RightmostNotBlue(shot, pane, pane.band_top, pane.band_top + BandHeight(pane) / 3);
}

double StatusToHelpWidth(const Image& shot, const PaneBox& pane) {
  int help = HelpLineRight(shot, pane);
  // The band's lower half lies inside the status row or below it.
  int status = RightmostNotBlue(shot, pane, pane.band_top + BandHeight(pane) / 2, pane.bottom + 1);
  if (help <= pane.x0) return -1;
  return static_cast<double>(status - pane.x0 + 1) / (help - pane.x0 + 1);
}

std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane) {
  return shot.Region(pane.x0, pane.band_top + BandHeight(pane) / 2, pane.x1, pane.bottom + 1);
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test,
               Image* shot, const std::string& name) {
  return app.WaitShot(window, name, [&](const Image& s) {
    std::vector<PaneBox> panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  }, shot);
}

bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  return WaitUntil([&] {
    Image shot = app.Screenshot(window, "blink.png");
    std::vector<PaneBox> panes = FindPanes(shot);
    if (panes.size() <= index) return false;
    const PaneBox& p = panes[index];
    std::vector<uint8_t> now = shot.Region(p.x0, kCaptionRows, p.x1, p.band_top);
    if (first.empty() || first.size() != now.size()) {
      first = now;
      return false;
    }
    return now != first;
  }, 5);
}

}  // namespace e2e
