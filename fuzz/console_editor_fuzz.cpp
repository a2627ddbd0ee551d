// Drives random keys, modifiers and mouse events into a console editor and
// checks its invariants after each one. The editor may close itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console_editor.h"
#include "engine/clipboard.h"
#include "tests/console/test_screen.h"
#include "tests/support/memory_clipboard.h"

namespace {

const int kKeys[] = {
    kKeyDown, kKeyUp, kKeyPageUp, kKeyPageDown, kKeyRight, kKeyLeft, kKeyHome, kKeyEnd,
    kKeyInsert, kKeyDelete, kKeyF1, kKeyF1 + 2, kKeyF12, kKeyBackspace, kKeyTab, kKeyEnter,
    kKeyEscape, kKeyCtrlCloseBracket, 0xE9, 0x20AC, 0x1F600, 0xD800, ' ', 'a', 'y', 'n', '+',
    '-', '1', '0', 'h', 't', 'p', ':', '/', '_', ';'};

void Check(const ConsoleEditor& editor) {
  std::string broken = editor.CheckInvariants();
  if (!broken.empty()) {
    fprintf(stderr, "invariant broken: %s\n", broken.c_str());
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TestScreen screen(2 + data[0] % 30, 1 + data[1] % 90);
  MemoryClipboard clipboard;
  clipboard.SetText("x\r\ny\tz\rw");
  console_overwrite = 0;
  console_search_mode = 0;
  auto* editor = new ConsoleEditor(&screen, &clipboard);
  editor->Open("/nonexistent-orvinale-dir/file.txt");
  editor->max_undo_states = 8 + data[0] % 24;
  editor->find_text = "a";
  static const bool trace = getenv("ORV_FUZZ_TRACE") != nullptr;
  for (size_t i = 2; i + 1 < size; i += 2) {
    uint8_t op = data[i], arg = data[i + 1];
    if (trace) fprintf(stderr, "op %d arg %d lines %zu\n", op, arg, editor->lines.size());
    screen.ctrl = op & 1;
    screen.shift = op & 2;
    screen.alt = op & 4;
    int kind = op >> 3;
    if (kind < 26) {
      int key = kind < 20 ? kKeys[arg % (sizeof kKeys / sizeof kKeys[0])] : 1 + arg % 26;
      ScreenQueueKey(&screen, key);  // as the window queues it, modifiers recorded
      if (editor->OnKey(ScreenReadKey(&screen))) return 0;  // closed and deleted itself
    } else {
      ConsoleMouse mouse;
      mouse.kind = static_cast<ConsoleMouseKind>(arg % 10);
      mouse.x = (arg * 7) % (screen.grid.cols * 8 + 16);
      mouse.y = (arg * 13) % (screen.grid.rows * 8 + 16);
      mouse.wheel_delta = (arg % 2 ? 120 : -240);
      editor->OnMouse(mouse);
    }
    Check(*editor);
  }
  delete editor;
  return 0;
}
