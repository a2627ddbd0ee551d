#pragma once
// Dialogs 104 and 106 and their controls.
