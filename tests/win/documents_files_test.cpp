// The file layer, load and save through the Windows halves, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "documents/document_io.h"
#include "documents/file_reader.h"
#include "documents/file_writer.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/document.h"
#include "engine/utf8_win32.h"
#include "tests/win/win_links.h"
#include "tests/win/win_temp_dir.h"

namespace {

std::string Pattern(size_t n) {
  std::string s(n, 0);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 8192) % 26);
  return s;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  FileWriter w(path.c_str());
  if (!w.IsOpen()) return false;
  w.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  return w.Flush(true);
}

std::string ReadAll(const std::string& path) {
  FileReader r(path.c_str());
  std::string out(static_cast<size_t>(r.GetSize()), 0);
  out.resize(static_cast<size_t>(r.Read(&out[0], static_cast<int64_t>(out.size()))));
  return out;
}

struct DocDeleter {
  void operator()(Document* d) const { DestroyDocument(d); }
};
using DocPtr = std::unique_ptr<Document, DocDeleter>;

DocPtr Load(const std::string& path) {
  DocPtr doc(CreateDocument());
  if (doc == nullptr || !LoadDocument(doc.get(), path.c_str())) return nullptr;
  return doc;
}

}  // namespace

TEST(DocumentsWinFiles, ReaderAndWriterRoundTrips) {
  WinTempDir dir;
  for (size_t size : {size_t(0), size_t(1), size_t(8192), size_t(20000), size_t(100001)}) {
    std::string path = dir.File("io" + std::to_string(size) + ".bin");
    std::string data = Pattern(size);
    ASSERT_TRUE(WriteAll(path, data)) << size;
    FileReader r(path.c_str());
    ASSERT_TRUE(r.IsOpen());
    EXPECT_EQ(r.GetSize(), static_cast<int64_t>(size));
    std::string got;
    char piece[3001];
    int64_t n;
    while ((n = r.Read(piece, sizeof(piece))) > 0) got.append(piece, static_cast<size_t>(n));
    EXPECT_EQ(got, data) << size;
    EXPECT_FALSE(r.ReadFailed());
  }
  FileWriter exclusive(dir.File("io1.bin").c_str(), CreateMode::kCreateNew);
  EXPECT_FALSE(exclusive.IsOpen());
  FileReader missing(dir.File("missing").c_str());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.GetSize(), 0);
}

TEST(DocumentsWinFiles, LoadSaveRoundTrips) {
  WinTempDir dir;
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"a\nb\n", "a\nb\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\rb\r"},
      {"a\nb", "a\nb\n"},
      {"\xEF\xBB\xBFx\r\n", "\xEF\xBB\xBFx\r\n"},
      {std::string(9000, 'w') + "\r\n", std::string(9000, 'w') + "\r\n"},
  };
  std::string path = dir.File("doc.txt");
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteAll(path, c.in));
    DocPtr doc = Load(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(SaveDocument(doc.get()));
    EXPECT_EQ(ReadAll(path), c.out);
  }
  ASSERT_TRUE(WriteAll(path, std::string("a\0b", 3)));
  EXPECT_EQ(Load(path), nullptr);
  ASSERT_TRUE(WriteAll(path, ""));
  EXPECT_EQ(Load(path), nullptr);
}

TEST(DocumentsWinFiles, LongNames) {
  WinTempDir dir;
  // Folders that take a name of 300 units or more, with forward slashes
  // that the prefix step turns into backslashes.
  std::string folder1 = dir.File(std::string(100, 'd'));
  std::string folder2 = folder1 + "/" + std::string(100, 'e');
  ASSERT_TRUE(CreateDirectoryUtf8(folder1.c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8(folder2.c_str()));
  std::string name = folder2 + "/" + std::string(300 - folder2.size() - 1 - 4, 'f') + ".txt";
  ASSERT_GE(name.size(), 300u);
  ASSERT_TRUE(WriteAll(name, "long\r\nname\r\n"));
  std::wstring wide;
  ASSERT_TRUE(WidePath(name.c_str(), &wide));
  EXPECT_EQ(wide.compare(0, 4, L"\\\\?\\"), 0);
  EXPECT_EQ(wide.find(L'/'), std::wstring::npos);
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);

  FileStatus st;
  ASSERT_TRUE(StatUtf8(name.c_str(), &st));
  EXPECT_EQ(st.size, 12);
  FILE* f = OpenStreamUtf8(name.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  DocPtr doc = Load(name);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->eol_style, 1u);
  doc->eol_style = 0;
  EXPECT_TRUE(SaveDocument(doc.get()));
  EXPECT_EQ(ReadAll(name), "long\nname\n");
  EXPECT_TRUE(RemoveFileUtf8(name.c_str()));
  EXPECT_FALSE(StatUtf8(name.c_str(), &st));
}

