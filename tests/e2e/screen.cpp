#include "tests/e2e/screen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {

const Rgb kEmpty{48, 25, 52};          // the text pane with no document
const Rgb kText{192, 192, 192};
const Rgb kLabel{70, 70, 70};          // line numbers
const Rgb kCaretLabel{128, 128, 255};  // the caret row's line number
const Rgb kSelected{77, 77, 153};      // (128,128,255) at 0.6 over black: selection, block caret
const Rgb kRed{255, 0, 0};             // the caret while a selection shows
const Rgb kRuler{25, 25, 25};
const Rgb kDot{20, 72, 82};            // whitespace
const Rgb kWhite{255, 255, 255};

int InClient(const Image& shot, const Rgb& c) {
  return shot.Count(c, 0, kClientTop, shot.width, shot.height);
}

bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last) {
  *first = -1;
  for (int y = kClientTop; y < shot.height; ++y)
    if (shot.Count(c, x0, y, x1, y + 1) > 0) *last = y, *first = *first < 0 ? y : *first;
  return *first >= 0;
}

bool CaretLabelRows(const Image& shot, int* first, int* last) {
  // Glyphs, not the insert caret's two-pixel underline of the same colour.
  return RowsWith(shot, kCaretLabel, 0, kLabelsRight, first, last) && *last - *first >= 4;
}

std::vector<int> LabelTops(const Image& shot) {
  std::vector<int> tops;
  for (int y = kClientTop, blank = 0; y < shot.height; ++y) {
    const bool label = shot.Count(kLabel, 0, y, kLabelsRight, y + 1) > 0;
    if (label && blank >= 3) tops.push_back(y);  // gaps inside a digit are shorter
    blank = label ? 0 : blank + 1;
  }
  return tops;
}

std::vector<int> TextProfile(const Image& shot) {
  std::vector<int> rows;
  for (int y = kClientTop; y < shot.height; ++y) rows.push_back(shot.Count(kText, 0, y, shot.width, y + 1));
  return rows;
}

namespace {

int InBar(const Image& shot, const std::function<bool(Rgb)>& test) {
  return shot.Count(test, shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20);
}

}  // namespace

int NotBlackInBar(const Image& shot) {
  return InBar(shot, [](Rgb p) { return p != Rgb{}; });
}

double LightShareOfBar(const Image& shot) {
  return static_cast<double>(InBar(shot, [](Rgb p) { return p.r > 150 && p.g > 150 && p.b > 150; })) /
         InBar(shot, [](Rgb) { return true; });
}

int ThumbRows(const Image& shot) {
  // The longest run of mid-grey down the bar: the thumb is lighter than the
  // track and the arrow buttons.
  int best = 0;
  for (int y = kClientTop, run = 0; y < shot.height - 8; ++y) {
    const Rgb p = shot.At(shot.width - 14, y);
    run = p.r >= 40 && p.r <= 80 && p.r == p.g && p.g == p.b ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

std::vector<int> RulerColumns(const Image& shot) {
  std::vector<int> xs;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kRuler, x, kClientTop, x + 1, shot.height) > (shot.height - kClientTop) / 2)
      xs.push_back(x);
  return xs;
}

std::string RulerRows() {
  std::string text;
  for (int column : {79, 80, 119, 120}) text += std::string(column, ' ') + "#\n";
  return text;
}

void ExpectRulerBetweenMarks(const Image& shot) {
  std::vector<int> ruler = RulerColumns(shot);
  ASSERT_FALSE(ruler.empty()) << "no ruler line";
  EXPECT_LE(ruler.back() - ruler.front(), 1) << "more than one ruler line";
  // The dots of the first row stand at the cell centres: their spacing is
  // the cell width.
  std::vector<int> dots;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kDot, x, kClientTop, x + 1, kClientTop + 12) > 0) dots.push_back(x);
  ASSERT_GT(dots.size(), 10u) << "no whitespace dots on the first row";
  const int cell = dots[1] - dots[0], y1 = kClientTop + 12 * cell;  // the four marked rows
  EXPECT_GT(shot.Count(kText, ruler.front() - cell, kClientTop, ruler.front(), y1), 0) << "no '#' left";
  EXPECT_GT(shot.Count(kText, ruler.back() + 1, kClientTop, ruler.back() + cell, y1), 0) << "no '#' right";
  EXPECT_EQ(shot.Count(kText, ruler.back() + cell, kClientTop, ruler.back() + 2 * cell, y1), 0)
      << "text two cells right of the ruler: it stands a column early";
}

const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};

namespace {

constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

int RightmostNotBlue(const Image& shot, const PaneBox& pane, int y0, int y1) {
  for (int x = pane.x1 - 1; x >= pane.x0; --x)
    if (shot.Count([](Rgb p) { return p != kPaneBlue; }, x, y0, x + 1, y1) > 0) return x;
  return -1;
}

int BandHeight(const PaneBox& pane) { return pane.bottom - pane.band_top + 1; }

}  // namespace

std::vector<PaneBox> FindPanes(const Image& shot) {
  // Runs of columns with pane blue in the lowest rows (glyphs never fill a
  // column of the band); the band's extent down a run's last column but one.
  std::vector<PaneBox> panes;
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

int HelpLineRight(const Image& shot, const PaneBox& pane) {
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

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test, Image* shot,
               const std::string& name) {
  return app.WaitShot(window, name, [&](const Image& s) {
    std::vector<PaneBox> panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  }, shot);
}

bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  Image shot;
  return app.WaitShot(window, "blink.png", [&](const Image& s) {
    std::vector<PaneBox> panes = FindPanes(s);
    if (panes.size() <= index) return false;
    const PaneBox& p = panes[index];
    std::vector<uint8_t> now = s.Region(p.x0, kCaptionRows, p.x1, p.band_top);
    if (first.size() != now.size()) first = now;
    return now != first;
  }, &shot, 5);
}

bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index,
              const std::vector<uint8_t>& status, bool is, Image* shot) {
  Image own;
  return WaitPanes(app, window, count, [&](const Image& s, const std::vector<PaneBox>& p) {
    return (StatusPixels(s, p[index]) == status) == is;
  }, shot != nullptr ? shot : &own, "status.png");
}

bool TypingChangesNothing(Orvinale& app, unsigned long window, size_t count, size_t index,
                          const std::vector<uint8_t>& status) {
  app.Type(window, "xyz");
  app.Key(window, "Return BackSpace Delete Tab");
  app.QuickKeys(window, "ctrl+f");
  const bool prompt = StatusIs(app, window, count, index, status, false);
  app.Key(window, "Escape");
  return prompt && StatusIs(app, window, count, index, status, true);
}

void FindInPane(Orvinale& app, unsigned long window, const std::string& text) {
  app.QuickKeys(window, "ctrl+f");
  app.Type(window, text);
  app.Key(window, "Return");
}

}  // namespace e2e
