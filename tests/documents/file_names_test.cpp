#include "documents/file_names.h"
#include "documents/file_identity.h"
#include "engine/utf8.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <wctype.h>

#include <random>
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

// Spellings the file system takes as one name, with the current folder
// C:\Work\Proj: each is folded to the same full name as C:\Work\Proj\notes.txt,
// and names of other files are not. A file's identity outlives its names,
// and a name outlives the file.
TEST(FullWindowsName, SpellingsOfOneFileShareTheFoldedNameOrTheFileId) {
  const std::string folder = "C:\\Work\\Proj", want = "C:\\Work\\Proj\\notes.txt";
  const std::pair<std::string, bool> rows[] = {
      {want, true}, {"notes.txt", true}, {".\\notes.txt", true}, {"NOTES.TXT", true},
      {"c:\\work\\PROJ\\Notes.Txt", true}, {"C:/Work/Proj/notes.txt", true},
      {"C:\\\\Work\\\\\\Proj\\\\notes.txt", true}, {"..\\Proj\\.\\notes.txt", true},
      {"notes.txt.", true}, {"notes.txt . .", true}, {"\\\\?\\C:\\Work\\Proj\\notes.txt", true},
      {"\\Work\\Proj\\notes.txt", true}, {"c:notes.txt", true}, {"..\\..\\..\\Work\\Proj\\notes.txt", true},
      {"notes.txt2", false}, {"Proj\\notes.txt", false}, {"D:notes.txt", false},
      {"\\\\?\\UNC\\srv\\share\\notes.txt", false}, {"\\\\.\\notes.txt", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(FoldNameCase(FullWindowsName(row.first, folder)) == FoldNameCase(want), row.second) << row.first;
  EXPECT_EQ(FullWindowsName("\\\\?\\UNC\\srv\\share\\a\\..\\b.txt", folder), "\\\\srv\\share\\b.txt");
  EXPECT_EQ(FullWindowsName("..\\..\\..", folder), "C:\\");
  EXPECT_EQ(FullWindowsName("Z:/a\\..\\b", folder), "Z:\\b");
  // Letters of other scripts fold too; bytes that are no character stay.
  // Below U+0530 each letter folds as the C library's Unicode table says, but
  // the blocks left unfolded (Latin Extended-B, IPA, Greek signs and symbols)
  // and the micro sign, dotless i and long s, which stay as they are.
  const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  ASSERT_NE(unicode, nullptr);
  for (char32_t c = 1; c < 0x530; ++c) {
    const bool kept = (c >= 0x180 && c < 0x300) || c == 0x345 || (c >= 0x370 && c < 0x380) ||
                      (c >= 0x3D0 && c < 0x400) || c == 0xB5 || c == 0x131 || c == 0x17F;
    EXPECT_EQ(FoldNameCase(EncodeUtf8(c)), EncodeUtf8(kept ? c : towupper_l(c, unicode))) << std::hex << c;
  }
  freelocale(unicode);
  EXPECT_EQ(FoldNameCase("caf\xC3\xA9-\xCE\xB1\xCF\x82\xCF\x8C-\xD0\xB6\xD1\x91\xD2\x91-\xC4\x8D\xC5\xBF-\xC3\xBF-\xE2\x82\xAC-\xC3"),
            "CAF\xC3\x89-\xCE\x91\xCE\xA3\xCE\x8C-\xD0\x96\xD0\x81\xD2\x90-\xC4\x8C\xC5\xBF-\xC5\xB8-\xE2\x82\xAC-\xC3");
  std::mt19937 random(7);  // folded and full names are fixed points, whatever the name
  for (int i = 0; i < 20000; ++i) {
    std::string name, pieces[] = {"a", "\\", "/", ".", " ", "C:", "\\\\?\\", "\\\\?\\UNC\\", "\\\\", "\xC5\xBF", "\xCF\x8C", "\xC3"};
    for (int n = random() % 8; n > 0; --n) name += pieces[random() % 12];
    EXPECT_TRUE(FoldNameCase(FoldNameCase(name)) == FoldNameCase(name) && FullWindowsName(FullWindowsName(name, folder), folder) == FullWindowsName(name, folder)) << name;
  }
  const char* const names[] = {"CON",    "c:\\x\\nul.txt", "Com1",  "lpt9.log", "AUX  .c",  "\\\\.\\PhysicalDrive0",  // devices
                               "CONSOLE", "c:\\nul\\x.txt", "com0", "lpt10",    "prn2.txt", "a.con"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(IsWindowsDeviceName(names[i]), i < 6) << names[i];
  FileKey a = NameOnlyKey(want), link = NameOnlyKey("C:\\a.txt");
  a.on_disk = link.on_disk = true;
  a.id_low = link.id_low = 42;
  EXPECT_TRUE(SameFile(a, link)) << "a hard link";
  EXPECT_TRUE(SameFile(a, NameOnlyKey("c:\\work\\proj\\NOTES.TXT"))) << "the file is gone: its name";
  EXPECT_TRUE(HoldsSameFile(a, a) && HoldsSameFile(a, NameOnlyKey("c:\\work\\proj\\NOTES.TXT"))) << "asked without the disk";
  link.id_high = 1;  // the high half of a 128-bit id
  EXPECT_FALSE(SameFile(a, link));
}
