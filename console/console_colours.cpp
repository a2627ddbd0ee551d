#include "console/console_colours.h"

ConsoleColourTable DefaultConsoleColours() {
  const uint32_t black = 0;
  const uint32_t grey = ConsoleRgb(192, 192, 192);
  const uint32_t white = ConsoleRgb(255, 255, 255);
  const uint32_t blue = ConsoleRgb(0, 0, 192);
  const uint32_t teal = ConsoleRgb(0, 192, 192);
  const uint32_t red = ConsoleRgb(192, 0, 0);
  ConsoleColourTable t{};
  t[0] = {grey, black};
  t[1] = {white, black};
  t[2] = {grey, blue};
  t[3] = {white, blue};
  t[4] = t[5] = {black, teal};
  t[6] = t[7] = {ConsoleRgb(0, 255, 255), black};
  t[8] = t[9] = {ConsoleRgb(0, 255, 0), black};
  t[10] = {ConsoleRgb(96, 128, 192), black};
  t[11] = {white, black};
  t[12] = {grey, red};
  t[13] = {white, red};
  t[14] = t[15] = {ConsoleRgb(255, 255, 0), black};
  t[16] = {ConsoleRgb(255, 128, 128), black};
  t[17] = {white, black};
  t[18] = {ConsoleRgb(255, 192, 0), black};
  t[19] = {ConsoleRgb(0, 255, 255), black};
  t[20] = {ConsoleRgb(255, 192, 192), black};
  t[21] = {white, black};
  t[22] = {ConsoleRgb(192, 255, 128), black};
  t[23] = {white, black};
  t[24] = t[25] = {black, teal};
  t[26] = {grey, red};
  t[27] = {white, red};
  t[28] = {ConsoleRgb(192, 192, 0), black};
  t[29] = {ConsoleRgb(255, 255, 0), black};
  t[30] = t[31] = {black, black};
  return t;
}

uint32_t BrightenColour(uint32_t colour) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    if ((colour >> shift) & 0xFF) out |= 0xFFu << shift;
  return out;
}

ConsoleColourTable ColoursFromPalette(const ConsolePalette& palette) {
  ConsoleColourTable t{};
  for (int n = 0; n < 16; ++n) {
    t[2 * n] = palette.pairs[n];
    t[2 * n + 1] = {BrightenColour(palette.pairs[n].fg), palette.pairs[n].bg};
  }
  return t;
}
