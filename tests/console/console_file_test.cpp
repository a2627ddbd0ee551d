// Reading and writing files: line ends, tab indentation, byte-order marks,
// long lines, files made from initial text, and saves that fail without harm.
#include <sys/stat.h>

#include "console/console_file.h"
#include "tests/console/editor_fixture.h"

using ConsoleFile = EditorTest;

TEST_F(ConsoleFile, ReadAndWrittenBackInTheFilesOwnForm) {
  const struct { const char* bytes; const char* text; int indent; const char* saved; } cases[] = {
      {"one\r\ntwo\r\nthree\n", "one\ntwo\nthree\n", 2, "one\r\ntwo\r\nthree\r\n"},  // mostly CR LF
      {"one\r\ntwo\nthree\nfour\n", "one\ntwo\nthree\nfour\n", 2, "one\ntwo\nthree\nfour\n"},
      {"a\r\nb\n", "a\nb\n", 2, "a\nb\n"},  // half is not most
      {"\xEF\xBB\xBFhello\nworld", "hello\nworld\n", 2, "hello\nworld\n"},
      {"x\n\xEF\xBB\xBFy\n", "x\n\xEF\xBB\xBFy\n", 2, "x\n\xEF\xBB\xBFy\n"},  // a mark only at the start
      {"a\r\r\n\n", "a\n\n", 2, "a\r\n\r\n"},
      // Tab-indented: tabs as spaces one wider than the widest space run.
      {"f {\n\tif {\n\t\ty = 1;   // n\n\t   al\n}\n", "f {\n    if {\n        y = 1;   // n\n       al\n}\n", 4,
       "f {\n\tif {\n\t\ty = 1;   // n\n\t   al\n}\n"},
      {"a\n\tb\n", "a\n  b\n", 2, "a\n\tb\n"},
      {"a\n\tb\n       c\n", "a\n        b\n       c\n", 8, "a\n\tb\n       c\n"},
      {"a\n\tb\n        deep\n", "a\n  b\n        deep\n", 2, "a\n  b\n        deep\n"},  // mixed: spaces
      {"x\n  \tspace then tab\n", "x\n    space then tab\n", 2, "x\n    space then tab\n"},
      {"x\ty\n", "x  y\n", 2, "x  y\n"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(Load(c.bytes)) << c.bytes;
    EXPECT_EQ(Text(), c.text) << c.bytes;
    EXPECT_EQ(editor->indent_size, c.indent) << c.bytes;
    ASSERT_TRUE(editor->SaveFile());
    EXPECT_EQ(ReadBytes("file.txt"), c.saved);
    editor->indent_size = 2;
  }
  ASSERT_TRUE(Load(""));
  EXPECT_TRUE(editor->lines.empty());
  ConsoleLineSplitter splitter;  // lines over 32 MiB are cut
  std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 33; ++i) splitter.Feed(chunk.data(), chunk.size());
  splitter.Feed("\r\n", 2);
  splitter.Finish();
  ASSERT_EQ(splitter.lines.size(), 2u);
  EXPECT_TRUE(splitter.lines[0].size() == kConsoleMaxLineBytes && splitter.lines[1].size() == 1u << 20);
  EXPECT_EQ(splitter.cr_count, 1);
}

TEST_F(ConsoleFile, MissingFilesInitialTextAndReload) {
  EXPECT_FALSE(editor->Open(Path("missing.txt")));
  EXPECT_TRUE(editor->lines.empty() && !editor->IsModified());
  EXPECT_TRUE(editor->Open(Path("new.txt"), "first\n\tsecond\n"));
  EXPECT_EQ(ReadBytes("new.txt"), "first\n\tsecond\n");
  EXPECT_TRUE(editor->lines[1] == "  second" && !editor->IsModified());
  // A file that cannot be created keeps the text, marked as unsaved.
  EXPECT_FALSE(editor->Open(Path("no/such/dir.txt"), "kept\n"));
  EXPECT_EQ(editor->lines, std::vector<std::string>{"kept"});
  EXPECT_TRUE(editor->IsModified());

  ASSERT_TRUE(Load("a\nb\n"));
  WriteBytes("file.txt", "c\n");
  ASSERT_TRUE(editor->Reload(false));
  EXPECT_TRUE(Text() == "c\n" && !editor->IsModified());
  Ctrl('Z');  // reloading can be undone
  EXPECT_EQ(Text(), "a\nb\n");
  ASSERT_TRUE(editor->Reload(true));
  EXPECT_EQ(editor->undo_states.size(), 1u);
}

TEST_F(ConsoleFile, FailedSaveKeepsTheOldFileAndReportsFailure) {
  ASSERT_TRUE(Load("original\n"));
  Type("new ");
  editor->file_name = Path("missing-dir/file.txt");
  EXPECT_FALSE(editor->SaveFile());
  editor->file_name = "";
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
  }
  EXPECT_TRUE(editor->IsModified());
  EXPECT_TRUE(editor->SaveFile());
  EXPECT_TRUE(ReadBytes("file.txt") == "new original\n" && !editor->IsModified());
}
