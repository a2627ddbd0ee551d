#include "documents/document_commands.h"

#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "documents/app_state.h"
#include "documents/file_placement.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "tests/documents/document_support.h"
#include "tests/documents/temp_dir.h"

namespace {

// Renames over real files, doing what the platform does on each outcome.
class ScriptedMoves : public FileMoves {
 public:
  enum Behaviour {
    kWorks,           // replaced; the original passes through the backup name
    kNothingMoved,    // ERROR_UNABLE_TO_MOVE_REPLACEMENT with a backup name
    kOriginalAway,    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: original at the backup name
    kOriginalLost,    // a failure that says nothing moved, but the original is gone
  };
  Behaviour replace = kWorks;
  int failing_moves = 0;  // this many moves fail first

  ReplaceResult Replace(const char* replacement, const char* target, const char* backup) override {
    switch (replace) {
      case kWorks:
        std::rename(target, backup);
        std::rename(replacement, target);
        return ReplaceResult::kReplaced;
      case kNothingMoved:
        return ReplaceResult::kNotReplaced;
      case kOriginalAway:
        std::rename(target, backup);
        return ReplaceResult::kOriginalMoved;
      case kOriginalLost:
        unlink(target);
        return ReplaceResult::kNotReplaced;
    }
    return ReplaceResult::kNotReplaced;
  }
  bool Move(const char* from, const char* to) override {
    if (failing_moves > 0) {
      --failing_moves;
      return false;
    }
    return std::rename(from, to) == 0;
  }
};

// Puts scripted moves in place for one scope.
class UseMoves {
 public:
  explicit UseMoves(FileMoves* moves) : previous_(SetFileMoves(moves)) {}
  ~UseMoves() { SetFileMoves(previous_); }

