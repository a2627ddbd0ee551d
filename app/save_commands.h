#pragma once
// The File save commands as the main window runs them: those of the
// registry, except that a Save as whose file cannot be written is reported
// instead of ending silently (the user would believe the text was saved).
#include <functional>

struct AppState;

using SaveFailureReport = std::function<void()>;

// File > Save: in place, falling back to Save as when that fails.
void SaveCurrentReported(AppState* app, const SaveFailureReport& report);
// File > Save as.
void SaveCurrentAsReported(AppState* app, const SaveFailureReport& report);
// File > Save all: every document present at the start, once.
void SaveAllReported(AppState* app, const SaveFailureReport& report);
