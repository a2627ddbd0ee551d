#pragma once
// The HELP menu: the About window (the animated credits in a fixed 630 x 210
// window), the License window ("license.txt" from beside the program in a
// read-only, multi-line edit control, in a fixed 400 x 400 window), the
// Version box, the documentation and the website.
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

struct LicenseWindow {
  HWND hwnd = nullptr;
  Sizer sizer;  // the edit control follows the client edges
  HWND edit = nullptr;
};

// Null while the window is closed.
extern AboutWindow* about_window;
extern LicenseWindow* license_window;

// The two windows: focus the open one, or create and show it, owned by
// `owner`.
void OpenAboutWindow(HWND owner);
void OpenLicenseWindow(HWND owner);
// Draws the next frame, asks for a paint and advances the animation.
void NextAboutFrame(AboutWindow* w);
// A message box with the version, build time and source revision.
void ShowVersionBox(HWND owner);
// "documentation.txt" from beside the program, in Notepad.
void OpenDocumentation(HWND owner);
// The product web page in the default browser.
void OpenWebsite(HWND owner);
