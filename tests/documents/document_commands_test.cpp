#include "documents/document_commands.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "documents/app_state.h"
#include "documents/file_placement.h"
#include "documents/file_names.h"
#include "documents/file_writer.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "tests/documents/document_support.h"
#include "tests/documents/temp_dir.h"

namespace {

// The plain files of a folder ("dir/") with their bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  DIR* d = opendir(folder.c_str());
  while (const dirent* e = readdir(d)) {
    FileStatus st;
    if (StatUtf8((folder + e->d_name).c_str(), &st) && st.is_regular)
      files[e->d_name] = ReadBytes(folder + e->d_name);
  }
  closedir(d);
  return files;
}

// The platform's file on a full disk: no write reaches it past `budget`
// bytes and the flush to the disk fails.
int64_t budget = 0;
class FailingTarget : public WriteTarget {
 public:
  explicit FailingTarget(std::unique_ptr<WriteTarget> real) : real_(std::move(real)) {}
  bool WriteAt(int64_t position, const char* data, int32_t count) override {
    errno = ENOSPC;
    return position + count <= budget && real_->WriteAt(position, data, count);
  }
  bool Finish() override { return real_->Finish(); }
  bool SyncToDisk() override { return (errno = ENOSPC) == 0; }

 private:
  std::unique_ptr<WriteTarget> real_;
};

std::unique_ptr<WriteTarget> OpenFailing(const char* name, CreateMode mode) {
  std::unique_ptr<WriteTarget> real = OpenPlatformWriteTarget(name, mode);
  return std::unique_ptr<WriteTarget>(real ? new FailingTarget(std::move(real)) : nullptr);
}

// Runs a test in a folder, so that keys are short relative names in byte
// order: "B.txt" < "a.txt" < "n.MEM" < "original-0.mem" < "q.txt".
class InFolder {
 public:
  explicit InFolder(const std::string& folder) {
    EXPECT_TRUE(getcwd(home_, sizeof(home_)) && SetCurrentDirectoryUtf8(folder.c_str()));
  }
  ~InFolder() { EXPECT_TRUE(SetCurrentDirectoryUtf8(home_)); }

 private:
  char home_[4096];
};

const char* const kEnds[] = {"\n", "\r\n", "\r"};

// A text as the failure messages show it: long ones by their start, size and hash.
std::string Brief(const std::string& text) {
  if (text.size() < 100) return text + "|\n";
  return text.substr(0, 40) + "... " + std::to_string(text.size()) +
         " bytes, hash " + std::to_string(std::hash<std::string>()(text)) + "\n";
}

// What the commands should leave: the open documents in key order, the
// files on disk, and what the user saw and was asked. Files here have LF or
// CR LF or CR line ends, and a 0xE9 byte is never part of a character.
struct Model {
  struct Doc {
    int id;
    std::string text;
    uint32_t style;  // without a line end to go by, the preference's CR LF
  };
  struct KeyOrder {  // the registry's: full names (all in the test's folder) before the unnamed ones
    bool operator()(const std::string& a, const std::string& b) const { return std::make_pair(a.rfind("original-", 0) == 0, a) < std::make_pair(b.rfind("original-", 0) == 0, b); }
  };
  std::map<std::string, Doc, KeyOrder> open;
  std::map<std::string, std::string> disk;
  std::map<std::string, mode_t> modes;  // of the files other programs wrote
  std::string current, previous;
  std::deque<std::string> answers;
  std::vector<std::string> reports;  // of failed saves, with the system's reason
  int ids = 0, untitled = 0, titles = 0, dialogs = 0;
  bool writes_fail = false;

