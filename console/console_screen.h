// What a console editor sees of its window: the grid it writes, the key
// queue it reads, the pane geometry it publishes, and a few platform hooks.
// The Win32 console window and the test screens derive from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "console/console_colours.h"
#include "console/console_grid.h"
#include "console/console_keys.h"
#include "console/console_layout.h"

enum class ConsoleMouseKind {
  kMove, kLeftDown, kLeftUp, kLeftDouble, kRightDown, kRightUp, kRightDouble,
  kMiddleDouble, kWheel, kCaptureLost
};

struct ConsoleMouse {
  ConsoleMouseKind kind = ConsoleMouseKind::kMove;
  int x = 0, y = 0;     // pixels in the window's client area
  int wheel_delta = 0;  // positive away from the user
};

// Bits of ConsoleScreen::flags.
enum : uint8_t {
  kConsoleRedrawPending = 1,
  kConsoleRemeasureFont = 2,
  kConsolePaintSuspended = 4,
};

class ConsoleScreen {
 public:
  virtual ~ConsoleScreen() = default;

  ConsoleGrid grid;
  ConsoleKeyQueue keys;
  ConsoleLayout layout;
  ConsoleColourTable colours = DefaultConsoleColours();
  uint8_t flags = 0;
  uint8_t pump_mode = 0;    // 0 none, 1 drain pending messages, 2 block for a key
  uint8_t caret_mode = 0;   // 0 vertical bar, 1 underline, 2 inverse cell
  uint8_t blink_state = 1;  // 0 hidden, 1 and 2 shown
  int cell_width = 8;       // pixels, 8 until the font is measured
  int cell_height = 8;
  // Modifiers recorded with the key ScreenReadKey returned last: what the
  // editor consults while it handles that key.
  uint8_t key_modifiers = 0;

  // Set by the editor while it is attached.
  std::function<void()> on_resize;
  std::function<void(const ConsoleMouse&)> on_mouse;

  // The modifier's state as of the message being handled (not the live
  // keyboard): read when a key is queued and for mouse messages.
  virtual bool IsDown(ConsoleModifier modifier) const = 0;
  // Repaint the given cells (already clipped to the grid).
  virtual void InvalidateCells(const ConsoleRect& rect) = 0;
  // Dispatch pending platform messages; with `until_key`, until a key is
  // queued or the thread's loop ends.
  virtual void PumpMessages(bool until_key) = 0;
  virtual void OpenLink(const std::string& url) = 0;
  virtual void CaptureMouse(bool capture) = 0;
};

void ScreenMoveTo(ConsoleScreen* screen, int col, int row);
void ScreenSetAttribute(ConsoleScreen* screen, uint8_t attr);
void ScreenWrite(ConsoleScreen* screen, const std::string& utf8, int max_bytes = -1);
void ScreenClearToEol(ConsoleScreen* screen);
void ScreenMarkDirty(ConsoleScreen* screen, const ConsoleRect& rect);

// Repaints the old and new caret cells when the caret moved since the
// last paint.
void ScreenRefreshCaret(ConsoleScreen* screen);

// Queues a key with the modifiers held for its message.
void ScreenQueueKey(ConsoleScreen* screen, int code);

// Next key code, 12 once for a pending redraw, or -1; sets key_modifiers
// to the key's record (none for the redraw).
int ScreenReadKey(ConsoleScreen* screen);
