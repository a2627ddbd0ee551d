// The file layer's Windows halves: long and non-ASCII names, files held open,
// links, folders listed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "documents/directory_listing.h"
#include "documents/document_io.h"
#include "documents/file_identity.h"
#include "documents/file_reader.h"
#include "documents/file_writer.h"
#include "documents/preferences_files.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/document.h"
#include "engine/utf8_win32.h"
#include "preferences/preferences.h"
#include "tests/documents/document_support.h"
#include "tests/documents/temp_dir.h"

namespace {

bool WriteAll(const std::string& path, const std::string& bytes) {
  FileWriter w(path.c_str());
  if (!w.IsOpen()) return false;
  w.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  return w.Flush(true);
}

// Read in pieces smaller than the file layer's buffer.
std::string ReadAll(const std::string& path) {
  FileReader r(path.c_str());
  std::string out;
  char piece[3001];
  for (int64_t n; (n = r.Read(piece, sizeof piece)) > 0;) out.append(piece, static_cast<size_t>(n));
  EXPECT_FALSE(r.ReadFailed());
  return out;
}

std::vector<std::string> created_new;  // names opened for a new temporary file

std::unique_ptr<WriteTarget> RecordingOpener(const char* name, CreateMode mode) {
  if (mode == CreateMode::kCreateNew) created_new.push_back(name);
  return OpenPlatformWriteTarget(name, mode);
}

std::string FolderOf(const std::string& path) {
  size_t end = path.find_last_of("\\/");
  size_t start = path.find_last_of("\\/", end - 1);
  return path.substr(start + 1, end - start - 1);
}

std::vector<std::string> Listed(const std::string& folder) {
  std::vector<std::string> names;
  bool ok = PlatformDirectoryLister()->List(folder, [&](const DirectoryEntry& e) {
    if (e.name != "." && e.name != "..")
      names.push_back(e.name + (e.is_link ? "@" : "") + (e.is_directory ? "/" : ""));
    return true;
  });
  std::sort(names.begin(), names.end());
  if (!ok) names.push_back("(failed)");
  return names;
}

}  // namespace

// Greek, CJK and emoji names, and paths past 260 units (the prefix itself is
// the native ApplyLongPathPrefix test's), through every call and the lister.
TEST(DocumentsWinFiles, LongAndNonAsciiNamesReachEveryCallAndComeBackListed) {
  TempDir dir;
  const std::string greek = dir.File("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC");
  ASSERT_TRUE(CreateDirectoryUtf8(greek.c_str()));
  std::string deep = greek;
  while (deep.size() < 320) ASSERT_TRUE(CreateDirectoryUtf8((deep += "\\" + std::string(40, 'd')).c_str()));
  const std::string a = "\xCE\xB1\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xBF.cpp", b = "\xE6\x96\x87.TXT";
  const std::string deep_file = deep + "\\\xF0\x9F\x98\x80 smile.h";
  for (const std::string& path : {greek + "\\" + a, greek + "\\" + b, greek + "\\README", deep_file}) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(WriteAll(path, "\xCE\xBB\r\n"));
    FileStatus st;
    ASSERT_TRUE(StatUtf8(path.c_str(), &st));
    EXPECT_EQ(st.size, 4);
    DocumentPtr doc = Load(path);
    ASSERT_NE(doc, nullptr);
    doc->eol_style = 0;
    EXPECT_TRUE(SaveDocument(doc.get()));
    EXPECT_EQ(ReadAll(path), "\xCE\xBB\n");
  }
  EXPECT_EQ(Listed(greek), (std::vector<std::string>{"README", std::string(40, 'd') + "/", a, b}));
  EXPECT_EQ(Listed(deep), (std::vector<std::string>{"\xF0\x9F\x98\x80 smile.h"})) << deep.size() << " bytes";
  EXPECT_EQ(Listed(greek + "\\missing"), (std::vector<std::string>{"(failed)"}));
  EXPECT_TRUE(RemoveFileUtf8(deep_file.c_str()));
  EXPECT_EQ(Listed(deep), std::vector<std::string>{});
  char before[4096];
  GetCurrentDirectoryA(sizeof before, before);
  EXPECT_TRUE(SetCurrentDirectoryUtf8(greek.c_str()));
  SetCurrentDirectoryA(before);
}

