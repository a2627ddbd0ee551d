// The per-window record of the skinned scrollbar subclass and the helpers its
// files share.
#pragma once

#include <windows.h>

#include "display/canvas.h"
#include "display/scrollbar_geometry.h"
#include "display/scrollbar_skin.h"

constexpr unsigned kBarWanted = 8;  // flag: the bar is to be shown
constexpr int kHorizontalBar = 0;
constexpr int kVerticalBar = 1;

struct BarState {
  unsigned flags = 0;    // kBarWanted
  bool visible = false;  // the bar has space in the frame now
  BarScroll scroll;
  int min_thumb = 8;  // at 96 DPI
};

struct SkinnedScrollbar {
  WNDPROC previous_proc = nullptr;
  BarState bars[2];  // kHorizontalBar, kVerticalBar
  bool left_side = false;  // WS_EX_LEFTSCROLLBAR
  RECT insets = {};        // how far the previous procedure moved each client edge
  // Interaction. Invariants (CheckScrollbarInvariants): dragging or a pressed
  // zone only while pressing, never both; a repeat timer only with a pressed
  // zone; no hot tracking while pressing.
  bool pressing = false;   // a press holds the capture
  UINT notify_message = WM_VSCROLL;
  int active_bar = kVerticalBar;
  int pressed_zone = kZoneNone;
  bool pointer_in_pressed_zone = false;
  bool dragging = false;
  int grab_offset = 0;
  int last_drag_position = 0;
  UINT_PTR repeat_timer = 0;   // 0, kRepeatDelayTimer or kRepeatTimer
  bool hot_timer = false;
  int hot_bar = kVerticalBar;
  int hot_zone = kZoneNone;
  int previous_hot_zone = kZoneNone;
  bool style_lock = false;  // the previous procedure runs with the scroll styles hidden
  int skin_slot = 0;
  int dpi = 96;  // of the window: bar sizes are the system's at 96 DPI scaled to it
  Canvas bar_image;    // the bar composed before it goes to the screen
  Canvas turned_image; // the same turned on its side for a horizontal bar
};

// The process-wide skin of slot 0 ("scrollbar").
struct ScrollbarSkin {
  bool tried = false;   // loading was attempted
  Canvas image;         // empty when there is no usable image
  SkinMetrics metrics;
};
extern ScrollbarSkin scrollbar_skin;
void EnsureScrollbarSkin();
// Reads a PNG file into top-down 0xAARRGGBB pixels. False for a missing,
// damaged, truncated or oversized (above 4096 on a side) file.
bool ReadPngPixels(const wchar_t* path, Canvas* out);

SkinnedScrollbar* FindScrollbar(HWND hwnd);
bool CheckScrollbarInvariants(const SkinnedScrollbar& sb);
LRESULT CALLBACK SkinnedScrollbarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Calls the previous procedure with WS_HSCROLL and WS_VSCROLL hidden.
LRESULT CallPreviousHidingScrollStyles(SkinnedScrollbar& sb, HWND hwnd, UINT msg, WPARAM wp,
                                       LPARAM lp);

// The bar's rectangle in screen coordinates; false when the bar is not visible.
bool BarScreenRect(const SkinnedScrollbar& sb, HWND hwnd, int bar, RECT* out);
// A system metric of the bars (SM_CXVSCROLL and the like) at the window's DPI.
int BarMetric(const SkinnedScrollbar& sb, int index);
// Length along the bar and the arrow metric for it.
int BarLength(const RECT& r, int bar);
int BarArrowMetric(const SkinnedScrollbar& sb, int bar);
// A screen point as a distance along the bar.
int AlongBar(const RECT& r, int bar, POINT screen);
// The thumb as drawn now (at the drag position while dragging).
ThumbPlace CurrentThumb(const SkinnedScrollbar& sb, int bar, const RECT& r);

void PaintBars(SkinnedScrollbar& sb, HWND hwnd, HDC window_dc);
void RedrawBars(SkinnedScrollbar& sb, HWND hwnd);
void RecalculateFrame(HWND hwnd);
