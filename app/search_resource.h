#pragma once
// Dialogs 132 to 134 and their controls.
