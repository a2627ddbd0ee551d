#include "preferences/preferences.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "preferences/default_text.h"

namespace {

// Parses a copy of the text; the text is minified in place.
bool Parse(Preferences* p, const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back(0);
  return ParsePreferencesText(p, copy.data());
}

}  // namespace

TEST(PreferencesGetters, DefaultTextAndTextsWithoutMembersGiveTheDefaults) {
  const char* texts[] = {DefaultPreferencesText(), UserTemplateText(), "{}", "[]", "true", "42",
                         "[{\"tab_size\": 8}]", "{\"a\": 1, \"b\": [2]}"};
  for (const char* text : texts) {
    Preferences p;
    ASSERT_TRUE(Parse(&p, text)) << text;
    EXPECT_TRUE(GetCursesRightFocus(&p) && GetSpaces(&p) && GetPreserveDirectory(&p)) << text;
    EXPECT_FALSE(GetAncientWisdom(&p));
    EXPECT_EQ(std::vector<int>({2, 1, 120}), std::vector<int>({GetTabSize(&p), GetEndOfLine(&p), GetRuler(&p)}));
  }
  EXPECT_EQ(GetTabSize(nullptr), 2);
  Preferences* saved = preferences;
  preferences = nullptr;
  EXPECT_EQ(GetRuler(), 120);
  Preferences global;
  ASSERT_TRUE(Parse(&global, "{\"ruler\": 90, \"tab_size\": 4}"));
  preferences = &global;
  EXPECT_EQ(GetRuler(), 90);
  EXPECT_EQ(GetTabSize(), 4);
  preferences = saved;
}

// Each getter over valid, out-of-range, mistyped and missing values: one
// row is a text and what the seven getters read from it.
TEST(PreferencesGetters, Rules) {
  const struct {
    const char* text;
    int tab, end_of_line, ruler, focus, spaces, wisdom, keep_folder;
  } rows[] = {
      {"{\"tab_size\": 1}", 2, 1, 120, 1, 1, 0, 1},         {"{\"tab_size\": 2.9}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"tab_size\": 8}", 8, 1, 120, 1, 1, 0, 1},         {"{\"tab_size\": \"8\"}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"tab_size\": 128}", 128, 1, 120, 1, 1, 0, 1},     {"{\"tab_size\": 129}", 128, 1, 120, 1, 1, 0, 1},
      {"{\"tab_size\": 4e9}", 128, 1, 120, 1, 1, 0, 1},     {"{\"tab_size\": -4e9}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"Tab_Size\": 8}", 2, 1, 120, 1, 1, 0, 1},         {"{\"tab_size\": 4, \"tab_size\": 6}", 4, 1, 120, 1, 1, 0, 1},
      {"{\"tab_size\": 127}", 127, 1, 120, 1, 1, 0, 1},     {"{\"ruler\": 69}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"ruler\": 70}", 2, 1, 70, 1, 1, 0, 1},            {"{\"ruler\": 10000}", 2, 1, 10000, 1, 1, 0, 1},
      {"{\"ruler\": 10001}", 2, 1, 10000, 1, 1, 0, 1},      {"{\"ruler\": 1e12}", 2, 1, 10000, 1, 1, 0, 1},
      {"{\"ruler\": true}", 2, 1, 120, 1, 1, 0, 1},         {"{\"x\": 1, \"ruler\": 80}", 2, 1, 80, 1, 1, 0, 1},
      {"{\"end_of_line\": 3}", 2, 1, 120, 1, 1, 0, 1},      {"{\"end_of_line\": -1}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"end_of_line\": 0}", 2, 0, 120, 1, 1, 0, 1},      {"{\"end_of_line\": 2}", 2, 2, 120, 1, 1, 0, 1},
      {"{\"end_of_line\": \"0\"}", 2, 1, 120, 1, 1, 0, 1},  {"{\"ancient_wisdom\": 1}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"ancient_wisdom\": true}", 2, 1, 120, 1, 1, 1, 1}, {"{\"ancient_wisdom\": \"true\"}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"curses_right_focus\": 0}", 2, 1, 120, 1, 1, 0, 1}, {"{\"curses_right_focus\": false}", 2, 1, 120, 0, 1, 0, 1},
      {"{\"spaces\": false}", 2, 1, 120, 1, 0, 0, 1},       {"{\"spaces\": \"false\"}", 2, 1, 120, 1, 1, 0, 1},
      {"{\"preserve_directory\": null}", 2, 1, 120, 1, 1, 0, 1}, {"{\"preserve_directory\": false}", 2, 1, 120, 1, 1, 0, 0},
  };
  for (const auto& r : rows) {
    Preferences p;
    ASSERT_TRUE(Parse(&p, r.text)) << r.text;
    EXPECT_EQ(std::vector<int>({r.tab, r.end_of_line, r.ruler, r.focus, r.spaces, r.wisdom, r.keep_folder}),
              std::vector<int>({GetTabSize(&p), GetEndOfLine(&p), GetRuler(&p), GetCursesRightFocus(&p),
                                GetSpaces(&p), GetAncientWisdom(&p), GetPreserveDirectory(&p)})) << r.text;
  }
}

TEST(PreferencesParse, CommentsErrorsAndTrailingText) {
  Preferences p;
  EXPECT_TRUE(Parse(&p, "// head\n{ /* a */ \"ruler\" /* b */ : // c\n 80 }\n"));
  EXPECT_EQ(GetRuler(&p), 80);
  EXPECT_TRUE(Parse(&p, "{\"ruler\": 75} {\"ruler\": 90}"));
  EXPECT_EQ(GetRuler(&p), 75);

  EXPECT_FALSE(Parse(&p, "{\n  \"ruler\": 80,\n}\n"));
  EXPECT_EQ(p.tree, nullptr);
  EXPECT_EQ(p.error_text.compare(0, 20, "Parse error before: "), 0);
  EXPECT_EQ(GetRuler(&p), 120);
  // The message quotes the minified text from the reported position on.
  EXPECT_FALSE(Parse(&p, "{ \"a\" : /* c */ x 1 1 }"));
  EXPECT_EQ(p.error_text, "Parse error before: x11}\n");

  EXPECT_FALSE(Parse(&p, "  // only a comment\n"));
  EXPECT_EQ(p.error_text, "Parse error before: \n");

  // A long remainder is cut so that the message stays within 2,048 bytes.
  std::string long_text = "{\"a\": x" + std::string(5000, '1') + "}";
  EXPECT_FALSE(Parse(&p, long_text));
  EXPECT_EQ(p.error_text.size(), 2047u);
  EXPECT_EQ(p.error_text.back(), '\n');
  EXPECT_EQ(p.error_text.compare(0, 20, "Parse error before: "), 0);
}
