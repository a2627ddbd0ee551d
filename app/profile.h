#pragma once
// The window-position profile: integer keys in the "orvinale" section of an
// .ini file, read when a window is created and written when it is destroyed;
// and the main window's keys, their defaults and which of them a close
// writes, behind a small seam so the rules are tested without a profile file.
// Places and sizes are kept in the screen's pixels; the defaults are sizes at
// 96 DPI, scaled to the window's DPI, and a stored rectangle is fitted to the
// screen it opens on, which may have another size or scale than when it was
// written.
#include <cstdint>
#include <string>
#include <vector>

struct ProfileEntry {
  std::string key, value;
};

// The key's value, or `fallback` when the file or key is missing.
int ProfileGetInt(const char* key, int fallback, const char* path);
// Sets the keys in one write of the whole file: the text this run last
// read (ProfileGetInt reads it afresh) with every key it has set goes to a
// new file beside it, which is then renamed over it. So two instances closing at
// once leave one whole profile, the last one's. False when the file was not
// replaced; it is then as it was.
bool ProfileSetStrings(const std::vector<ProfileEntry>& entries, const char* path);
// ProfileSetStrings of one key.
bool ProfileSetString(const char* key, const char* value, const char* path);
// ProfileSetString with the value formatted as "%d".
bool ProfileSetInt(const char* key, int value, const char* path);

// An .ini text with the entries set in its "orvinale" section, as the
// platform's profile calls read it: names match whatever their case, and
// only the first section of that name counts. A key there gets its new
// value in its own line; the others go after the section's last line, and
// a missing section is added at the end. Every other line stays. Lines end
// in CR LF, as the platform's calls write them.
std::string MergeProfileText(const std::string& text, const std::vector<ProfileEntry>& entries);

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual int GetInt(const char* key, int fallback) = 0;
  virtual void SetString(const char* key, const char* value) = 0;
};

struct ProfileRect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// A screen's work area (the desktop less the taskbar), in pixels.
struct ScreenArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Where a stored window rectangle opens on `screen`: a size larger than the
// screen is reduced to fit, and a window standing partly or wholly off the
// screen is moved onto it. Sizes below 0 count as 0; an empty screen area
// changes nothing.
ProfileRect FitRectToScreen(const ProfileRect& r, const ScreenArea& screen);
// The same on the screen nearest to the rectangle (Windows).
ProfileRect FitToNearestScreen(const ProfileRect& r);

// What the main window reads when it opens (the defaults at 96 DPI). A
// stored width or height of 0 or less gives the whole default rectangle.
struct MainProfile {
  ProfileRect window{50, 50, 900, 900};
  bool maximized = false;
  int32_t line_x = 0, line_w = 0;  // line_w is never below 0
  int32_t surface_x = 0;  // defaults to line_x + line_w
  // The line pane is shown but no width was stored (or one of 0 or less):
  // both panes keep the places the dialog template gives them.
  bool template_panes = false;
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

// The keys, with the default rectangle scaled to `dpi`.
MainProfile ReadMainProfile(ProfileStore* store, int dpi);
void WriteMainProfile(ProfileStore* store, const MainProfileOut& out);

// The store over the .ini file at `path`: reads with ProfileGetInt; the
// keys set are written together, by Write (ProfileSetStrings).
class FileProfileStore : public ProfileStore {
 public:
  explicit FileProfileStore(std::string path) : path_(std::move(path)) {}
  int GetInt(const char* key, int fallback) override;
  void SetString(const char* key, const char* value) override;
  bool Write();

 private:
  std::string path_;
  std::vector<ProfileEntry> pending_;
};
