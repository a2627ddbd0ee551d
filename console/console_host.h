// The host side of a console: feeding queued keys to the editor.
#pragma once

class ConsoleEditor;
class ConsoleScreen;

constexpr int kConsoleKeysPerTick = 16;

// Hands up to 16 queued keys to *editor. When the editor closes and deletes
// itself, *editor becomes null and false is returned.
bool RunConsoleHostLoop(ConsoleScreen* screen, ConsoleEditor** editor);
