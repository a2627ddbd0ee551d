#include "engine/timer_rule.h"

bool TimerShouldRun(TimerKind kind, const TimerFacts& f) {
  switch (kind) {
    // Without the focus the caret stands still, so there is nothing to blink.
    case TimerKind::kTextCaret: return f.shown && f.focused && f.has_caret;
    case TimerKind::kConsoleCaret: return f.shown && f.focused;
    // Keys are fed even to a hidden window: they were typed before it went.
    case TimerKind::kKeyFeed: return f.keys_queued;
    case TimerKind::kScrollRepeat: return f.pressed;
    // A press takes over from the highlight.
    case TimerKind::kScrollHover: return f.shown && f.pointer_over && !f.pressed;
    // Moving credits behind another program's window are nobody's to watch.
    case TimerKind::kAnimation: return f.shown && f.focused;
  }
  return false;
}
