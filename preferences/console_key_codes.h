#pragma once
// The key codes a console window queues for its editor: characters as their
// code points, Ctrl+A..Ctrl+Z as 1..26, and codes from 4096 up for the keys
// that type nothing. They sit in this layer, below the console, because the
// Preferences window's pane rules here read them too.

enum ConsoleKeyCode {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeyCtrlCloseBracket = 29,
  kKeyRedraw = 12,  // Ctrl+L, also queued when the window wants a redraw
  kKeyDown = 4096,
  kKeyUp = 4097,
  kKeyPageUp = 4098,
  kKeyPageDown = 4099,
  kKeyRight = 4100,
  kKeyLeft = 4101,
  kKeyHome = 4102,
  kKeyEnd = 4103,
  kKeyInsert = 4104,
  kKeyDelete = 4105,
  kKeyF1 = 4106,
  kKeyF12 = 4117,
};

constexpr int CtrlKey(char letter) { return letter - 'A' + 1; }
