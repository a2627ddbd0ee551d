#include "preferences/preferences.h"

#include <cjson/cJSON.h>

#include <cstring>

Preferences* preferences = nullptr;

Preferences::~Preferences() { cJSON_Delete(tree); }

bool ParsePreferencesText(Preferences* p, char* text) {
  cJSON_Delete(p->tree);
  p->tree = nullptr;
  if (text == nullptr) return false;
  cJSON_Minify(text);
  size_t length = std::strlen(text);
  p->tree = cJSON_ParseWithLengthOpts(text, length + 1, nullptr, 0);
  if (p->tree != nullptr) return true;
  const char* at = cJSON_GetErrorPtr();
  if (at != nullptr && at >= text && at <= text + length) {
    static const char kLead[] = "Parse error before: ";
    // The whole message, line feed included, stays within 2,048 bytes.
    size_t room = kMaxErrorTextBytes - 1 - (sizeof(kLead) - 1) - 1;
    size_t rest = std::strlen(at);
    p->error_text.assign(kLead);
    p->error_text.append(at, rest < room ? rest : room);
    p->error_text.push_back('\n');
  }
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
  return m->valueint > kMaxTabSize ? kMaxTabSize : m->valueint;
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
  return m->valueint > kMaxRuler ? kMaxRuler : m->valueint;
}

bool GetAncientWisdom(const Preferences* p) {
  return IsType(FindMember(p, "ancient_wisdom"), cJSON_True);
}

bool GetPreserveDirectory(const Preferences* p) {
  return !IsType(FindMember(p, "preserve_directory"), cJSON_False);
}
