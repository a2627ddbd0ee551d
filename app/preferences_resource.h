#pragma once
// Dialogs 105 and 108 and their controls.
