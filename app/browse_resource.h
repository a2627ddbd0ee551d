#pragma once
// Dialogs 130 and 131 and their controls.
