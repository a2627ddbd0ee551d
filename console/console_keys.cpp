#include "console/console_keys.h"

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
  // Virtual-key values as the platform defines them.
  switch (vk) {
    case 0x28: return kKeyDown;
    case 0x26: return kKeyUp;
    case 0x21: return kKeyPageUp;
    case 0x22: return kKeyPageDown;
    case 0x27: return kKeyRight;
    case 0x25: return kKeyLeft;
    case 0x24: return kKeyHome;
    case 0x23: return kKeyEnd;
    case 0x2D: return kKeyInsert;
    case 0x2E: return kKeyDelete;
    default: break;
  }
  if (vk >= 0x70 && vk <= 0x7B) return kKeyF1 + (vk - 0x70);
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