  bool ReadOnly(const std::string& name) const {
    return modes.count(name) != 0 && modes.at(name) == 0444;
  }
  void Show(const std::string& key) {
    if (!current.empty()) previous = current;
    current = key;
    ++titles;
  }
  bool Readable(const std::string& name) {
    return disk.count(name) != 0 && disk[name].find_first_of(std::string("\0\xE9", 2)) == std::string::npos;
  }
  bool Open(const std::string& name) {
    const std::string bytes = disk.count(name) != 0 ? disk[name] : "";
    if (open.count(name) == 0) {
      if (!Readable(name)) return false;
      const bool lf = bytes.find('\n') != std::string::npos, cr = bytes.find('\r') != std::string::npos;
      Doc doc{ids++, "", lf ? (cr ? 1u : 0u) : (cr ? 2u : 1u)};
      for (char c : bytes)
        if (c != '\r' || !lf) doc.text += c == '\r' ? '\n' : c;
      const bool ended = doc.text.empty() || doc.text.back() == '\n';  // an empty file stays empty
      open[name] = {doc.id, ended ? doc.text : doc.text + "\n", doc.style};
    }
    Show(name);
    return true;
  }
  bool Write(const std::string& name, const Doc& doc) {  // a failure is told at once, with the first reason met
    const int error = name == "sub" ? EISDIR : name == "no/x.txt" ? ENOENT : writes_fail ? ENOSPC : ReadOnly(name) ? EACCES : 0;
    if (error != 0) reports.push_back(name + ": " + std::strerror(error));
    if (error != 0) return false;
    std::string& bytes = disk[name] = "";
    for (char c : doc.text) c == '\n' ? bytes += kEnds[doc.style] : bytes += c;
    return true;
  }
  void SaveAs(const std::string& key) {
    ++dialogs;
    if (answers.empty()) return;
    const std::string name = answers.front();
    answers.pop_front();
    if (name.empty()) return;
    if (!Write(name, open[key])) return;
    Doc doc = open[key];
    open.erase(key);
    open[name] = doc;
    Show(name);
  }
  void Save(const std::string& key) {
    if (IsUnnamedPath(key.c_str()) || !Write(key, open[key])) SaveAs(key);
  }
  std::string Describe() const {
    std::string out = current + " | " + previous + "\n";
    for (const auto& doc : open)
      out += doc.first + " " + std::to_string(doc.second.style) + ": " + Brief(doc.second.text);
    return out;
  }
};

// Names as the model writes them: relative to the test's folder.
std::string Short(const std::string& name, const std::string& folder) {
  return name.compare(0, folder.size(), folder) == 0 ? name.substr(folder.size()) : name;
}

std::string Describe(const AppState& app, const std::string& folder) {
  std::string out = Short(app.current_path, folder) + " | " + Short(app.previous_path, folder) + "\n", why;
  for (int32_t i = 0; i < DocumentCount(app.documents); ++i) {
    const Document& doc = *DocumentAt(app.documents, i);
    EXPECT_STREQ(StringData(doc.path), KeyAt(app.documents, i).c_str());
    EXPECT_TRUE(CheckInvariants(doc, &why)) << why;
    out += Short(KeyAt(app.documents, i), folder) + " " + std::to_string(doc.eol_style) + ": " + Brief(Content(doc));
  }
  EXPECT_TRUE(CheckInvariants(app.documents, &why)) << why;
  EXPECT_TRUE(KeyAt(app.documents, DocumentCount(app.documents)).empty()) << "past the last";
  return out;
}

const char* const kNames[] = {"a.txt", "B.txt", "q.txt", "n.MEM", "sub", "no/x.txt"};