// Another program holds files open: one it writes is read as it grows; the user's preferences, held
// without sharing, a start neither reads nor replaces, and reads once they are free. (A read-only
// file is the cannot-be-saved story's.)
TEST(DocumentsWinFiles, FilesHeldByAnotherProgramAreReadAsTheyGrowOrLeftAlone) {
  TempDir dir;
  std::string path = dir.File("busy.txt");
  ASSERT_TRUE(WriteAll(path, "one\n"));
  HANDLE other = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  {
    FileReader r(path.c_str());
    EXPECT_TRUE(r.SizeMayChange());
    EXPECT_EQ(r.GetSize(), 4);
    SetFilePointer(other, 0, nullptr, FILE_END);
    WriteFile(other, "two\n", 4, &written, nullptr);
    EXPECT_EQ(r.GetSize(), 8) << "asked again";
  }
  EXPECT_NE(Load(path), nullptr);
  CloseHandle(other);
  WriteDefaultFiles(dir.File(""));
  Preferences p;
  HANDLE held = CreateFileW(WideText(dir.File("preferences.txt")).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  WriteFile(held, "{\"ruler\": 99}\n", 14, &written, nullptr);
  WriteDefaultFiles(dir.File(""));
  EXPECT_FALSE(LoadPreferences(&p, dir.File(""), false));
  CloseHandle(held);
  EXPECT_EQ(ReadAll(dir.File("preferences.txt")), "{\"ruler\": 99}\n");
  EXPECT_TRUE(LoadPreferences(&p, dir.File(""), false));
  EXPECT_EQ(GetRuler(&p), 99);
}

// A save through a link writes the file it leads to, with the temporary file
// beside that file, and leaves the link; the lister marks a folder reached
// through a link (which the scanner then leaves: the native FolderScan test's).
TEST(DocumentsWinFiles, SavesThroughLinksWriteWhatTheyLeadToAndTheListerMarksLinkedFolders) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("here").c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("other").c_str()));
  // The link, its target (relative to the link's folder, or a full name), the name the document is opened under, the
  // file it leads to, and whether that file is gone at the save (Wine then shows no such link at all).
  const struct { const char* name; std::string target; const char *opened, *file; bool missing = false; } links[] = {
      {"here\\relative.txt", "a.txt", "here\\relative.txt", "here\\a.txt"},
      {"here\\absolute.txt", dir.File("here\\a.txt"), "here\\absolute.txt", "here\\a.txt"},
      {"here\\into-other.txt", "..\\other\\t.txt", "here\\into-other.txt", "other\\t.txt"},
      {"folder-link", "other", "folder-link\\t.txt", "other\\t.txt"},
      {"here\\dangling.txt", "..\\other\\new.txt", "here\\dangling.txt", "other\\new.txt", true},
  };
  for (const auto& link : links) {
    SCOPED_TRACE(link.opened);
    ASSERT_TRUE(WriteAll(dir.File(link.file), "x\n"));
    ASSERT_TRUE(dir.MakeLink(dir.File(link.name), link.target));
    DocumentPtr doc = Load(dir.File(link.opened));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(!link.missing || RemoveFileUtf8(dir.File(link.file).c_str()));
    doc->eol_style = 2;
    created_new.clear();
    WriteTargetOpener previous = SetWriteTargetOpener(RecordingOpener);
    EXPECT_TRUE(SaveDocument(doc.get()));
    SetWriteTargetOpener(previous);
    EXPECT_EQ(ReadAll(dir.File(link.file)), "x\r");
    ASSERT_EQ(created_new.size(), 1u);
    EXPECT_EQ(FolderOf(created_new[0]), FolderOf(dir.File(link.file)))
        << "the temporary file goes beside the file itself: " << created_new[0];
    // Still a link: what the file holds now shows through it.
    ASSERT_TRUE(WriteAll(dir.File(link.file), "y\n"));
    EXPECT_EQ(ReadAll(dir.File(link.opened)), "y\n");
  }
  ASSERT_TRUE(dir.MakeLink(dir.File("here\\loop"), "."));
  EXPECT_EQ(Listed(dir.File("")), (std::vector<std::string>{"folder-link@/", "here/", "other/"}));
  EXPECT_EQ(Listed(dir.File("here")),
            (std::vector<std::string>{"a.txt", "absolute.txt", "dangling.txt", "into-other.txt", "loop@/", "relative.txt"}));
}

