#pragma once
// The program's message loop: keys first go to the key-binding table, then
// the modeless windows' dialog managers, then translation and dispatch.
#include <windows.h>

// Runs until WM_QUIT and returns its exit code.
int MessageLoop();
// 1 when the key-binding table consumed the message, 0 otherwise.
int DispatchKey(const MSG& msg);

// The registry of the owned windows whose dialog managers the loop tries
// after the main window's, in that order. It reads each window's global, the
// one record of whether the window is open. (The Find, Change and Go-to
// dialogs are standard dialogs, found from the message's window instead.)
enum class OwnedDialog { Changelog, Preferences, License, About, Folders, Switch, Count };
// The window while it is open; null otherwise.
HWND OwnedDialogWindow(OwnedDialog which);