// Random commands, changes by other programs, failing writes and read-only
// files against the model: after every step the documents (keys, paths,
// texts, styles), the shown and previous ones, every file on disk (no
// temporary one left) and what the user saw agree with it.
TEST(DocumentCommands, FollowAModelOfTheOpenDocumentsAndTheDisk) {
  std::mt19937 rng(2024);
  auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
  for (int run = 0; run < 12; ++run) {
    TempDir dir;
    InFolder in(dir.File(""));
    ASSERT_TRUE(CreateDirectoryUtf8("sub"));
    ScriptedUi ui;
    AppState app;
    app.ui = &ui;
    Model m;
    // Another program writes a file, with or without a valid text; the long
    // ones have a line longer than a read piece, a character across two
    // pieces and thousands of lines.
    std::string long_text = std::string(262143, 's') + "\xC3\xA9\n";
    for (int i = 0; i < 3000; ++i) long_text += std::string(i % 37, 'm') + "\n";
    const std::string texts[] = {"1\n2\n", "no end", "\xC3\xA9\n", long_text, "", "\xE9\n",
                                 std::string("\0\n", 2), long_text + "\xE9", "\xE9" + long_text};
    auto write_other = [&](const std::string& file) {
      const std::string end = kEnds[pick(3)];
      std::string& bytes = m.disk[file] = "";
      for (char c : texts[pick(9)]) c == '\n' ? bytes += end : bytes += c;
      WriteBytes(file, bytes);
      ASSERT_EQ(chmod(file.c_str(), m.modes[file] = 0600), 0);
    };
    for (int i = 0; i < 4; ++i) write_other(kNames[i]);
    for (int step = 0; step < 50; ++step) {
      const size_t op = pick(16);
      SCOPED_TRACE(testing::Message() << "run " << run << " step " << step << " op " << op);
      const bool saving = op >= 5 && op <= 8, shown = m.open.count(m.current) != 0;
      for (size_t n = saving ? pick(3) : 0; n > 0; --n)
        m.answers.push_back(pick(7) == 0 ? "" : kNames[pick(6)]);
      ui.answers = m.answers;
      m.writes_fail = saving && pick(6) == 0;
      budget = static_cast<int64_t>(pick(40));
      WriteTargetOpener platform = SetWriteTargetOpener(m.writes_fail ? OpenFailing : nullptr);
      const std::string name = kNames[pick(6)], file = kNames[pick(4)];
      const std::string key = m.open.empty() || pick(8) == 0
                                  ? "unknown" : std::next(m.open.begin(), pick(m.open.size()))->first;
      if (op == 0) {
        NewDocument(&app);
        const std::string made = "original-" + std::to_string(m.untitled++) + ".mem";
        m.open[made] = {m.ids++, "", 1};
        m.Show(made);
      } else if (op <= 3) {
        EXPECT_EQ(OpenOrActivate(&app, name), m.Open(name)) << name;
      } else if (op == 4) {
        Activate(&app, key.rfind("original-", 0) == 0 || key == "unknown" ? key : dir.File(key));
        if (m.open.count(key) != 0) m.Show(key);
      } else if (op <= 6) {
        SaveCurrent(&app);
        if (shown) m.Save(m.current);
      } else if (op == 7) {
        SaveCurrentAs(&app);
        if (shown) m.SaveAs(m.current);
      } else if (op == 8) {
        SaveAll(&app);  // each document present at the start once, unless replaced meanwhile
        std::vector<int> order;
        for (const auto& doc : m.open) order.push_back(doc.second.id);
        for (int id : order)
          for (const auto& doc : m.open)
            if (doc.second.id == id) {
              m.Save(doc.first);
              break;
            }
      } else if (op == 9) {
        CloseCurrent(&app);  // the next key, or the last, is shown
        auto at = m.open.find(m.current);
        if (at != m.open.end()) {
          at = m.open.erase(at);
          if (at == m.open.end() && !m.open.empty()) --at;
          m.current = at == m.open.end() ? "" : at->first;
          ++m.titles;
        }
      } else if (op == 10 && pick(3) == 0) {
        CloseOthers(&app);
        for (auto at = m.open.begin(); at != m.open.end();)
          at = at->first == m.current ? std::next(at) : m.open.erase(at);
      } else if (op == 10) {  // a file that cannot be read again leaves the document as it was
        const bool again = shown && !IsUnnamedPath(m.current.c_str());
        EXPECT_EQ(ReopenCurrent(&app), !again || m.Readable(m.current));
        if (again && m.Readable(m.current) && m.open.erase(m.current) != 0) m.Open(m.current);
      } else if (op == 11) {
        SwitchToPrevious(&app);
        if (m.open.count(m.previous) != 0 && m.open.size() >= 2) {
          std::swap(m.current, m.previous);
          ++m.titles;
        }
      } else if (op == 12 && !m.ReadOnly(file) && pick(5) != 0) {
        write_other(file);
      } else if (op == 12) {
        if (m.disk.count(file) != 0 && chmod(file.c_str(), 0444) == 0) m.modes[file] = 0444;
      } else if (Document* doc = GetCurrentDocument(app)) {
        // Typing at the start of a line or at the end, sometimes more than the gap holds.
        const std::string typed = std::vector<std::string>{
            "t\n", "\xC3\xA9", "$", "\xEF\xBB\xBF", std::string(30, 'T') + "\n"}[pick(5)];
        std::string& text = m.open[m.current].text;
        const int32_t ended = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n'));
        const int32_t line = static_cast<int32_t>(pick(ended + 1));  // `ended`: the very end
        size_t at = line == ended ? text.size() : 0;
        for (int32_t k = 0; k < line && line < ended; ++k) at = text.find('\n', at) + 1;
        SetCaret(doc, line == ended ? TextLength(*doc) : LineStartOffset(*doc, line));
        InsertText(doc, typed.data(), static_cast<int32_t>(typed.size()));
        text.insert(at, typed);
      }
      SetWriteTargetOpener(platform);
      m.answers.clear();
      ASSERT_EQ(Describe(app, dir.File("")), m.Describe());
      EXPECT_EQ(CanSwitchToPrevious(app), m.open.count(m.previous) != 0 && m.open.size() >= 2);
      EXPECT_EQ(IsReopenable(app), m.open.count(m.current) != 0 && !IsUnnamedPath(m.current.c_str()));
      for (std::string& report : ui.reports) report = Short(report, dir.File(""));
      EXPECT_EQ(Files(dir.File("")), m.disk);
      for (const auto& file_mode : m.modes) {
        struct stat st;
        ASSERT_EQ(stat(file_mode.first.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, file_mode.second) << file_mode.first << " keeps its permissions";
      }
      EXPECT_EQ(ui.dialogs, m.dialogs);
      EXPECT_EQ(ui.titles, m.titles);
      EXPECT_EQ(ui.reports, m.reports);
      EXPECT_EQ(ui.kept, std::vector<std::string>(m.reports.size(), ""));
      ASSERT_FALSE(HasFailure());
    }
  }
}

// Renames over real files, doing what the platform does on each outcome.
class ScriptedMoves : public FileMoves {
 public:
  enum Behaviour {
    kWorks,         // replaced; the original passes through the backup name
    kNothingMoved,  // ERROR_UNABLE_TO_MOVE_REPLACEMENT with a backup name
    kOriginalAway,  // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: original at the backup name
    kOriginalLost,  // a failure that says nothing moved, but the original is gone
    kOriginalChanged,  // nothing moved, but another program changed the original meanwhile
  };
  // In place until destroyed; the first `failing_moves` moves fail.
  ScriptedMoves(Behaviour replace, int failing_moves)
      : replace_(replace), failing_moves_(failing_moves), previous_(SetFileMoves(this)) {}
  ~ScriptedMoves() override { SetFileMoves(previous_); }

  ReplaceResult Replace(const char* replacement, const char* target, const char* backup) override {
    if (replace_ == kWorks || replace_ == kOriginalAway) std::rename(target, backup);
    if (replace_ == kOriginalLost) unlink(target);
    if (replace_ == kOriginalChanged) WriteBytes(target, "other");
    if (replace_ == kOriginalAway) return ReplaceResult::kOriginalMoved;
    if (replace_ != kWorks) return ReplaceResult::kNotReplaced;
    std::rename(replacement, target);
    return ReplaceResult::kReplaced;
  }
  bool Move(const char* from, const char* to) override {
    return failing_moves_-- <= 0 && std::rename(from, to) == 0;
  }

 private:
  Behaviour replace_;
  int failing_moves_;
  FileMoves* previous_;
};

// Putting a saved file in place when the platform's replace or the moves
// after it fail: the text is never left only in a file that gets removed,
// and a new file that cannot be placed leaves nothing.
TEST(FilePlacement, EachFailedRenameLeavesTheTextOnDisk) {
  using S = ScriptedMoves;
  const struct {
    bool existed;
    S::Behaviour replace;
    int failing_moves;
    PlaceResult result;
    std::map<std::string, std::string> files;  // "backup" stands for the backup's name
  } cases[] = {
      {true, S::kWorks, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {true, S::kNothingMoved, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {true, S::kNothingMoved, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {true, S::kOriginalAway, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {true, S::kOriginalAway, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {true, S::kOriginalAway, 2, PlaceResult::kStranded, {{"new.tmp", "new"}, {"backup", "old"}}},
      {true, S::kOriginalLost, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {true, S::kOriginalLost, 1, PlaceResult::kStranded, {{"new.tmp", "new"}}},
      {true, S::kOriginalChanged, 1, PlaceResult::kStranded, {{"a.txt", "other"}, {"new.tmp", "new"}}},
      {false, S::kNothingMoved, 1, PlaceResult::kUnchanged, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.existed << " " << c.replace << " " << c.failing_moves);
    TempDir dir;
    const std::string target = dir.File("a.txt"), temp = dir.File("new.tmp");
    FileStatus before;
    WriteBytes(target, "old");
    ASSERT_TRUE(StatUtf8(target.c_str(), &before));
    if (!c.existed) unlink(target.c_str());
    WriteBytes(temp, "new");
    {
      ScriptedMoves moves(c.replace, c.failing_moves);
      EXPECT_EQ(PutFileInPlace(temp.c_str(), target.c_str(), c.existed ? &before : nullptr), c.result);
    }
    std::map<std::string, std::string> files = Files(dir.File(""));
    for (auto& f : files)
      if (f.first.find("~orvinale-save-") == 0) {
        files["backup"] = f.second;
        files.erase(f.first);
        break;
      }
    EXPECT_EQ(files, c.files);
  }
}

struct Fixture {
  TempDir dir;
  ScriptedUi ui;
  AppState app;
  Fixture() { app.ui = &ui; }
  std::string Make(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
};

// A save whose text ended up only in the temporary file names that file; a
// failure that left nothing behind names none.
TEST(SaveReport, ATextLeftInTheTemporaryFileIsNamed) {
  Fixture f;
  ASSERT_TRUE(OpenOrActivate(&f.app, f.Make("a.txt", "old\n")));
  GetCurrentDocument(f.app)->eol_style = 1;
  f.ui.answers = {""};
  {
    ScriptedMoves moves(ScriptedMoves::kOriginalAway, 2);  // neither file goes back
    SaveCurrent(&f.app);  // then the Save as dialog, cancelled
  }
  ASSERT_EQ(f.ui.kept.size(), 1u);
  const std::string kept = f.ui.kept[0];
  EXPECT_EQ(kept.compare(0, f.dir.File("").size(), f.dir.File("")), 0) << kept;
  EXPECT_EQ(ReadBytes(kept), "old\r\n");
  EXPECT_EQ(f.ui.dialogs, 1);
  GetCurrentDocument(f.app)->eol_style = 2;
  f.ui.answers = {f.dir.File("b.txt")};
  {
    ScriptedMoves moves(ScriptedMoves::kNothingMoved, 1);
    SaveCurrentAs(&f.app);
  }
  EXPECT_EQ(f.ui.kept, (std::vector<std::string>{kept, ""}));
  EXPECT_FALSE(FileExists(f.dir.File("b.txt")));
  EXPECT_TRUE(f.ui.too_large.empty());
}

// A file of 16 MiB - 1 bytes opens; saves that make it 16 MiB or more are
// done but reported, and such a file does not open again.
TEST(SaveReport, ASavedFileTooLargeToOpenAgainIsReported) {
  Fixture f;
  std::string almost(kMaxFileSize - 1, 'x');
  for (size_t i = 99; i < almost.size(); i += 100) almost[i] = '\n';
  almost.back() = '\n';
  const std::string big = f.Make("big.txt", almost), copy = f.dir.File("copy.txt");
  ASSERT_TRUE(OpenOrActivate(&f.app, big));
  SaveCurrent(&f.app);  // still one byte under the limit
  EXPECT_TRUE(f.ui.too_large.empty());
  EXPECT_EQ(f.app.documents.entries[0].file.id_low, KeyForName(big).id_low) << "the saved file's identity";
  InsertText(GetCurrentDocument(f.app), "x", 1);
  SaveCurrent(&f.app);  // at the limit
  GetCurrentDocument(f.app)->eol_style = 1;  // CR LF grows it far past the limit
  f.ui.answers = {copy};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(f.ui.too_large, (std::vector<std::string>{big, copy}));
  EXPECT_GT(ReadBytes(copy).size(), static_cast<size_t>(kMaxFileSize));
  ASSERT_TRUE(OpenOrActivate(&f.app, f.Make("small.txt", "small\n")));
  SaveAll(&f.app);
  EXPECT_EQ(f.ui.too_large, (std::vector<std::string>{big, copy, copy})) << "only the large one again";
  EXPECT_FALSE(OpenOrActivate(&f.app, big));
  Activate(&f.app, copy);
  EXPECT_FALSE(ReopenCurrent(&f.app));
  EXPECT_TRUE(IsRegistered(f.app.documents, copy)) << "a refused reload keeps the document";
  EXPECT_TRUE(f.ui.kept.empty());
}

}  // namespace

namespace {

// One file, one document: each of its names finds it, and Save as onto any
// of them replaces it. A refused open names the file and its own reason
// (with the line where that is cheap); an empty file opens, with the
// preference's line ends.
TEST(OpenOrActivate, OneDocumentPerFileAndEveryRefusalSaysWhy) {
  Fixture f;
  const std::string file = f.Make("a.txt", "one\n"), at = f.dir.File("");
  ASSERT_TRUE(CreateDirectoryUtf8((at + "sub").c_str()) && truncate(f.Make("big.txt", "").c_str(), kMaxFileSize) == 0);
  ASSERT_TRUE(symlink(file.c_str(), (at + "link.txt").c_str()) == 0 && link(file.c_str(), (at + "sub/h.txt").c_str()) == 0);
  for (const std::string& name : {file, at + "./sub/../a.txt", at + "link.txt", at + "sub/h.txt", std::string("h.txt")}) {
    InFolder in(at + "sub");
    EXPECT_TRUE(OpenOrActivate(&f.app, name)) << name;
  }
  NewDocument(&f.app);
  InsertText(GetCurrentDocument(f.app), "two\n", 4);
  f.ui.answers = {at + "link.txt"};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(ReadBytes(file), "two\r\n") << "written through the link, in the preference's CR LF";
  ASSERT_EQ(DocumentCount(f.app.documents), 1) << "the document that held the file is replaced";
  EXPECT_EQ(f.app.current_path, KeyForName(file).name);
  using R = LoadRefusal;
  const std::tuple<std::string, LoadRefusal, int64_t> rows[] = {
      {at + "gone.txt", R::kNotFound, 0}, {at + "gone/x.txt", R::kNotFound, 0}, {at + "sub", R::kFolder, 0},
      {"/dev/null", R::kDevice, 0}, {at + "big.txt", R::kTooLarge, 0},
      {f.Make("latin1.txt", "ok\r\nok\r\n\xE9t\r\nok"), R::kNotUtf8, 3},
      {f.Make("nul.txt", std::string("a\nb\0c\n", 6)), R::kNulByte, 2}};
  std::set<std::string> reasons;
  for (const auto& [path, refusal, line] : rows) {
    EXPECT_FALSE(OpenOrActivate(&f.app, path)) << path;
    ASSERT_FALSE(f.ui.refusals.empty());
    const auto& [told, outcome] = f.ui.refusals.back();
    EXPECT_TRUE(told == path && outcome.refusal == refusal && outcome.line == line)
        << path << ": " << static_cast<int>(outcome.refusal) << " at " << outcome.line;
    const std::string text = OpenRefusalText(told, outcome, "");
    reasons.insert(text.find(path) != std::string::npos ? text.substr(text.find(path) + path.size()) : text);
  }
  EXPECT_EQ(reasons.size(), 6u) << "one reason per kind, after the file's name";
  ASSERT_TRUE(OpenOrActivate(&f.app, f.Make("empty.txt", "")) && DocumentCount(f.app.documents) == 2);
  InsertText(GetCurrentDocument(f.app), "typed\n", 6);
  SaveCurrent(&f.app);
  EXPECT_EQ(ReadBytes(at + "empty.txt"), "typed\r\n");
  EXPECT_TRUE(rename((at + "empty.txt").c_str(), (at + "moved.txt").c_str()) == 0 && OpenOrActivate(&f.app, at + "moved.txt") && DocumentCount(f.app.documents) == 3) << "renamed away: its new name is another document";
  ASSERT_TRUE(link(f.Make("p.txt", "p\n").c_str(), (at + "q.txt").c_str()) == 0 && OpenOrActivate(&f.app, at + "p.txt"));
  NewDocument(&f.app);
  f.ui.answers = {at + "q.txt"};
  SaveCurrentAs(&f.app);
  EXPECT_EQ(DocumentCount(f.app.documents), 5) << "saved onto a hard link: the other name keeps the old file, and its document";
  DocumentRegistry twice;  // one name held by two documents is damage the checker names
  for (int i = 0; i < 2; ++i) twice.entries.push_back({"a", NameOnlyKey("a"), OwnedDocument(CreateDocument())});
  std::string why;
  EXPECT_TRUE(!CheckInvariants(twice, &why) && why == "keys out of order at 1") << why;
}

}  // namespace
