#pragma once
// The Win32 half of the Folders and Switch windows' keys in the message
// filter: the facts the portable decision needs, and running its action.
#include <windows.h>

#include "app/commands.h"

// Whether the message is for the Folders or Switch window (or a child), and
// which of their controls has the focus.
void AddBrowseFacts(const MSG& msg, DispatchInput* in);
void RunBrowseAction(BrowseAction action);
