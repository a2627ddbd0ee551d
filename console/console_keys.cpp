#include "console/console_keys.h"

#include "engine/virtual_keys.h"

void PushKey(ConsoleKeyQueue* queue, int code, uint8_t modifiers) {
  if (queue->count == ConsoleKeyQueue::kCapacity) {
    queue->start = (queue->start + 1) % ConsoleKeyQueue::kCapacity;
    --queue->count;
  }
  queue->keys[(queue->start + queue->count) % ConsoleKeyQueue::kCapacity] = {code, modifiers};
  ++queue->count;
}

ConsoleKey PopKey(ConsoleKeyQueue* queue) {
  if (queue->count == 0) return ConsoleKey{};
  ConsoleKey key = queue->keys[queue->start];
  queue->start = (queue->start + 1) % ConsoleKeyQueue::kCapacity;
  --queue->count;
  return key;
}

int KeyCodeFromVirtualKey(int vk) {
  switch (vk) {
    case kVkDown: return kKeyDown;
    case kVkUp: return kKeyUp;
    case kVkPrior: return kKeyPageUp;
    case kVkNext: return kKeyPageDown;
    case kVkRight: return kKeyRight;
    case kVkLeft: return kKeyLeft;
    case kVkHome: return kKeyHome;
    case kVkEnd: return kKeyEnd;
    case kVkInsert: return kKeyInsert;
    case kVkDelete: return kKeyDelete;
    default: break;
  }
  if (vk >= kVkF1 && vk <= kVkF12) return kKeyF1 + (vk - kVkF1);
  return 0;
}

int KeyCodeFromChar(int ch, bool ctrl_down, bool alt_down, bool from_enter_key) {
  if (ch == 127) return 0;  // Ctrl+Backspace
  if (ch == '\n' && from_enter_key) return kKeyEnter;
  if (ch >= 32) return ch;
  if (ch == kKeyBackspace || ch == kKeyTab || ch == kKeyEnter || ch == kKeyEscape) return ch;
  if (!ctrl_down || alt_down) return 0;
  if (ch >= 1 && ch <= 26) return ch;
  if (ch == kKeyCtrlCloseBracket) return ch;
  return 0;
}
