#include "display/scrollbar_geometry.h"

#include <algorithm>
#include <climits>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  long long num = static_cast<long long>(a) * b;
  long long den = c;
  if (den < 0) { num = -num; den = -den; }
  const long long half = den / 2;
  const long long q = num >= 0 ? (num + half) / den : -((-num + half) / den);
  if (q > INT_MAX || q < INT_MIN) return -1;
  return static_cast<int>(q);
}

int ClampScrollPosition(const BarScroll& bar, int position) {
  const long long page_less_one = bar.page > 0 ? static_cast<long long>(bar.page) - 1 : 0;
  const long long upper = static_cast<long long>(bar.maximum) - page_less_one;
  long long p = std::min<long long>(position, upper);
  p = std::max<long long>(p, bar.minimum);
  return static_cast<int>(p);
}

int StoreScrollInfo(BarScroll& bar, unsigned mask, int minimum, int maximum, unsigned page,
                    int position) {
  if (mask & kScrollMaskRange) {
    bar.minimum = minimum;
    bar.maximum = maximum;
  }
  if (mask & kScrollMaskPage) {
    const long long span = static_cast<long long>(bar.maximum) - bar.minimum + 1;
    bar.page = static_cast<unsigned>(std::min<long long>(page, std::max<long long>(span, 0)));
  }
  if (mask & kScrollMaskPos) bar.position = ClampScrollPosition(bar, position);
  return bar.position;
}

bool BarShouldShow(const BarScroll& bar, unsigned mask) {
  if (mask & kScrollMaskDisableNoScroll) return true;
  if (bar.page == 0 && bar.maximum == 0) return false;
  return static_cast<long long>(bar.page) <= bar.maximum && bar.maximum > bar.minimum;
}

bool BarCanScroll(const BarScroll& bar) {
  return !(static_cast<long long>(bar.page) > bar.maximum || bar.maximum <= bar.minimum ||
           bar.maximum == 0);
}

int ArrowLength(int bar_length, int arrow_metric) {
  return bar_length < 2 * arrow_metric ? bar_length / 2 : arrow_metric;
}

ThumbPlace PlaceThumb(const BarScroll& bar, int bar_length, int arrow, int min_thumb) {
  ThumbPlace thumb;
  const int track = bar_length - 2 * arrow;
  const long long range = static_cast<long long>(bar.maximum) - bar.minimum + 1;
  thumb.start = arrow;
  if (bar.page != 0) {
    if (range < 1 || range > INT_MAX) return thumb;
    thumb.length = std::max(
        MulDivRound(static_cast<int>(std::min<unsigned>(bar.page, INT_MAX)), track,
                    static_cast<int>(range)),
        min_thumb);
  } else {
    thumb.length = arrow;
  }
  if (range > 0 && range <= INT_MAX) {
    const long long steps = range - (bar.page != 0 ? bar.page : 1);
    // steps is at most the range, which fits an int here.
    int offset = steps > 0 ? MulDivRound(bar.position - bar.minimum, track - thumb.length,
                                         static_cast<int>(steps))
                           : 0;
    offset = std::max(std::min(offset, track - thumb.length), 0);
    thumb.start = arrow + offset;
  }
  return thumb;
}

bool ThumbFits(const ThumbPlace& thumb, int bar_length, int arrow) {
  return thumb.length > 0 && thumb.length < bar_length - 2 * arrow;
}

int ZoneAt(int point, int bar_length, int arrow, const ThumbPlace& thumb) {
  if (point < 0 || point >= bar_length) return kZoneNone;
  if (point < arrow) return kScrollLineUp;
  if (point >= bar_length - arrow) return kScrollLineDown;
  if (thumb.length >= bar_length - 2 * arrow) return kZoneNone;
  if (point < thumb.start) return kScrollPageUp;
  if (point < thumb.start + thumb.length) return kScrollThumbTrack;
  return kScrollPageDown;
}

int DragPosition(const BarScroll& bar, int pointer, int grab, int bar_length, int arrow,
                 int thumb_length) {
  const int track_start = arrow;
  const int travel = bar_length - 2 * arrow - thumb_length;
  if (travel <= 0) return ClampScrollPosition(bar, bar.minimum);
  const int thumb_start = std::max(std::min(pointer - grab, track_start + travel), track_start);
  const long long span =
      static_cast<long long>(bar.maximum) - bar.minimum - static_cast<long long>(bar.page) + 1;
  if (span <= 0 || span > INT_MAX) return ClampScrollPosition(bar, bar.minimum);
  const int offset = MulDivRound(thumb_start - track_start, static_cast<int>(span), travel);
  return ClampScrollPosition(bar, static_cast<int>(bar.minimum + static_cast<long long>(offset)));
}
