// The console's 32-entry colour table. Entry 2n is colour pair n and entry
// 2n+1 its bright form. Colours are 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>

struct ConsoleColour {
  uint32_t fg = 0;
  uint32_t bg = 0;
};

constexpr int kConsoleColourCount = 32;
using ConsoleColourTable = std::array<ConsoleColour, kConsoleColourCount>;

// The table entry of a cell's attribute: its low five bits.
constexpr int ColourIndex(int attr) { return attr & (kConsoleColourCount - 1); }

// An external palette: a version word (changes make windows rebuild their
// tables) then 16 foreground/background pairs.
struct ConsolePalette {
  uint32_t version = 0;
  ConsoleColour pairs[16];
};

constexpr uint32_t ConsoleRgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
         (static_cast<uint32_t>(b) << 16);
}

ConsoleColourTable DefaultConsoleColours();

// Pair n fills entry 2n; entry 2n+1 keeps the background and raises every
// non-zero component of the foreground to 255.
ConsoleColourTable ColoursFromPalette(const ConsolePalette& palette);

uint32_t BrightenColour(uint32_t colour);
