// The preferences' parse and getters, and what the Preferences window's
// panes do with representative keys of each rule.
#include "preferences/preferences.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "preferences/console_key_codes.h"
#include "preferences/default_text.h"
#include "preferences/pane_keys.h"

namespace {

// Parses a copy of the text; the text is minified in place.
bool Parse(Preferences* p, const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back(0);
  return ParsePreferencesText(p, copy.data());
}

// Each getter over valid, out-of-range, mistyped and missing values: a row
// is a text, the getter it sets (-1 none) and its value; the others read
// their defaults.
TEST(PreferencesGetters, Rules) {
  enum { kTab, kEol, kRuler, kFocus, kSpaces, kWisdom, kKeep };
  const std::vector<int> defaults = {2, 1, 120, 1, 1, 0, 1};
  const struct { const char* text; int getter, value; } rows[] = {
      {DefaultPreferencesText(), -1, 0}, {UserTemplateText(), -1, 0}, {"{}", -1, 0}, {"[]", -1, 0},
      {"true", -1, 0}, {"42", -1, 0}, {"[{\"tab_size\": 8}]", -1, 0}, {"{\"a\": 1, \"b\": [2]}", -1, 0},
      {"{\"tab_size\": 1}", kTab, 2}, {"{\"tab_size\": 2.9}", kTab, 2}, {"{\"tab_size\": 8}", kTab, 8},
      {"{\"tab_size\": \"8\"}", kTab, 2}, {"{\"tab_size\": 128}", kTab, 128}, {"{\"tab_size\": 129}", kTab, 128},
      {"{\"tab_size\": 4e9}", kTab, 128}, {"{\"tab_size\": -4e9}", kTab, 2}, {"{\"Tab_Size\": 8}", kTab, 2},
      {"{\"tab_size\": 4, \"tab_size\": 6}", kTab, 4}, {"{\"tab_size\": 127}", kTab, 127},
      {"{\"ruler\": 69}", kRuler, 120}, {"{\"ruler\": 70}", kRuler, 70}, {"{\"ruler\": 10000}", kRuler, 10000},
      {"{\"ruler\": 10001}", kRuler, 10000}, {"{\"ruler\": 1e12}", kRuler, 10000}, {"{\"ruler\": true}", kRuler, 120},
      {"{\"x\": 1, \"ruler\": 80}", kRuler, 80}, {"{\"end_of_line\": 3}", kEol, 1}, {"{\"end_of_line\": -1}", kEol, 1},
      {"{\"end_of_line\": 0}", kEol, 0}, {"{\"end_of_line\": 2}", kEol, 2}, {"{\"end_of_line\": \"0\"}", kEol, 1},
      {"{\"ancient_wisdom\": 1}", kWisdom, 0}, {"{\"ancient_wisdom\": true}", kWisdom, 1},
      {"{\"ancient_wisdom\": \"true\"}", kWisdom, 0}, {"{\"curses_right_focus\": 0}", kFocus, 1},
      {"{\"curses_right_focus\": false}", kFocus, 0}, {"{\"spaces\": false}", kSpaces, 0},
      {"{\"spaces\": \"false\"}", kSpaces, 1}, {"{\"preserve_directory\": null}", kKeep, 1},
      {"{\"preserve_directory\": false}", kKeep, 0}};
  for (const auto& r : rows) {
    Preferences p;
    ASSERT_TRUE(Parse(&p, r.text)) << r.text;
    std::vector<int> expected = defaults;
    if (r.getter >= 0) expected[r.getter] = r.value;
    EXPECT_EQ(expected, std::vector<int>({GetTabSize(&p), GetEndOfLine(&p), GetRuler(&p), GetCursesRightFocus(&p),
                                          GetSpaces(&p), GetAncientWisdom(&p), GetPreserveDirectory(&p)})) << r.text;
  }
  // Without preferences the getters give the defaults; the global ones read the global.
  EXPECT_EQ(GetTabSize(nullptr), 2);
  Preferences* saved = preferences;
  preferences = nullptr;
  EXPECT_EQ(GetRuler(), 120);
  Preferences global;
  ASSERT_TRUE(Parse(&global, "{\"ruler\": 90, \"tab_size\": 4}"));
  preferences = &global;
  EXPECT_EQ(std::make_pair(90, 4), std::make_pair(GetRuler(), GetTabSize()));
  preferences = saved;
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

  EXPECT_FALSE(Parse(&p, "  // only a comment\n") || ParsePreferencesText(&p, nullptr));
  EXPECT_EQ(p.error_text, "Parse error before: \n");

  // A long remainder is cut so that the message stays within 2,048 bytes.
  std::string long_text = "{\"a\": x" + std::string(5000, '1') + "}";
  EXPECT_FALSE(Parse(&p, long_text));
  EXPECT_EQ(p.error_text.size(), 2047u);
  EXPECT_EQ(p.error_text.back(), '\n');
  EXPECT_EQ(p.error_text.compare(0, 20, "Parse error before: "), 0);
}

using A = PaneKeyAction;

TEST(PaneKeys, ViewerPassesOnlyReadingKeysAndTheFindPromptAllButTheWindowKeys) {
  const struct {
    int key;
    A plain, held;  // without and with Ctrl, no prompt (or another prompt)
  } cases[] = {
      {'a', A::kDrop, A::kDrop},          {kKeyEnter, A::kDrop, A::kDrop},
      {kKeyBackspace, A::kDrop, A::kDrop}, {kKeyDelete, A::kDrop, A::kDrop},
      {kKeyInsert, A::kDrop, A::kDrop},   {kKeyCtrlCloseBracket, A::kDrop, A::kDrop},
      {0xE9, A::kDrop, A::kDrop},         {4118, A::kDrop, A::kDrop},
      {kKeyRedraw, A::kBase, A::kBase},   {kKeyEscape, A::kBase, A::kBase},
      {kKeyDown, A::kBase, A::kBase},     {kKeyEnd, A::kBase, A::kBase},
      {kKeyF1, A::kBase, A::kBase},       {kKeyF12, A::kBase, A::kBase},
      {CtrlKey('G'), A::kDrop, A::kBase}, {CtrlKey('P'), A::kDrop, A::kBase},
      {CtrlKey('O'), A::kDrop, A::kBase}, {CtrlKey('F'), A::kDrop, A::kBase},
      {CtrlKey('C'), A::kDrop, A::kBase}, {CtrlKey('V'), A::kDrop, A::kDrop},
      {CtrlKey('X'), A::kDrop, A::kDrop}, {CtrlKey('S'), A::kDrop, A::kDrop},
      {kKeyTab, A::kDrop, A::kSwitchFocus}, {CtrlKey('W'), A::kDrop, A::kCloseHost},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(k.plain, DefaultsViewerKeyAction(k.key, false, 0)) << k.key;
    EXPECT_EQ(k.held, DefaultsViewerKeyAction(k.key, true, 0)) << k.key;
    EXPECT_EQ(k.held, DefaultsViewerKeyAction(k.key, true, 3)) << k.key;
    EXPECT_EQ(A::kBase, PreferencesEditorKeyAction(k.key, false)) << k.key;  // the editor's own keys need Ctrl
    EXPECT_EQ(A::kBase, DefaultsViewerKeyAction(k.key, false, kFindPromptOpen)) << k.key;
    const bool host_key = k.held == A::kSwitchFocus || k.held == A::kCloseHost;  // never the prompt's
    EXPECT_EQ(host_key ? k.held : A::kBase, DefaultsViewerKeyAction(k.key, true, kFindPromptOpen)) << k.key;
  }
  EXPECT_EQ(A::kDrop, DefaultsViewerKeyAction(-1, true, kFindPromptOpen));
}

}  // namespace