 private:
  FileMoves* previous_;
};

// Every file in the folder with its bytes.
std::map<std::string, std::string> Files(const TempDir& dir) {
  std::map<std::string, std::string> files;
  DIR* d = opendir(dir.File("").c_str());
  while (const dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") files[name] = ReadBytes(dir.File(name));
  }
  closedir(d);
  return files;
}

struct Case {
  ScriptedMoves::Behaviour replace;
  int failing_moves;
  PlaceResult result;
  std::map<std::string, std::string> files;  // "backup" stands for the backup's name
};

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

// Keys in byte order (upper case before lower case, bytes above 0x7F last);
// the checker sees each kind of damage.
TEST(DocumentRegistry, KeysInByteOrderAndTheChecker) {
  DocumentRegistry r;
  for (const char* key : {"b", "C:\\a.txt", "c:\\A.TXT", "a", "\xC3\xA9"})
    RegisterDocument(&r, key, OwnedDocument(CreateDocument()));
  std::string keys;
  for (int i = -1; i <= DocumentCount(r); ++i) keys += KeyAt(r, i) + "|";
  EXPECT_EQ(keys, "|C:\\a.txt|a|b|c:\\A.TXT|\xC3\xA9||");
  EXPECT_EQ(IndexOfDocument(r, "B"), -1);
  EXPECT_EQ(DocumentAt(r, -1), nullptr);
  EXPECT_EQ(DocumentAt(r, 5), nullptr);
  Document* kept = DocumentAt(r, 2);
  RekeyDocument(&r, "b", "a");  // replaces the document under "a"
  RekeyDocument(&r, "a", "a");
  RekeyDocument(&r, "missing", "q");
  EXPECT_EQ(DocumentCount(r), 4);
  EXPECT_EQ(DocumentAt(r, IndexOfDocument(r, "a")), kept);
  EXPECT_FALSE(IsRegistered(r, "q"));
  UnregisterDocumentAt(&r, DocumentCount(r));  // one past the end: nothing
  UnregisterDocumentAt(&r, -1);
  UnregisterDocument(&r, "a");
  EXPECT_EQ(DocumentCount(r), 3);
  std::string why;
  EXPECT_TRUE(CheckInvariants(r, &why)) << why;
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

TEST(DocumentCommands, NewOpenActivateReopenAndClose) {
  Fixture f;
  for (int i = 0; i < 3; ++i) NewDocument(&f.app);
  EXPECT_EQ(f.app.previous_path, "original-1.mem");
  Activate(&f.app, "original-1.mem");
  CloseCurrent(&f.app);  // the next key takes its place
  EXPECT_EQ(f.app.current_path, "original-2.mem");
  NewDocument(&f.app);
  EXPECT_EQ(f.app.current_path, "original-3.mem");
  std::string a = f.Make("a.txt", "first\n"), b = f.Make("b.txt", "b\n");
  EXPECT_TRUE(OpenOrActivate(&f.app, a));
  EXPECT_EQ(f.app.previous_path, "original-3.mem");
  // Opening again only switches: the changed file is not read, until Reopen.
  WriteBytes(a, "second\n");
  Activate(&f.app, "original-0.mem");
  EXPECT_FALSE(IsReopenable(f.app));
  EXPECT_TRUE(OpenOrActivate(&f.app, a));
  EXPECT_EQ(Content(*GetCurrentDocument(f.app)), "first\n");
  ReopenCurrent(&f.app);
  EXPECT_EQ(Content(*GetCurrentDocument(f.app)), "second\n");
  // A refused file or an unknown name changes nothing.
  int titles = f.ui.titles;
  EXPECT_FALSE(OpenOrActivate(&f.app, f.dir.File("missing.txt")));
  Activate(&f.app, "unknown");
  EXPECT_EQ(f.app.current_path + " " + f.app.previous_path, a + " " + a);
  EXPECT_EQ(f.ui.titles, titles);
  ASSERT_TRUE(OpenOrActivate(&f.app, b));
  ASSERT_TRUE(CanSwitchToPrevious(f.app));
  SwitchToPrevious(&f.app);
  EXPECT_EQ(f.app.current_path + " " + f.app.previous_path, a + " " + b);
  EXPECT_EQ(f.ui.titles, titles + 2) << "each switch shows its title";
  f.Check();
  // Closing the last key moves to the one before it; the previous stays.
  Activate(&f.app, "original-3.mem");
  CloseCurrent(&f.app);
  EXPECT_EQ(f.app.current_path + " " + f.app.previous_path, "original-2.mem " + a);
  // A reload that fails leaves the document closed and nothing current.
  Activate(&f.app, a);
  WriteBytes(a, "");
  ReopenCurrent(&f.app);
  EXPECT_EQ(GetCurrentDocument(f.app), nullptr);
  EXPECT_FALSE(IsRegistered(f.app.documents, a));
  f.app.current_path = "original-2.mem";
  CloseOthers(&f.app);
  EXPECT_EQ(KeyAt(f.app.documents, 0) + KeyAt(f.app.documents, 1), "original-2.mem");
  f.app.previous_path = "elsewhere";
  EXPECT_FALSE(CanSwitchToPrevious(f.app));
  f.app.current_path = "gone";
  CloseOthers(&f.app);
  CloseCurrent(&f.app);  // nothing left: nothing happens
  EXPECT_EQ(DocumentCount(f.app.documents), 0);
  // NOTES.MEM on disk is still an unnamed document's name.
  ASSERT_TRUE(OpenOrActivate(&f.app, f.Make("NOTES.MEM", "n\n")));
  EXPECT_FALSE(IsReopenable(f.app));
  // Activated again, the current document is its own previous; once it is
  // closed there is no previous to go to, however many are left.
  NewDocument(&f.app);
  NewDocument(&f.app);
  Activate(&f.app, f.app.current_path);
  CloseCurrent(&f.app);
  EXPECT_EQ(DocumentCount(f.app.documents), 2);
  EXPECT_FALSE(CanSwitchToPrevious(f.app));
}

TEST(DocumentCommands, SaveSaveAsAndSaveAll) {
  Fixture f;
  NewDocument(&f.app);
  NewDocument(&f.app);
  std::string a = f.Make("a.txt", "a\n"), x = f.dir.File("x.txt");
  ASSERT_TRUE(OpenOrActivate(&f.app, a));
  GetCurrentDocument(f.app)->eol_style = 1;
  // Save all: original-0 is named x.txt, original-1's dialog is cancelled.
  f.ui.answers = {x, ""};
  SaveAll(&f.app);
  EXPECT_EQ(f.ui.dialogs, 2);
  EXPECT_EQ(ReadBytes(a), "a\r\n");
  EXPECT_TRUE(f.ui.kept.empty());
  EXPECT_TRUE(IsRegistered(f.app.documents, "original-1.mem"));
  EXPECT_EQ(f.app.current_path, x);
  EXPECT_EQ(f.app.previous_path, a);
  EXPECT_STREQ(StringData(GetCurrentDocument(f.app)->path), x.c_str());
  WriteBytes(x, "changed\n");
  SaveCurrent(&f.app);  // named now: no dialog
  EXPECT_EQ(f.ui.dialogs, 2);
  EXPECT_EQ(ReadBytes(x), "");
  // Save as onto another open document's path replaces that document.
  f.ui.answers = {a};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(DocumentCount(f.app.documents), 2);
  EXPECT_EQ(f.app.current_path, a);
  EXPECT_EQ(ReadBytes(a), "");
  f.Check();
  // A failing Save as is reported and keeps everything.
  f.ui.answers = {f.dir.File("no/dir.txt")};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(f.app.current_path, a);
  EXPECT_EQ(f.ui.kept, (std::vector<std::string>{""}));

  // Save all, Save as onto a document the walk has not reached yet: that
  // one is replaced and skipped. Relative keys sort after "original-1.mem".
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

// Putting a saved file in place when the platform's replace or the moves
// after it fail: the text is never left only in a file that gets removed.
TEST(FilePlacement, EachFailedRenameLeavesTheTextOnDisk) {
  using S = ScriptedMoves;
  const Case cases[] = {
      {S::kWorks, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kNothingMoved, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kNothingMoved, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {S::kOriginalAway, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kOriginalAway, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {S::kOriginalAway, 2, PlaceResult::kStranded, {{"new.tmp", "new"}, {"backup", "old"}}},
      {S::kOriginalLost, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kOriginalLost, 1, PlaceResult::kStranded, {{"new.tmp", "new"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "replace " << c.replace << ", moves failing "
                                    << c.failing_moves);
    TempDir dir;
    const std::string target = dir.File("a.txt"), temp = dir.File("new.tmp");
    WriteBytes(target, "old");
    FileStatus before;
    ASSERT_TRUE(StatUtf8(target.c_str(), &before));
    WriteBytes(temp, "new");
    ScriptedMoves moves;
    moves.replace = c.replace;
    moves.failing_moves = c.failing_moves;
    {
      UseMoves use(&moves);
      EXPECT_EQ(PutFileInPlace(temp.c_str(), target.c_str(), &before), c.result);
    }
    std::map<std::string, std::string> files = Files(dir);
    for (auto& f : files)
      if (f.first.find("~orvinale-save-") == 0) {
        files["backup"] = f.second;
        files.erase(f.first);
        break;
      }
    EXPECT_EQ(files, c.files);
  }
}

TEST(FilePlacement, ANewFileThatCannotBePlacedLeavesNothing) {
  TempDir dir;
  const std::string target = dir.File("a.txt"), temp = dir.File("new.tmp");
  WriteBytes(temp, "new");
  ScriptedMoves moves;
  moves.replace = ScriptedMoves::kNothingMoved;
  moves.failing_moves = 1;
  UseMoves use(&moves);
  // Nothing was there before, and the text is still in memory.
  EXPECT_EQ(PutFileInPlace(temp.c_str(), target.c_str(), nullptr), PlaceResult::kUnchanged);
  EXPECT_TRUE(Files(dir).empty());
}
