// The arithmetic of a skinned scrollbar, apart from any window: what its
// scroll values may be, whether it shows, where its thumb lies, which zone a
// point hits and which position a thumb drag means. All lengths are pixels
// along the bar; positions "in the bar" count from the bar's start.
#pragma once

// Scroll request codes, sent as the low word of WM_VSCROLL / WM_HSCROLL; the
// first five double as the zones of the bar.
constexpr int kZoneNone = -1;
constexpr int kScrollLineUp = 0;         // SB_LINEUP: the first arrow
constexpr int kScrollLineDown = 1;       // SB_LINEDOWN: the second arrow
constexpr int kScrollPageUp = 2;         // SB_PAGEUP: the track before the thumb
constexpr int kScrollPageDown = 3;       // SB_PAGEDOWN: the track after the thumb
constexpr int kScrollThumbPosition = 4;  // SB_THUMBPOSITION
constexpr int kScrollThumbTrack = 5;     // SB_THUMBTRACK: the thumb
constexpr int kScrollEndScroll = 8;      // SB_ENDSCROLL

// SCROLLINFO mask bits.
constexpr unsigned kScrollMaskRange = 0x1;
constexpr unsigned kScrollMaskPage = 0x2;
constexpr unsigned kScrollMaskPos = 0x4;
constexpr unsigned kScrollMaskDisableNoScroll = 0x8;
constexpr unsigned kScrollMaskTrackPos = 0x10;

struct BarScroll {
  int minimum = 0;
  int maximum = 0;
  unsigned page = 0;  // invariant once stored: page <= maximum - minimum + 1 (or 0)
  int position = 0;   // invariant once stored: within ClampScrollPosition's range
  int track_position = 0;
};

// Win32 MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the
// result does not fit in an int.
int MulDivRound(int a, int b, int c);

// The position limited to minimum .. maximum - (page - 1, at least 0), and
// raised to the minimum when that range is empty.
int ClampScrollPosition(const BarScroll& bar, int position);

// Stores the values the mask names, as SetScrollInfo does; returns the
// stored position.
int StoreScrollInfo(BarScroll& bar, unsigned mask, int minimum, int maximum, unsigned page,
                    int position);

// Whether SetScrollInfo with this mask leaves the bar shown.
bool BarShouldShow(const BarScroll& bar, unsigned mask);

// A press on a bar that cannot scroll only takes the capture.
bool BarCanScroll(const BarScroll& bar);

// Each arrow is `arrow_metric` long, or half the bar when the bar is shorter
// than both arrows.
int ArrowLength(int bar_length, int arrow_metric);

struct ThumbPlace {
  int start = 0;   // in the bar
  int length = 0;
};

// `arrow` is ArrowLength's answer.
ThumbPlace PlaceThumb(const BarScroll& bar, int bar_length, int arrow, int min_thumb);

// Whether the thumb can be shown and dragged: it must be shorter than the track.
bool ThumbFits(const ThumbPlace& thumb, int bar_length, int arrow);

// The zone under `point` (in the bar), kZoneNone outside the bar.
int ZoneAt(int point, int bar_length, int arrow, const ThumbPlace& thumb);

// The scroll position for a thumb whose grab point is at `pointer` (in the
// bar), `grab` pixels below the thumb's start.
int DragPosition(const BarScroll& bar, int pointer, int grab, int bar_length, int arrow,
                 int thumb_length);
