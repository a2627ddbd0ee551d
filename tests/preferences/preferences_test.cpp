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

TEST(PreferencesGetters, Rules) {
  struct Case {
    const char* text;
    int32_t (*get)(const Preferences*);
    int32_t expected;
  };
  const Case cases[] = {
      {"{\"tab_size\": 1}", GetTabSize, 2},
      {"{\"tab_size\": 2.9}", GetTabSize, 2},
      {"{\"tab_size\": 8}", GetTabSize, 8},
      {"{\"tab_size\": \"8\"}", GetTabSize, 2},
      {"{\"tab_size\": 128}", GetTabSize, 128},
      {"{\"tab_size\": 129}", GetTabSize, 128},
      {"{\"tab_size\": 4000000000}", GetTabSize, 128},
      {"{\"tab_size\": -4000000000}", GetTabSize, 2},
      {"{\"Tab_Size\": 8}", GetTabSize, 2},
      {"{\"tab_size\": 4, \"tab_size\": 6}", GetTabSize, 4},
      {"{\"ruler\": 69}", GetRuler, 120},
      {"{\"ruler\": 70}", GetRuler, 70},
      {"{\"ruler\": 500}", GetRuler, 500},
      {"{\"ruler\": 1e12}", GetRuler, kMaxRuler},
      {"{\"ruler\": true}", GetRuler, 120},
      {"{\"end_of_line\": 3}", GetEndOfLine, 1},
      {"{\"end_of_line\": -1}", GetEndOfLine, 1},
      {"{\"end_of_line\": 0}", GetEndOfLine, 0},
      {"{\"end_of_line\": 2}", GetEndOfLine, 2},
      {"{\"end_of_line\": \"0\"}", GetEndOfLine, 1},
      {"{\"ruler\": 10000}", GetRuler, 10000},
      {"{\"ruler\": 10001}", GetRuler, 10000},
      {"{\"tab_size\": 127}", GetTabSize, 127},
      {"{\"tab_size\": 2}", GetTabSize, 2},
      {"{\"end_of_line\": 1}", GetEndOfLine, 1},
      {"{\"x\": 1, \"ruler\": 80}", GetRuler, 80},
  };
  for (const Case& c : cases) {
    Preferences p;
    ASSERT_TRUE(Parse(&p, c.text)) << c.text;
    EXPECT_EQ(c.get(&p), c.expected) << c.text;
  }
  struct BoolCase {
    const char* text;
    bool (*get)(const Preferences*);
    bool expected;
  };
  const BoolCase bool_cases[] = {
      {"{\"ancient_wisdom\": 1}", GetAncientWisdom, false},
      {"{\"ancient_wisdom\": \"true\"}", GetAncientWisdom, false},
      {"{\"ancient_wisdom\": true}", GetAncientWisdom, true},
      {"{\"curses_right_focus\": 0}", GetCursesRightFocus, true},
      {"{\"curses_right_focus\": false}", GetCursesRightFocus, false},
      {"{\"preserve_directory\": null}", GetPreserveDirectory, true},
      {"{\"preserve_directory\": false}", GetPreserveDirectory, false},
      {"{\"spaces\": false}", GetSpaces, false},
      {"{\"spaces\": \"false\"}", GetSpaces, true},
  };
  for (const BoolCase& c : bool_cases) {
    Preferences p;
    ASSERT_TRUE(Parse(&p, c.text)) << c.text;
    EXPECT_EQ(c.get(&p), c.expected) << c.text;
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
