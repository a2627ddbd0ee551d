#pragma once
// The main window's profile keys, their defaults, and which of them a close
// writes, behind a small seam so the rules are tested without a profile file.
#include <cstdint>
#include <string>

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual int GetInt(const char* key, int fallback) = 0;
  virtual void SetString(const char* key, const char* value) = 0;
};

struct ProfileRect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// What the main window reads when it opens.
struct MainProfile {
  ProfileRect window{50, 50, 900, 900};
  bool maximized = false;
  int32_t line_x = 0, line_w = 0;
  int32_t surface_x = 0;  // defaults to line_x + line_w
  bool line_numbers = true;
  bool filename = true;
};

// What it writes when it closes.
struct MainProfileOut {
  ProfileRect window;  // saved_rect: written only when not maximized
  bool maximized = false;
  ProfileRect line, surface;  // client coordinates
  bool line_numbers = false;
  bool filename = false;
};

MainProfile ReadMainProfile(ProfileStore* store);
void WriteMainProfile(ProfileStore* store, const MainProfileOut& out);

// The store over the .ini file at `path` (ProfileGetInt, ProfileSetString).
class FileProfileStore : public ProfileStore {
 public:
  explicit FileProfileStore(std::string path) : path_(std::move(path)) {}
  int GetInt(const char* key, int fallback) override;
  void SetString(const char* key, const char* value) override;

 private:
  std::string path_;
};
