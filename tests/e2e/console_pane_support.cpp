#include "tests/e2e/console_pane_support.h"

#include <algorithm>

namespace e2e {

const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};

namespace {

constexpr int kMinPaneWidth = 60;

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
    if (x - start >= kMinPaneWidth) runs.push_back({start, x});
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
    for (int y = y0; y < y1; ++y)
      if (shot.At(x, y) != kPaneBlue) return x;
  return -1;
}

int BandHeight(const PaneBox& pane) { return pane.bottom - pane.band_top + 1; }

std::vector<uint8_t> Region(const Image& shot, int x0, int y0, int x1, int y1) {
  std::vector<uint8_t> out;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      Rgb c = shot.At(x, y);
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  return out;
}

// The caption and frame that the window manager part of Wine draws.
constexpr int kCaptionRows = 30;

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
    if (RunsWidth(runs) > RunsWidth(best)) {
      best = runs;
      best_y = y;
    }
  }
  std::vector<PaneBox> panes;
  for (const Run& run : best) {
    PaneBox pane;
    pane.x0 = run.x0;
    pane.x1 = run.x1;
    pane.bottom = best_y;
    for (int y = best_y; y < shot.height && shot.At(run.x1 - 2, y) == kPaneBlue; ++y) pane.bottom = y;
    int top = best_y;
    while (top > 0 && shot.At(run.x1 - 2, top - 1) == kPaneBlue) --top;
    pane.band_top = top;
    panes.push_back(pane);
  }
  return panes;
}

int HelpLineRight(const Image& shot, const PaneBox& pane) {
  // The help row is the band's first cell row; a third of the band lies
  // inside it whatever is left below the status row.
  return RightmostNotBlue(shot, pane, pane.band_top, pane.band_top + BandHeight(pane) / 3);
}

int StatusLineRight(const Image& shot, const PaneBox& pane) {
  // The band's lower half lies inside the status row or below it.
  return RightmostNotBlue(shot, pane, pane.band_top + BandHeight(pane) / 2, pane.bottom + 1);
}

double StatusToHelpWidth(const Image& shot, const PaneBox& pane) {
  int help = HelpLineRight(shot, pane);
  int status = StatusLineRight(shot, pane);
  if (help <= pane.x0) return -1;
  return static_cast<double>(status - pane.x0 + 1) / (help - pane.x0 + 1);
}

std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane) {
  return Region(shot, pane.x0, pane.band_top + BandHeight(pane) / 2, pane.x1, pane.bottom + 1);
}

std::vector<uint8_t> TextPixels(const Image& shot, const PaneBox& pane) {
  return Region(shot, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

bool WaitPanes(Orvinale& app, unsigned long window, size_t panes,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& check,
               Image* shot, double timeout_s, const std::string& name) {
  return WaitUntil([&] {
    *shot = app.Screenshot(window, name);
    std::vector<PaneBox> found = FindPanes(*shot);
    return found.size() == panes && check(*shot, found);
  }, timeout_s);
}

bool StatusChanged(Orvinale& app, unsigned long window, size_t panes, size_t index,
                   const std::vector<uint8_t>& before, Image* shot, const std::string& name) {
  *shot = app.Screenshot(window, name);
  std::vector<PaneBox> found = FindPanes(*shot);
  return found.size() == panes && StatusPixels(*shot, found[index]) != before;
}

bool PaneBlinks(Orvinale& app, unsigned long window, size_t index, double timeout_s) {
  std::vector<uint8_t> first;
  return WaitUntil([&] {
    Image shot = app.Screenshot(window, "blink.png");
    std::vector<PaneBox> panes = FindPanes(shot);
    if (panes.size() <= index) return false;
    std::vector<uint8_t> now = TextPixels(shot, panes[index]);
    if (first.empty() || first.size() != now.size()) {
      first = now;
      return false;
    }
    return now != first;
  }, timeout_s);
}

void QuickKeys(Orvinale& app, unsigned long window, const std::string& keys) {
  app.Focus(window);
  Capture("xdotool key --delay 0 " + keys + " 2>/dev/null");
}

bool CtrlKey(Orvinale& app, unsigned long window, const std::string& key,
             const std::function<bool()>& done, double timeout_s) {
  QuickKeys(app, window, "ctrl+" + key);
  return WaitUntil(done, timeout_s);
}

}  // namespace e2e
