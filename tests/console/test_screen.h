// A console screen without a window: records invalidations and links, and
// lets tests hold Ctrl, Shift and Alt.
#pragma once

#include <string>
#include <vector>

#include "console/console_screen.h"

class TestScreen : public ConsoleScreen {
 public:
  explicit TestScreen(int rows = 25, int cols = 80) { ResizeGrid(&grid, rows, cols); }

  bool IsDown(ConsoleModifier modifier) const override {
    switch (modifier) {
      case ConsoleModifier::kControl: return ctrl;
      case ConsoleModifier::kShift: return shift;
      case ConsoleModifier::kAlt: return alt;
    }
    return false;
  }
  void InvalidateCells(const ConsoleRect& rect) override { invalidated.push_back(rect); }
  void PumpMessages(bool until_key) override { ++pumps; }
  void OpenLink(const std::string& url) override { links.push_back(url); }
  void CaptureMouse(bool capture) override { captured = capture; }

  std::string Row(int row) const {
    std::string text = GridRowText(grid, row);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
  int AttrAt(int col, int row) const { return GridCell(grid, col, row)->attr; }

  bool ctrl = false, shift = false, alt = false;
  bool captured = false;
  int pumps = 0;
  std::vector<ConsoleRect> invalidated;
  std::vector<std::string> links;
};
