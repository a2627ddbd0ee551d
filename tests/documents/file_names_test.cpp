#include "documents/file_names.h"

#include <gtest/gtest.h>

#include <string>

// Names go through the wide API when they hold a multi-byte form (only the
// form is looked at: lead range and continuations) or reach 256 bytes.
TEST(NeedsWideName, LongNamesAndMultiByteForms) {
  struct Row {
    std::string name;
    bool wide;
  } rows[] = {
      {"", false},           {"C:\\src\\main.cpp", false},   {std::string(255, 'a'), false},
      {std::string(256, 'a'), true},   {std::string(259, 'a'), true},
      {"\xC1\xBF", false},   {"\xC2\x80", true},    {"caf\xC3\xA9", true},   {"\xDF\xBF", true},
      {"\xC3(\xA9", false},      {"\xE0\x80\x80", true}, {"\xED\xA0\x80", true}, {"\xEF\xBF\xBF", true},
      {"\xE2\x82", false},   {"\xE2(\x82", false},   {"\xF0\x9F\x98", true},  {"\xF4\x8F\xBF", true},
      {"\xF5\x80\x80\x80", false}, {"\xF0\x9F", false},     {"\xF8\x88\x80\x80", false},
      {"\xF0(\x98\x80", false}, {"\x80\x80\x80", false}, {"ab\xC3", false},
  };
  for (const Row& r : rows) EXPECT_EQ(NeedsWideName(r.name.c_str()), r.wide) << r.name;
  EXPECT_FALSE(NeedsWideName(nullptr));
}

// Absolute drive and UNC paths of 256 units or more get the long-path form.
TEST(ApplyLongPathPrefix, Forms) {
  const std::u16string a253(253, u'a'), b285(285, u'b'), c296(296, u'c');
  const std::pair<std::u16string, std::u16string> rows[] = {
      {u"C:/" + a253, u"\\\\?\\C:\\" + a253},
      {u"C:/" + a253.substr(1), u"C:/" + a253.substr(1)},  // 255 units
      {u"\\\\server/share/" + b285, u"\\\\?\\UNC\\server\\share\\" + b285},
      {u"dir/" + c296, u"dir/" + c296},
      {u"\\dir/" + c296, u"\\dir/" + c296},
      {u"\\\\?\\C:/" + a253, u"\\\\?\\C:/" + a253},  // prefixed already: as it stands
      {u"\\\\?\\UNC\\server/" + b285, u"\\\\?\\UNC\\server/" + b285},
  };
  for (const auto& row : rows) {
    std::u16string path = row.first;
    ApplyLongPathPrefix(path);
    EXPECT_TRUE(path == row.second) << path.size();
  }
  std::wstring wide = L"D:" + std::wstring(300, L'/');
  ApplyLongPathPrefix(wide);
  EXPECT_EQ(wide, L"\\\\?\\D:" + std::wstring(300, L'\\'));
}

TEST(PathExtension, TheLastDotOfTheLastNameAndUnnamedDocuments) {
  EXPECT_STREQ(PathExtension("C:\\dir.x\\name"), "");
  EXPECT_STREQ(PathExtension("C:\\dir\\name.tar.gz"), ".gz");
  EXPECT_STREQ(PathExtension("a/b.c/d"), "");
  EXPECT_STREQ(PathExtension(".hidden"), ".hidden");
  EXPECT_STREQ(PathExtension(nullptr), "");
  for (const char* unnamed : {"original-0.mem", "C:\\NOTES.MEM", "x.MeM", "a/.mem"})
    EXPECT_TRUE(IsUnnamedPath(unnamed)) << unnamed;
  for (const char* named : {"x.memo", "x.me", "mem", "a.mem\\b", "x.mem.txt", "x.nem", "x.mEx"})
    EXPECT_FALSE(IsUnnamedPath(named)) << named;
}