// Every spelling Windows resolves to one file gives a key of that file, with
// its one name as the file system spells it (a hard link is the same file
// under a name of its own); a name not on disk yet keeps the folder's
// spelling. A refused open says why, with the reasons only the system knows.
TEST(DocumentsWinFiles, EverySpellingOfOneFileResolvesToItsKeyAndRefusalsSayWhy) {
  TempDir dir;
  const std::string file = dir.File("Proj\\Notes 2026.txt");
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("Proj").c_str()) && WriteAll(file, "x\n"));
  ASSERT_TRUE(dir.MakeLink(dir.File("link.txt"), "Proj\\Notes 2026.txt") && dir.MakeLink(dir.File("to-proj"), "Proj"));
  ASSERT_TRUE(CreateHardLinkW(WideText(dir.File("hard.txt")).c_str(), WideText(file).c_str(), nullptr));
  FileKey want, key, fresh, later;
  ASSERT_TRUE(ResolveFileKey(file.c_str(), &want) && want.on_disk);
  wchar_t short_name[MAX_PATH] = {};
  GetShortPathNameW(WideText(file).c_str(), short_name, MAX_PATH);
  std::string upper = file, slashes = file, short_utf8;
  ASSERT_TRUE(WideToUtf8(short_name, &short_utf8) && short_utf8.find(' ') == std::string::npos) << short_utf8;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  char before[4096];
  GetCurrentDirectoryA(sizeof before, before);
  ASSERT_TRUE(SetCurrentDirectoryUtf8(dir.File("Proj").c_str()));
  for (const std::string& spelling :
       {file, upper, std::string("notes 2026.txt"), std::string(".\\NOTES 2026.TXT"), std::string("..\\proj\\notes 2026.txt"),
        slashes, dir.File("Proj\\\\.\\Notes 2026.txt"), "\\\\?\\" + file, file + ".", file + " . ", short_utf8,
        dir.File("link.txt"), dir.File("TO-PROJ\\notes 2026.txt"), dir.File("hard.txt")}) {
    ASSERT_TRUE(ResolveFileKey(spelling.c_str(), &key));
    EXPECT_TRUE(SameFile(key, want) && key.name == (spelling == dir.File("hard.txt") ? key.name : want.name))
        << spelling << " -> " << key.name << " | " << want.name;
  }
  ASSERT_TRUE(ResolveFileKey("NEW.txt .", &later) && ResolveFileKey(dir.File("PROJ\\new.txt").c_str(), &fresh));
  SetCurrentDirectoryA(before);
  EXPECT_TRUE(!later.on_disk && SameFile(later, fresh) && !SameFile(later, want));
  EXPECT_EQ(fresh.name, want.name.substr(0, want.name.size() - 14) + "new.txt");
  HANDLE held = CreateFileW(WideText(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const std::pair<std::string, LoadRefusal> rows[] = {
      {file, LoadRefusal::kInUse}, {"NUL", LoadRefusal::kDevice}, {dir.File("com1.txt"), LoadRefusal::kDevice},
      {dir.File(""), LoadRefusal::kFolder}, {dir.File("gone\\x.txt"), LoadRefusal::kNotFound}};
  for (const auto& row : rows) {
    DocumentPtr doc(CreateDocument());
    LoadOutcome outcome;
    EXPECT_FALSE(LoadDocument(doc.get(), KeyForName(row.first).name.c_str(), &outcome)) << row.first;
    EXPECT_EQ(outcome.refusal, row.second) << row.first << ": " << FileErrorText(outcome.error);
  }
  CloseHandle(held);
}
