#include "preferences/preferences.h"

#include <cjson/cJSON.h>

#include <algorithm>
#include <cstring>

Preferences* preferences = nullptr;

Preferences::~Preferences() { cJSON_Delete(tree); }

bool ParsePreferencesText(Preferences* p, char* text) {
  cJSON_Delete(p->tree);
  p->tree = nullptr;
  if (text == nullptr) return false;
  cJSON_Minify(text);
  size_t length = std::strlen(text);
  // A failed parse always reports where it stopped, inside this text; the
  // global error pointer is not used, as another parse may move it.
  const char* at = text;
  p->tree = cJSON_ParseWithLengthOpts(text, length + 1, &at, 0);
  if (p->tree != nullptr) return true;
  static const char kLead[] = "Parse error before: ";
  // The whole message, line feed included, stays within 2,048 bytes.
  const size_t room = kMaxErrorTextBytes - 1 - (sizeof(kLead) - 1) - 1;
  p->error_text.assign(kLead);
  p->error_text.append(at, std::min(std::strlen(at), room));
  p->error_text.push_back('\n');
  return false;
}

namespace {

// The first top-level member named `key`, or null. A member without a key
// ends the walk, as does the end of the list.
const cJSON* FindMember(const Preferences* p, const char* key) {
  if (p == nullptr || p->tree == nullptr) return nullptr;
  for (const cJSON* m = p->tree->child; m != nullptr; m = m->next) {
    if (m->string == nullptr) return nullptr;
    if (std::strcmp(m->string, key) == 0) return m;
  }
  return nullptr;
}

bool IsType(const cJSON* m, int type) { return m != nullptr && (m->type & 0xFF) == type; }

}  // namespace

bool GetCursesRightFocus(const Preferences* p) {
  return !IsType(FindMember(p, "curses_right_focus"), cJSON_False);
}

int32_t GetTabSize(const Preferences* p) {
  const cJSON* m = FindMember(p, "tab_size");
  if (!IsType(m, cJSON_Number) || m->valueint < kDefaultTabSize) return kDefaultTabSize;
  return std::min(m->valueint, kMaxTabSize);
}

bool GetSpaces(const Preferences* p) { return !IsType(FindMember(p, "spaces"), cJSON_False); }

int32_t GetEndOfLine(const Preferences* p) {
  const cJSON* m = FindMember(p, "end_of_line");
  if (!IsType(m, cJSON_Number) || m->valueint < 0 || m->valueint > 2) return kDefaultEndOfLine;
  return m->valueint;
}

int32_t GetRuler(const Preferences* p) {
  const cJSON* m = FindMember(p, "ruler");
  if (!IsType(m, cJSON_Number) || m->valueint < kMinRuler) return kDefaultRuler;
  return std::min(m->valueint, kMaxRuler);
}

bool GetAncientWisdom(const Preferences* p) {
  return IsType(FindMember(p, "ancient_wisdom"), cJSON_True);
}

bool GetPreserveDirectory(const Preferences* p) {
  return !IsType(FindMember(p, "preserve_directory"), cJSON_False);
}
