// When each timer runs: an idle program wakes nobody.
#include <gtest/gtest.h>

#include "engine/timer_rule.h"

namespace {

TEST(TimerRule, ATimerRunsOnlyWhileItHasWorkToShow) {
  using K = TimerKind;
  enum : unsigned { kShown = 1, kFocused = 2, kCaret = 4, kQueued = 8, kPressed = 16, kOver = 32 };
  const struct { K kind; unsigned facts; bool runs; const char* why; } rows[] = {
      {K::kTextCaret, kShown | kFocused | kCaret, true, "the active window blinks"},
      {K::kTextCaret, kShown | kCaret, false, "another window has the focus"},
      {K::kTextCaret, kFocused | kCaret, false, "minimized"},
      {K::kTextCaret, kShown | kFocused, false, "the empty screen or a view away from the caret"},
      {K::kConsoleCaret, kShown | kFocused, true, "the focused pane blinks"},
      {K::kConsoleCaret, kShown | kQueued, false, "the other pane"},
      {K::kConsoleCaret, kFocused, false, "hidden with its minimized owner"},
      {K::kKeyFeed, kQueued, true, "typed keys reach the editor even when hidden"},
      {K::kKeyFeed, kShown | kFocused | kCaret, false, "nothing to feed"},
      {K::kScrollRepeat, kPressed | kOver, true, "an arrow held"},
      {K::kScrollRepeat, kShown | kOver, false, "released"},
      {K::kScrollHover, kShown | kOver, true, "the highlight follows the pointer"},
      {K::kScrollHover, kShown | kOver | kPressed, false, "a press takes over"},
      {K::kScrollHover, kShown | kFocused, false, "the pointer went elsewhere"},
      {K::kAnimation, kShown | kFocused, true, "the credits rise"}, {K::kAnimation, kShown, false, "another program is active"},
  };
  for (const auto& r : rows) {
    TimerFacts f;
    f.shown = r.facts & kShown;
    f.focused = r.facts & kFocused;
    f.has_caret = r.facts & kCaret;
    f.keys_queued = r.facts & kQueued;
    f.pressed = r.facts & kPressed;
    f.pointer_over = r.facts & kOver;
    EXPECT_EQ(TimerShouldRun(r.kind, f), r.runs) << r.why;
  }
}

}  // namespace