TEST(DocumentsWinFiles, NonAsciiNames) {
  WinTempDir dir;
  const char* names[] = {"\xCE\xB1\xCE\xB2\xCE\xB3.txt",              // Greek
                         "\xE6\x96\x87\xE5\xAD\x97.txt",              // CJK
                         "\xF0\x9F\x98\x80 smile.txt"};               // emoji
  for (const char* n : names) {
    std::string path = dir.File(n);
    ASSERT_TRUE(WriteAll(path, "\xCE\xBB\n")) << n;
    std::wstring wide;
    ASSERT_TRUE(Utf8ToWide(path.c_str(), &wide));
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES) << n;
    EXPECT_EQ(ReadAll(path), "\xCE\xBB\n");
    DocPtr doc = Load(path);
    ASSERT_NE(doc, nullptr) << n;
    std::string copy = path + ".copy";
    EXPECT_TRUE(SaveDocumentAs(doc.get(), copy.c_str()));
    EXPECT_EQ(ReadAll(copy), "\xCE\xBB\n");
    FileStatus st;
    EXPECT_TRUE(StatUtf8(copy.c_str(), &st));
  }
  std::string sub = dir.File("\xCE\xB4\xCE\xB5");
  EXPECT_TRUE(CreateDirectoryUtf8(sub.c_str()));
  char before[4096];
  GetCurrentDirectoryA(sizeof(before), before);
  EXPECT_TRUE(SetCurrentDirectoryUtf8(sub.c_str()));
  SetCurrentDirectoryA(before);
}

TEST(DocumentsWinFiles, FileHeldOpenForWriting) {
  WinTempDir dir;
  std::string path = dir.File("busy.txt");
  ASSERT_TRUE(WriteAll(path, "one\n"));
  std::wstring wide;
  ASSERT_TRUE(Utf8ToWide(path.c_str(), &wide));
  HANDLE other = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  {
    FileReader r(path.c_str());
    ASSERT_TRUE(r.IsOpen());
    EXPECT_TRUE(r.SizeMayChange());
    EXPECT_EQ(r.GetSize(), 4);
    SetFilePointer(other, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(other, "two\n", 4, &written, nullptr);
    EXPECT_EQ(r.GetSize(), 8);  // asked again
  }
  DocPtr doc = Load(path);
  ASSERT_NE(doc, nullptr);
  CloseHandle(other);
}

TEST(DocumentsWinFiles, ReadOnlyTargetIsKept) {
  WinTempDir dir;
  std::string path = dir.File("ro.txt");
  ASSERT_TRUE(WriteAll(path, "old\n"));
  DocPtr doc = Load(path);
  ASSERT_NE(doc, nullptr);
  std::wstring wide;
  ASSERT_TRUE(Utf8ToWide(path.c_str(), &wide));
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
  doc->eol_style = 1;
  EXPECT_FALSE(SaveDocument(doc.get()));
  EXPECT_EQ(ReadAll(path), "old\n");
  FileStatus st;
  ASSERT_TRUE(StatUtf8(path.c_str(), &st));
  EXPECT_TRUE(st.is_read_only);
  // No temporary file is left beside it.
  WIN32_FIND_DATAW found;
  std::wstring pattern;
  ASSERT_TRUE(Utf8ToWide(dir.File("*").c_str(), &pattern));
  HANDLE h = FindFirstFileW(pattern.c_str(), &found);
  int files = 0;
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  EXPECT_EQ(files, 1);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(SaveDocument(doc.get()));
  EXPECT_EQ(ReadAll(path), "old\r\n");
}

namespace {

std::vector<std::string> created_new;  // names opened for a new temporary file

std::unique_ptr<WriteTarget> RecordingOpener(const char* name, CreateMode mode) {
  if (mode == CreateMode::kCreateNew) created_new.push_back(name);
  return OpenPlatformWriteTarget(name, mode);
}

// The last folder name before the file name.
std::string FolderOf(const std::string& path) {
  size_t end = path.find_last_of("\\/");
  size_t start = path.find_last_of("\\/", end - 1);
  return path.substr(start + 1, end - start - 1);
}

}  // namespace

TEST(DocumentsWinFiles, SavesThroughLinksWriteWhatTheyLeadTo) {
  WinTempDir dir;
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("here").c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("other").c_str()));
  struct Link {
    const char* name;
    std::string target;  // relative to the link's folder, or a full name
    const char* opened;  // the name the document is opened under
    const char* file;    // the file it leads to
  } links[] = {
      {"here\\relative.txt", "a.txt", "here\\relative.txt", "here\\a.txt"},
      {"here\\absolute.txt", dir.File("here\\a.txt"), "here\\absolute.txt", "here\\a.txt"},
      {"here\\into-other.txt", "..\\other\\t.txt", "here\\into-other.txt", "other\\t.txt"},
      {"folder-link", "other", "folder-link\\t.txt", "other\\t.txt"},
  };
  for (const Link& link : links) {
    SCOPED_TRACE(link.opened);
    ASSERT_TRUE(WriteAll(dir.File(link.file), "x\n"));
    bool to_folder = std::string(link.name) == "folder-link";
    LinkCleanup links;
    ASSERT_TRUE(links.Make(dir.File(link.name), link.target, to_folder));
    DocPtr doc = Load(dir.File(link.opened));
    ASSERT_NE(doc, nullptr);
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
}
