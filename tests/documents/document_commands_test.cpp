#include "documents/document_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "documents/app_state.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "tests/documents/document_support.h"
#include "tests/documents/scripted_moves.h"
#include "tests/documents/temp_dir.h"

namespace {

struct Fixture {
  TempDir dir;
  ScriptedUi ui;
  AppState app;
  Fixture() { app.ui = &ui; }
  std::string Make(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  void Check() {
    std::string why;
    EXPECT_TRUE(CheckInvariants(app.documents, &why)) << why;
    EXPECT_TRUE(app.current_path.empty() || IsRegistered(app.documents, app.current_path));
  }
};

}  // namespace

TEST(DocumentRegistry, Primitives) {
  DocumentRegistry r;
  EXPECT_EQ(DocumentAt(r, 0), nullptr);
  for (const char* key : {"b", "C:\\a.txt", "c:\\A.TXT", "a", "\xC3\xA9"}) {
    OwnedDocument doc(CreateDocument());
    RegisterDocument(&r, key, std::move(doc));
  }
  ASSERT_EQ(DocumentCount(r), 5);
  // Byte order: upper case before lower case, bytes above 0x7F last.
  EXPECT_EQ(KeyAt(r, 0), "C:\\a.txt");
  EXPECT_EQ(KeyAt(r, 1), "a");
  EXPECT_EQ(KeyAt(r, 2), "b");
  EXPECT_EQ(KeyAt(r, 3), "c:\\A.TXT");
  EXPECT_EQ(KeyAt(r, 4), "\xC3\xA9");
  EXPECT_EQ(KeyAt(r, 5), "");
  EXPECT_EQ(IndexOfDocument(r, "b"), 2);
  EXPECT_EQ(IndexOfDocument(r, "B"), -1);
  EXPECT_EQ(DocumentAt(r, -1), nullptr);

  Document* b = DocumentAt(r, 2);
  OwnedDocument replacement(CreateDocument());
  Document* kept = replacement.get();
  EXPECT_EQ(RegisterDocument(&r, "b", std::move(replacement)), 2);
  EXPECT_EQ(DocumentAt(r, 2), kept);
  EXPECT_FALSE(HoldsDocument(r, b));

  RekeyDocument(&r, "b", "zz");
  EXPECT_EQ(IndexOfDocument(r, "b"), -1);
  EXPECT_EQ(DocumentAt(r, IndexOfDocument(r, "zz")), kept);
  RekeyDocument(&r, "zz", "a");  // replaces the document under "a"
  EXPECT_EQ(DocumentCount(r), 4);
  EXPECT_EQ(DocumentAt(r, IndexOfDocument(r, "a")), kept);
  RekeyDocument(&r, "a", "a");
  EXPECT_EQ(DocumentAt(r, IndexOfDocument(r, "a")), kept);
  RekeyDocument(&r, "missing", "q");
  EXPECT_FALSE(IsRegistered(r, "q"));

  UnregisterDocument(&r, "a");
  UnregisterDocumentAt(&r, DocumentCount(r));  // one past the end: nothing
  UnregisterDocumentAt(&r, -1);
  EXPECT_EQ(DocumentCount(r), 3);
  std::string why;
  EXPECT_TRUE(CheckInvariants(r, &why)) << why;
  // The checker sees each kind of damage, wherever it sits.
  std::swap(r.entries[1].key, r.entries[2].key);
  EXPECT_FALSE(CheckInvariants(r, &why));
  EXPECT_EQ(why, "keys out of order at 2");
  std::swap(r.entries[1].key, r.entries[2].key);
  Document* last = r.entries[2].document.release();
  EXPECT_FALSE(CheckInvariants(r, &why));
  EXPECT_EQ(why, "null document at 2");
  r.entries[2].document.reset(r.entries[1].document.get());
  EXPECT_FALSE(CheckInvariants(r, &why));
  EXPECT_EQ(why, "document held twice");
  r.entries[2].document.release();
  r.entries[2].document.reset(last);
  EXPECT_TRUE(CheckInvariants(r, &why)) << why;
}

TEST(DocumentCommands, NewOpenActivate) {
  Fixture f;
  NewDocument(&f.app);
  NewDocument(&f.app);
  NewDocument(&f.app);
  EXPECT_EQ(f.app.current_path, "original-2.mem");
  EXPECT_EQ(f.app.previous_path, "original-1.mem");
  Activate(&f.app, "original-1.mem");
  CloseCurrent(&f.app);
  NewDocument(&f.app);
  EXPECT_EQ(f.app.current_path, "original-3.mem");
  EXPECT_FALSE(IsRegistered(f.app.documents, "original-1.mem"));
  f.Check();

  std::string a = f.Make("a.txt", "first\n");
  EXPECT_TRUE(OpenOrActivate(&f.app, a));
  EXPECT_EQ(f.app.current_path, a);
  EXPECT_EQ(f.app.previous_path, "original-3.mem");
  // Opening again only switches: the changed file is not read.
  WriteBytes(a, "second\n");
  Activate(&f.app, "original-0.mem");
  EXPECT_TRUE(OpenOrActivate(&f.app, a));
  EXPECT_EQ(Content(*GetCurrentDocument(f.app)), "first\n");
  // A refused file changes nothing.
  int titles = f.ui.titles;
  std::string before_current = f.app.current_path, before_previous = f.app.previous_path;
  EXPECT_FALSE(OpenOrActivate(&f.app, f.dir.File("missing.txt")));
  EXPECT_EQ(f.app.current_path, before_current);
  EXPECT_EQ(f.app.previous_path, before_previous);
  EXPECT_EQ(f.ui.titles, titles);
  Activate(&f.app, "unknown");
  EXPECT_EQ(f.app.current_path, before_current);
  f.Check();
}

TEST(DocumentCommands, ReopenAndPrevious) {
  Fixture f;
  std::string a = f.Make("a.txt", "one\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, a));
  EXPECT_FALSE(CanSwitchToPrevious(f.app));
  f.app.previous_path = "elsewhere";
  SwitchToPrevious(&f.app);  // one document: nothing
  EXPECT_EQ(f.app.current_path, a);

  WriteBytes(a, "two\n");
  EXPECT_TRUE(IsReopenable(f.app));
  ReopenCurrent(&f.app);
  EXPECT_EQ(Content(*GetCurrentDocument(f.app)), "two\n");
  EXPECT_EQ(f.app.previous_path, a);

  NewDocument(&f.app);
  EXPECT_FALSE(IsReopenable(f.app));
  ReopenCurrent(&f.app);
  EXPECT_EQ(f.app.current_path, "original-0.mem");
  ASSERT_TRUE(CanSwitchToPrevious(f.app));
  SwitchToPrevious(&f.app);
  EXPECT_EQ(f.app.current_path, a);
  EXPECT_EQ(f.app.previous_path, "original-0.mem");

  // NOTES.MEM on disk is still an unnamed document's name.
  std::string notes = f.Make("NOTES.MEM", "n\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, notes));
  EXPECT_FALSE(IsReopenable(f.app));

  // A reload that fails leaves the document closed and nothing current.
  Activate(&f.app, a);
  WriteBytes(a, "");
  ReopenCurrent(&f.app);
  EXPECT_EQ(f.app.current_path, a);
  EXPECT_EQ(GetCurrentDocument(f.app), nullptr);
  EXPECT_FALSE(IsRegistered(f.app.documents, a));
  NewDocument(&f.app);
  EXPECT_NE(GetCurrentDocument(f.app), nullptr);
}

TEST(DocumentCommands, CloseOrder) {
  Fixture f;
  std::string a = f.Make("a", "a\n"), b = f.Make("b", "b\n"), c = f.Make("c", "c\n");
  for (const std::string& p : {a, b, c}) ASSERT_TRUE(OpenOrActivate(&f.app, p));
  Activate(&f.app, b);
  std::string previous = f.app.previous_path;
  CloseCurrent(&f.app);
  EXPECT_EQ(f.app.current_path, c);
  EXPECT_EQ(f.app.previous_path, previous);
  CloseCurrent(&f.app);
  EXPECT_EQ(f.app.current_path, a);
  CloseCurrent(&f.app);
  EXPECT_EQ(f.app.current_path, "");
  EXPECT_EQ(DocumentCount(f.app.documents), 0);
  CloseCurrent(&f.app);  // nothing left: nothing happens

  for (const std::string& p : {a, b, c}) ASSERT_TRUE(OpenOrActivate(&f.app, p));
  Activate(&f.app, b);
  CloseOthers(&f.app);
  ASSERT_EQ(DocumentCount(f.app.documents), 1);
  EXPECT_EQ(KeyAt(f.app.documents, 0), b);
  EXPECT_EQ(f.app.current_path, b);
  f.app.current_path = "gone";
  CloseOthers(&f.app);
  EXPECT_EQ(DocumentCount(f.app.documents), 0);
}

TEST(DocumentCommands, SaveAndSaveAs) {
  Fixture f;
  NewDocument(&f.app);
  std::string x = f.dir.File("x.txt");
  f.ui.answers = {""};
  SaveCurrent(&f.app);  // the dialog is cancelled: no failure
  EXPECT_EQ(f.ui.dialogs, 1);
  EXPECT_TRUE(f.ui.kept.empty());
  EXPECT_EQ(f.app.current_path, "original-0.mem");
  f.ui.answers = {x};
  SaveCurrent(&f.app);
  EXPECT_EQ(f.ui.dialogs, 2);
  EXPECT_TRUE(FileExists(x));
  EXPECT_EQ(f.app.current_path, x);
  EXPECT_EQ(f.app.previous_path, "original-0.mem");
  EXPECT_FALSE(CanSwitchToPrevious(f.app));
  EXPECT_STREQ(StringData(GetCurrentDocument(f.app)->path), x.c_str());
  SaveCurrent(&f.app);  // named now: no dialog
  EXPECT_EQ(f.ui.dialogs, 2);

  // Save as onto another open document's path replaces that document.
  std::string y = f.Make("y.txt", "y\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, y));
  Activate(&f.app, x);
  f.ui.answers = {y};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(DocumentCount(f.app.documents), 1);
  EXPECT_EQ(f.app.current_path, y);
  EXPECT_EQ(ReadBytes(y), "");
  f.Check();

  // A failing Save as is reported and keeps everything.
  f.ui.answers = {f.dir.File("no/dir.txt")};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(f.app.current_path, y);
  EXPECT_EQ(f.ui.kept, (std::vector<std::string>{""}));
  f.Check();
}

TEST(DocumentCommands, SaveAllVisitsEachDocumentOnce) {
  Fixture f;
  NewDocument(&f.app);  // original-0.mem
  NewDocument(&f.app);  // original-1.mem
  std::string a = f.Make("a.txt", "a\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, a));
  GetCurrentDocument(f.app)->eol_style = 1;
  // The first unnamed document moves to a key after every other one; the
  // second is cancelled.
  f.ui.answers = {f.dir.File("zzz.txt"), ""};
  SaveAll(&f.app);
  EXPECT_EQ(f.ui.dialogs, 2);
  EXPECT_EQ(ReadBytes(a), "a\r\n");
  EXPECT_TRUE(FileExists(f.dir.File("zzz.txt")));
  EXPECT_TRUE(IsRegistered(f.app.documents, "original-1.mem"));
  EXPECT_TRUE(IsRegistered(f.app.documents, f.dir.File("zzz.txt")));
  EXPECT_EQ(f.app.current_path, f.dir.File("zzz.txt"));
  f.Check();

  // Save as onto a document that the walk has not reached yet: that one is
  // replaced and skipped. Relative keys sort after "original-1.mem".
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof(here)), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryUtf8(f.dir.File("").c_str()));
  WriteBytes("q.txt", "q\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, "q.txt"));
  f.ui.answers = {"q.txt"};
  f.ui.dialogs = 0;
  SaveAll(&f.app);
  EXPECT_EQ(f.ui.dialogs, 1);
  EXPECT_EQ(ReadBytes("q.txt"), "");
  EXPECT_FALSE(IsRegistered(f.app.documents, "original-1.mem"));
  EXPECT_EQ(f.app.current_path, "q.txt");
  ASSERT_TRUE(SetCurrentDirectoryUtf8(here));
  f.Check();
}

// A save whose text ended up only in the temporary file names that file; a
// failure that left nothing behind names none.
TEST(SaveReport, ATextLeftInTheTemporaryFileIsNamed) {
  Fixture f;
  std::string a = f.Make("a.txt", "old\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, a));
  GetCurrentDocument(f.app)->eol_style = 1;
  ScriptedMoves moves;
  moves.replace = ScriptedMoves::kOriginalAway;
  moves.failing_moves = 2;  // neither the new file nor the original goes back
  f.ui.answers = {""};
  {
    UseMoves use(&moves);
    SaveCurrent(&f.app);  // then the Save as dialog, cancelled
  }
  ASSERT_EQ(f.ui.kept.size(), 1u);
  const std::string kept = f.ui.kept[0];
  EXPECT_EQ(kept.compare(0, f.dir.File("").size(), f.dir.File("")), 0) << kept;
  EXPECT_EQ(ReadBytes(kept), "old\r\n");
  EXPECT_EQ(f.ui.dialogs, 1);
  GetCurrentDocument(f.app)->eol_style = 2;
  moves.replace = ScriptedMoves::kNothingMoved;
  moves.failing_moves = 1;
  f.ui.answers = {f.dir.File("b.txt")};
  {
    UseMoves use(&moves);
    SaveCurrentAs(&f.app);
  }
  EXPECT_EQ(f.ui.kept, (std::vector<std::string>{kept, ""}));
  EXPECT_FALSE(FileExists(f.dir.File("b.txt")));
  EXPECT_TRUE(f.ui.too_large.empty());
}

TEST(SaveReport, ASavedFileTooLargeToOpenAgainIsReported) {
  Fixture f;
  std::string almost(kMaxFileSize - 1, 'x');
  for (size_t i = 99; i < almost.size(); i += 100) almost[i] = '\n';
  almost.back() = '\n';
  std::string big = f.Make("big.txt", almost), small = f.Make("small.txt", "small\n");
  ASSERT_TRUE(OpenOrActivate(&f.app, big));
  SaveCurrent(&f.app);  // still one byte under the limit
  EXPECT_TRUE(f.ui.too_large.empty());
  GetCurrentDocument(f.app)->eol_style = 1;  // CR LF grows it past the limit
  SaveCurrent(&f.app);
  f.ui.answers = {f.dir.File("copy.txt")};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(f.ui.too_large, (std::vector<std::string>{big, f.dir.File("copy.txt")}));
  EXPECT_GT(ReadBytes(f.dir.File("copy.txt")).size(), static_cast<size_t>(kMaxFileSize));
  ASSERT_TRUE(OpenOrActivate(&f.app, small));
  SaveAll(&f.app);
  EXPECT_EQ(f.ui.too_large.size(), 3u);
  EXPECT_EQ(f.ui.too_large.back(), f.dir.File("copy.txt")) << "only the large document again";
  EXPECT_TRUE(f.ui.kept.empty());
}
