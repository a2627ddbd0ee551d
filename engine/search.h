#pragma once
// Plain byte-wise search and replace-all.
#include <cstdint>
#include <string>

struct Document;

bool Find(Document* doc, const std::string& text, bool match_case,
          bool whole_word, bool new_search, bool backward);
bool FindNext(Document* doc);
bool FindPrevious(Document* doc);
// Replaces every occurrence present when called, left to right, once each.
// Returns the number of replacements.
int32_t ReplaceAll(Document* doc, const std::string& find,
                   const std::string& replacement, bool match_case,
                   bool whole_word);
