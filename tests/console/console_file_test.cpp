// Reading and writing files: line ends, tab indentation, byte-order marks,
// creating files from initial text, and saves that fail without harm.
#include <sys/stat.h>

#include "console/console_file.h"
#include "tests/console/editor_fixture.h"

using ConsoleFile = EditorTest;

TEST_F(ConsoleFile, CrLfKeptOnlyWhenMostLinesEndWithCr) {
  ASSERT_TRUE(Load("one\r\ntwo\r\nthree\n"));
  EXPECT_EQ(editor->newline_mode, 1);
  EXPECT_EQ(Text(), "one\ntwo\nthree\n");
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("file.txt"), "one\r\ntwo\r\nthree\r\n");

  ASSERT_TRUE(Load("one\r\ntwo\nthree\nfour\n", "lf.txt"));
  EXPECT_EQ(editor->newline_mode, 0);
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("lf.txt"), "one\ntwo\nthree\nfour\n");
}

TEST_F(ConsoleFile, ByteOrderMarkRemovedAndLastLineWithoutEnd) {
  ASSERT_TRUE(Load("\xEF\xBB\xBFhello\nworld"));
  ASSERT_EQ(editor->lines.size(), 2u);
  EXPECT_EQ(editor->lines[0], "hello");
  EXPECT_EQ(editor->lines[1], "world");
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("file.txt"), "hello\nworld\n");
  ASSERT_TRUE(Load(""));
  EXPECT_TRUE(editor->lines.empty());
}

TEST_F(ConsoleFile, TabIndentedFileWrittenBackWithTabs) {
  const std::string text = "int f() {\n\tif (x) {\n\t\ty = 1;   // note\n\t   aligned\n\t}\n}\n";
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(editor->tab_write_width, 4);  // widest space run 3, plus one
  EXPECT_EQ(editor->indent_size, 4);
  EXPECT_EQ(editor->lines[2], "        y = 1;   // note");
  EXPECT_EQ(editor->lines[3], "       aligned");
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("file.txt"), text);

  // Without space runs the editor's own indent size is kept.
  editor->indent_size = 2;
  ASSERT_TRUE(Load("a\n\tb\n", "tabs.txt"));
  EXPECT_EQ(editor->tab_write_width, 2);
  EXPECT_EQ(editor->lines[1], "  b");
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("tabs.txt"), "a\n\tb\n");
}

TEST_F(ConsoleFile, MixedIndentationWrittenWithSpaces) {
  ASSERT_TRUE(Load("a\n\tb\n          deep\n"));
  EXPECT_EQ(editor->tab_write_width, 0);
  EXPECT_EQ(editor->lines[1], "  b");
  ASSERT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("file.txt"), "a\n  b\n          deep\n");
  ASSERT_TRUE(Load("x\n  \tspace then tab\n", "mixed.txt"));
  EXPECT_EQ(editor->tab_write_width, 0);
  EXPECT_EQ(editor->lines[1], "    space then tab");
}

TEST_F(ConsoleFile, LongLinesAreSplit) {
  ConsoleLineSplitter splitter;
  std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 33; ++i) splitter.Feed(chunk.data(), chunk.size());
  splitter.Feed("\r\n", 2);
  splitter.Finish();
  ASSERT_EQ(splitter.lines.size(), 2u);
  EXPECT_EQ(splitter.lines[0].size(), kConsoleMaxLineBytes);
  EXPECT_EQ(splitter.lines[1].size(), (1u << 20));
  EXPECT_EQ(splitter.cr_count, 1);
}

TEST_F(ConsoleFile, OpenMissingFileWithAndWithoutInitialText) {
  EXPECT_FALSE(editor->Open(Path("missing.txt")));
  EXPECT_TRUE(editor->lines.empty());
  EXPECT_EQ(editor->undo_position, 0);
  EXPECT_EQ(editor->clean_position, 0);
  EXPECT_FALSE(editor->IsModified());

  EXPECT_TRUE(editor->Open(Path("new.txt"), "first\n\tsecond\n"));
  EXPECT_EQ(ReadBytes("new.txt"), "first\n\tsecond\n");
  EXPECT_EQ(editor->lines[1], "  second");
  EXPECT_FALSE(editor->IsModified());

  // A file that cannot be created keeps the text, marked as unsaved.
  EXPECT_FALSE(editor->Open(Path("no/such/dir.txt"), "kept\n"));
  ASSERT_EQ(editor->lines.size(), 1u);
  EXPECT_EQ(editor->lines[0], "kept");
  EXPECT_TRUE(editor->IsModified());
}

TEST_F(ConsoleFile, FailedSaveKeepsTheOldFileAndReportsFailure) {
  ASSERT_TRUE(Load("original\n"));
  Type("new ");
  editor->file_name = Path("missing-dir/file.txt");
  EXPECT_FALSE(editor->SaveFile());
  EXPECT_TRUE(editor->IsModified());
  editor->file_name = Path("file.txt");
  // A read-only target is not replaced; the temporary file is removed.
  chmod(Path("file.txt").c_str(), 0444);
  EXPECT_FALSE(editor->SaveFile());
  chmod(Path("file.txt").c_str(), 0644);
  EXPECT_EQ(ReadBytes("file.txt"), "original\n");
  struct stat st;
  EXPECT_NE(stat(Path("file.txt.orvsave.tmp").c_str(), &st), 0);
  if (geteuid() != 0) {  // root ignores folder permissions
    chmod(dir.c_str(), 0555);  // no temporary file can be made beside it
    EXPECT_FALSE(editor->SaveFile());
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(ReadBytes("file.txt"), "original\n");
    EXPECT_TRUE(editor->IsModified());
  }
  editor->file_name = Path("file.txt");
  EXPECT_TRUE(editor->SaveFile());
  EXPECT_EQ(ReadBytes("file.txt"), "new original\n");
  EXPECT_FALSE(editor->IsModified());
  EXPECT_NE(stat(Path("file.txt.orvsave.tmp").c_str(), &st), 0);
}

TEST_F(ConsoleFile, ReloadReplacesTheLines) {
  ASSERT_TRUE(Load("a\nb\n"));
  WriteBytes("file.txt", "c\n");
  ASSERT_TRUE(editor->Reload(false));
  EXPECT_EQ(Text(), "c\n");
  EXPECT_EQ(editor->undo_states.size(), 2u);
  EXPECT_FALSE(editor->IsModified());
  screen.ctrl = true;
  Key(CtrlKey('Z'));
  screen.ctrl = false;
  EXPECT_EQ(Text(), "a\nb\n");
  ASSERT_TRUE(editor->Reload(true));
  EXPECT_EQ(editor->undo_states.size(), 1u);
  editor->ReleaseText();
  EXPECT_TRUE(editor->lines.empty());
  EXPECT_TRUE(editor->undo_states.empty());
  EXPECT_EQ(editor->CheckInvariants(), "");
}
