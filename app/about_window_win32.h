#pragma once
// The About window: the animated credits in a fixed 630 x 210 window.
#include <windows.h>

#include "app/about_animation.h"
#include "app/sizer.h"
#include "display/cached_font.h"
#include "display/canvas.h"

constexpr UINT_PTR kAboutTimer = 330;  // the next frame
constexpr UINT kAboutFramePeriod = 41;  // ms

// Invariants while the window exists: canvas is 630 x 210 (empty only when
// memory ran out, then nothing is drawn); dest_rect is the drawing area's
// rectangle of the last frame, in the window's client coordinates.
struct AboutWindow {
  HWND hwnd = nullptr;
  RECT dest_rect{};  // left, top, right, bottom
  Sizer sizer;       // the drawing area follows the client edges
  Canvas canvas;
  CachedFont credit_font;
  AboutAnimation animation;  // started at creation
};

// Null while the window is closed.
extern AboutWindow* about_window;

// Draws the next frame, asks for a paint and advances the animation.
void NextAboutFrame(AboutWindow* w);
