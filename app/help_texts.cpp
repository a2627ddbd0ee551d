#include "app/help_texts.h"

#include "engine/utf8.h"

const char kVersionCaption[] = "Version details";

std::string VersionBoxText(const char* timestamp, const char* commit) {
  return std::string("Orvinale version: 0.53-alpha (x64)\n\nBuild timestamp: ") + timestamp +
         "\nGit commit: " + commit;
}

bool ShellNeedsWide(std::initializer_list<const char*> strings) {
  for (const char* s : strings)
    if (s != nullptr && IsValidUtf8(s) != 0) return true;
  return false;
}
