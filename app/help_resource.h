#pragma once
// Dialogs 104, 105, 106 and 108 and their controls.
