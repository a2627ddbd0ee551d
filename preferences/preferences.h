#pragma once
// The user's settings: the parsed "preferences.txt" tree and one getter per
// key. The tree is read once at start and never changes afterwards.
#include <cstdint>
#include <string>

struct cJSON;

// Invariant: tree is null or the root of the last successful parse, owned.
struct Preferences {
  cJSON* tree = nullptr;
  std::string error_text;  // "Parse error before: ...\n" of the last failed parse

  Preferences() = default;
  ~Preferences();
  Preferences(const Preferences&) = delete;
  Preferences& operator=(const Preferences&) = delete;
};

// The one instance, created at start before anything reads a setting.
extern Preferences* preferences;

constexpr int32_t kDefaultTabSize = 2;
constexpr int32_t kMaxTabSize = 128;
constexpr int32_t kDefaultEndOfLine = 1;  // CR LF
constexpr int32_t kDefaultRuler = 120;
constexpr int32_t kMinRuler = 70;
// Keeps column times cell width (and margins) far inside 32 bits.
constexpr int32_t kMaxRuler = 10000;
constexpr int kMaxErrorTextBytes = 2048;

// Minifies `text` in place (comments and whitespace go) and parses it into
// p->tree, replacing any earlier tree. On failure the tree is null and
// error_text quotes the minified text from the error position on. Returns
// true when a tree was parsed.
bool ParsePreferencesText(Preferences* p, char* text);

// Getters: each walks the tree's top-level members at every call; a null
// Preferences or tree gives the defaults.
bool GetCursesRightFocus(const Preferences* p);
int32_t GetTabSize(const Preferences* p);
bool GetSpaces(const Preferences* p);
int32_t GetEndOfLine(const Preferences* p);
int32_t GetRuler(const Preferences* p);
bool GetAncientWisdom(const Preferences* p);
bool GetPreserveDirectory(const Preferences* p);

// The same on the global `preferences`.
inline bool GetCursesRightFocus() { return GetCursesRightFocus(preferences); }
inline int32_t GetTabSize() { return GetTabSize(preferences); }
inline bool GetSpaces() { return GetSpaces(preferences); }
inline int32_t GetEndOfLine() { return GetEndOfLine(preferences); }
inline int32_t GetRuler() { return GetRuler(preferences); }
inline bool GetAncientWisdom() { return GetAncientWisdom(preferences); }
inline bool GetPreserveDirectory() { return GetPreserveDirectory(preferences); }
