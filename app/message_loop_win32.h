#pragma once
// The program's message loop: keys first go to the key-binding table, then
// the modeless windows' dialog managers, then translation and dispatch.
#include <windows.h>

// Runs until WM_QUIT and returns its exit code.
int MessageLoop();
// 1 when the key-binding table consumed the message, 0 otherwise.
int DispatchKey(const MSG& msg);
