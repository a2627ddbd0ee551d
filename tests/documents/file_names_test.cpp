#include "documents/file_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(NeedsWideName, AsciiShortNamesStayNarrow) {
  EXPECT_FALSE(NeedsWideName(nullptr));
  EXPECT_FALSE(NeedsWideName(""));
  EXPECT_FALSE(NeedsWideName("C:\\src\\main.cpp"));
  std::string name255(255, 'a');
  std::string name256(256, 'a');
  EXPECT_FALSE(NeedsWideName(name255.c_str()));
  EXPECT_TRUE(NeedsWideName(name256.c_str()));
  EXPECT_TRUE(NeedsWideName((name256 + "bbb").c_str()));
}

TEST(NeedsWideName, MultiByteSequences) {
  EXPECT_TRUE(NeedsWideName("caf\xC3\xA9.txt"));           // two bytes
  EXPECT_TRUE(NeedsWideName("\xE2\x82\xAC"));              // three bytes
  EXPECT_TRUE(NeedsWideName("\xF0\x9F\x98"));              // fourth byte not examined
  EXPECT_FALSE(NeedsWideName("\xC3(x"));                   // no continuation
  EXPECT_FALSE(NeedsWideName("\xE2\x82"));                 // cut short by the NUL
  EXPECT_FALSE(NeedsWideName("\xC0\x80"));                 // 0xC0 is no lead byte
  EXPECT_FALSE(NeedsWideName("\xF5\x80\x80\x80"));         // beyond 0xF4
  EXPECT_TRUE(NeedsWideName("\xE0\x80\x80"));              // only the form is looked at:
  EXPECT_TRUE(NeedsWideName("\xED\xA0\x80"));              // over-long, surrogate
}

TEST(ApplyLongPathPrefix, Forms) {
  std::u16string drive = u"C:/" + std::u16string(253, u'a');  // 256 units
  ApplyLongPathPrefix(drive);
  EXPECT_EQ(drive, u"\\\\?\\C:\\" + std::u16string(253, u'a'));

  std::u16string short_drive = u"C:/" + std::u16string(252, u'a');  // 255 units
  std::u16string before = short_drive;
  ApplyLongPathPrefix(short_drive);
  EXPECT_EQ(short_drive, before);

  std::u16string unc = u"\\\\server/share/" + std::u16string(285, u'b');  // 300 units
  ASSERT_EQ(unc.size(), 300u);
  ApplyLongPathPrefix(unc);
  EXPECT_EQ(unc, u"\\\\?\\UNC\\server\\share\\" + std::u16string(285, u'b'));

  std::u16string relative = u"dir/" + std::u16string(296, u'c');
  before = relative;
  ApplyLongPathPrefix(relative);
  EXPECT_EQ(relative, before);

  std::u16string rooted = u"\\dir/" + std::u16string(295, u'c');
  before = rooted;
  ApplyLongPathPrefix(rooted);
  EXPECT_EQ(rooted, before);

  std::wstring wide = L"D:" + std::wstring(300, L'/');
  ApplyLongPathPrefix(wide);
  EXPECT_EQ(wide, L"\\\\?\\D:" + std::wstring(300, L'\\'));
}

TEST(PathExtension, UnnamedDocuments) {
  EXPECT_STREQ(PathExtension("C:\\dir.x\\name"), "");
  EXPECT_STREQ(PathExtension("C:\\dir\\name.tar.gz"), ".gz");
  EXPECT_STREQ(PathExtension("a/b.c/d"), "");
  EXPECT_STREQ(PathExtension(nullptr), "");
  EXPECT_TRUE(IsUnnamedPath("original-0.mem"));
  EXPECT_TRUE(IsUnnamedPath("C:\\NOTES.MEM"));
  EXPECT_TRUE(IsUnnamedPath("x.MeM"));
  EXPECT_FALSE(IsUnnamedPath("x.memo"));
  EXPECT_FALSE(IsUnnamedPath("x.me"));
  EXPECT_FALSE(IsUnnamedPath("mem"));
  EXPECT_FALSE(IsUnnamedPath("a.mem\\b"));
}
