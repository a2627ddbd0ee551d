#pragma once
// When a timer of the program runs. An idle program costs nothing: a timer
// runs only while it has something to do, so a window that is hidden,
// minimized or without the focus wakes nobody, and a focused one wakes only
// for the caret's blink. Each window keeps its timer in line with this rule
// whenever one of the facts changes, and stops it from its own tick when the
// rule says so.
#include <cstdint>

enum class TimerKind : uint8_t {
  kTextCaret,     // the text pane's blink, one tick per phase
  kConsoleCaret,  // a console pane's blink
  kKeyFeed,       // the Preferences and Changelog windows hand queued keys to their panes
  kScrollRepeat,  // a scrollbar's arrow or track held down
  kScrollHover,   // the pointer over a scrollbar, for its highlight
  kAnimation,     // the About window's credits (focused: the program is active)
};

struct TimerFacts {
  bool shown = false;         // the window is visible and its top-level window not minimized
  bool focused = false;       // it has the keyboard focus (its top-level window is active)
  bool has_caret = false;     // a caret that blinks stands on the screen
  bool keys_queued = false;   // keys (or a redraw) wait for an editor
  bool pressed = false;       // a mouse button is held on the bar
  bool pointer_over = false;  // the pointer is over the bar
};

bool TimerShouldRun(TimerKind kind, const TimerFacts& facts);
