#include "preferences/preferences_check.h"

#include "preferences/preferences.h"

bool CheckPreferencesText(std::string text, std::string* message) {
  // A record of its own: the running program's settings stay as they were
  // read at start, and the parsed tree is dropped with the record.
  Preferences parsed;
  if (ParsePreferencesText(&parsed, &text[0])) return true;
  *message = parsed.error_text;
  return false;
}
