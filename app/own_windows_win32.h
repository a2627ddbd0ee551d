#pragma once
// The program's own modeless windows whose dialog managers the message loop
// tries after the main window's. Each window puts its handle in its slot when
// it is created and clears it when it is destroyed.
#include <windows.h>

// In the order the message loop offers them a message.
enum OwnWindowSlot {
  kOwnChangelog,
  kOwnPreferences,
  kOwnLicense,
  kOwnAbout,
  kOwnFolders,
  kOwnSwitch,
  kOwnWindowCount
};

extern HWND own_windows[kOwnWindowCount];
