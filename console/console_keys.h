// The key queue of a console window and the translation of window key
// messages into the key codes it queues for its editor.
#pragma once

#include <cstdint>

#include "preferences/console_key_codes.h"

enum class ConsoleModifier { kControl, kShift, kAlt };

constexpr uint8_t ModifierBit(ConsoleModifier modifier) {
  return static_cast<uint8_t>(1u << static_cast<int>(modifier));
}

// A queued key with Ctrl, Shift and Alt as they were when its message
// arrived: the editor takes it up to 50 ms later, when they may be up.
struct ConsoleKey {
  int code = -1;          // -1: no key
  uint8_t modifiers = 0;  // ModifierBit values
};

// Ring of the 64 most recent keys; a full ring drops its oldest key.
struct ConsoleKeyQueue {
  static constexpr int kCapacity = 64;
  ConsoleKey keys[kCapacity] = {};
  int start = 0;  // index of the oldest key
  int count = 0;  // 0 .. kCapacity
};

void PushKey(ConsoleKeyQueue* queue, int code, uint8_t modifiers);
// Oldest key, or code -1 when the queue is empty.
ConsoleKey PopKey(ConsoleKeyQueue* queue);

// Code for a key-down of virtual key `vk`, or 0 when the key gives none.
int KeyCodeFromVirtualKey(int vk);

// Code for a character message, or 0 when it gives none. Ctrl+Enter types a
// line feed, which would read as Ctrl+J; `from_enter_key` (the message came
// from the Enter key's scan code) turns it back into Enter.
int KeyCodeFromChar(int ch, bool ctrl_down, bool alt_down, bool from_enter_key = false);

constexpr int kEnterScanCode = 0x1C;
// Ctrl+Tab types no character, so the window queues Tab for its key-down;
// a layout that does type one for it is not queued twice.
constexpr int kTabScanCode = 0x0F;
