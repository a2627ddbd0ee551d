#pragma once
// Tree and list controls that take and give their item and column texts as
// UTF-8: a subclass turns the narrow insert, set and get messages into their
// UTF-16 forms and converts the texts on the way.
#include <windows.h>

// Installs the subclass (the old window procedure kept in the window
// property "WDLUTF8OldProc"); it removes itself when the control is
// destroyed. False when the control could not be subclassed.
bool SubclassUtf8Control(HWND control);
