#include "console/console_host.h"

#include "console/console_editor.h"
#include "console/console_screen.h"

bool RunConsoleHostLoop(ConsoleScreen* screen, ConsoleEditor** editor) {
  for (int i = 0; i < kConsoleKeysPerTick && *editor; ++i) {
    int key = ScreenReadKey(screen);
    if (key < 0) break;
    if ((*editor)->OnKey(key)) {
      // The editor is gone; only the local pointer may be touched now.
      *editor = nullptr;
      return false;
    }
  }
  ScreenRefreshCaret(screen);
  return true;
}
