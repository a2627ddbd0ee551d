#pragma once
// What the panes need from the application, filled in by the main window
// before it creates them (display cannot call into the app).
#include <string>

struct PaneHooks {
  // The profile (.ini) the text pane reads "ruler" and "whitespace" from at
  // creation and writes them to at destruction; empty = no profile.
  std::string profile_path;
  int (*profile_get_int)(const char* key, int fallback, const char* path) = nullptr;
  bool (*profile_set_int)(const char* key, int value, const char* path) = nullptr;
};

extern PaneHooks pane_hooks;
