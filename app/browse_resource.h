#pragma once
// Dialogs 130 to 134 and their controls.
