// The main window's profile keys: names, defaults, and what a close writes.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/profile.h"

namespace {

class MapStore : public ProfileStore {
 public:
  std::map<std::string, std::string> keys;
  int GetInt(const char* key, int fallback) override {
    auto it = keys.find(key);
    return it == keys.end() ? fallback : std::stoi(it->second);
  }
  void SetString(const char* key, const char* value) override { keys[key] = value; }
};

TEST(ShellProfile, EmptyProfileGivesTheDefaults) {
  MapStore store;
  MainProfile p = ReadMainProfile(&store);
  EXPECT_EQ(p.window.x, 50);
  EXPECT_EQ(p.window.y, 50);
  EXPECT_EQ(p.window.w, 900);
  EXPECT_EQ(p.window.h, 900);
  EXPECT_FALSE(p.maximized);
  EXPECT_EQ(p.line_x, 0);
  EXPECT_EQ(p.line_w, 0);
  EXPECT_EQ(p.surface_x, 0);
  EXPECT_TRUE(p.line_numbers);
  EXPECT_TRUE(p.filename);
}

TEST(ShellProfile, StoredKeysAreReadOneByOne) {
  MapStore store;
  store.keys = {{"main_wnd_x", "-1200"}, {"main_wnd_h", "480"}, {"main_wnd_maximized", "1"},
                {"line_x", "3"},         {"line_w", "44"},     {"linenumber", "0"}};
  MainProfile p = ReadMainProfile(&store);
  EXPECT_EQ(p.window.x, -1200);  // a monitor left of the primary one
  EXPECT_EQ(p.window.y, 50);     // missing keys keep their own default
  EXPECT_EQ(p.window.h, 480);
  EXPECT_TRUE(p.maximized);
  EXPECT_EQ(p.surface_x, 47) << "surface_x defaults to line_x + line_w";
  EXPECT_FALSE(p.line_numbers);
  EXPECT_TRUE(p.filename);
  store.keys["surface_x"] = "60";
  EXPECT_EQ(ReadMainProfile(&store).surface_x, 60);
}

TEST(ShellProfile, CloseWritesEveryKeyButKeepsTheRectangleWhenMaximized) {
  MainProfileOut out;
  out.window = {10, 20, 640, 480};
  out.line = {0, 0, 33, 700};
  out.surface = {33, 0, 867, 700};
  out.line_numbers = true;
  MapStore store;
  WriteMainProfile(&store, out);
  const std::map<std::string, std::string> expected = {
      {"main_wnd_maximized", "0"}, {"main_wnd_x", "10"}, {"main_wnd_y", "20"},
      {"main_wnd_w", "640"},       {"main_wnd_h", "480"}, {"line_x", "0"},
      {"line_y", "0"},             {"line_w", "33"},      {"line_h", "700"},
      {"surface_x", "33"},         {"surface_y", "0"},    {"surface_w", "867"},
      {"surface_h", "700"},        {"linenumber", "1"},   {"filename", "0"}};
  EXPECT_EQ(store.keys, expected);

  // Maximized: only the flag changes, the last normal rectangle stays.
  out.maximized = true;
  out.window = {0, 0, 1920, 1080};
  WriteMainProfile(&store, out);
  EXPECT_EQ(store.keys["main_wnd_maximized"], "1");
  EXPECT_EQ(store.keys["main_wnd_w"], "640");
  EXPECT_EQ(ReadMainProfile(&store).window.h, 480);
}

}  // namespace
