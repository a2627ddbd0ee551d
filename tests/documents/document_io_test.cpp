#include "documents/document_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "documents/file_placement.h"
#include "documents/file_reader.h"
#include "documents/file_writer.h"
#include "documents/text_decoder.h"
#include "documents/text_encoder.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "tests/documents/document_support.h"
#include "tests/documents/temp_dir.h"

namespace {

struct WriteCall {
  int64_t position;
  int32_t count;
};

// Records what a FileWriter hands to the platform; can refuse a write.
class RecordingTarget : public WriteTarget {
 public:
  RecordingTarget(std::vector<WriteCall>* calls, std::string* bytes, int fail_call)
      : calls_(calls), bytes_(bytes), fail_call_(fail_call) {}
  bool WriteAt(int64_t position, const char* data, int32_t count) override {
    calls_->push_back({position, count});
    if (static_cast<int>(calls_->size()) == fail_call_) return false;
    bytes_->resize(std::max(bytes_->size(), static_cast<size_t>(position + count)));
    bytes_->replace(static_cast<size_t>(position), static_cast<size_t>(count), data,
                    static_cast<size_t>(count));
    return true;
  }
  bool Finish() override { return true; }
  bool SyncToDisk() override { return true; }

 private:
  std::vector<WriteCall>* calls_;
  std::string* bytes_;
  int fail_call_;
};

std::string Pattern(size_t n) {
  std::string s(n, 0);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 8192) % 26);
  return s;
}

}  // namespace

TEST(DocumentIo, TabsThatWouldPassTheLimitAreRefusedBeforeTheTextGrows) {
  TempDir dir;
  // 300,000 tabs of 4,000 spaces would make 1.2 GB of text.
  WriteBytes(dir.File("tabs.txt"), std::string(300000, '\t') + "\n");
  DocumentPtr doc(CreateDocument());
  doc->tab_size = 4000;
  EXPECT_FALSE(LoadDocument(doc.get(), dir.File("tabs.txt").c_str()));
  EXPECT_LT(doc->text.capacity, 300000) << "the refusal costs no more than the file";
  // With a few tabs the same tab size loads, each tab whole.
  std::string lines;
  while (lines.size() < (1 << 20)) lines += "x\ty\n" + std::string(4000, 'w') + "\n";
  lines.resize(1 << 20);
  lines += "\tz\n";
  WriteBytes(dir.File("few.txt"), lines);
  std::string expected;
  for (char c : lines) expected += c == '\t' ? std::string(4000, ' ') : std::string(1, c);
  doc = Load(dir.File("few.txt"), 4000);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(Content(*doc), expected);
  EXPECT_TRUE(!doc->gap.gap_closed && doc->gap.gap_start == 0) << "the typing gap opens at 0";
  const int64_t tabs = std::count(lines.begin(), lines.end(), '\t');
  EXPECT_EQ(DecodedSizeBound(lines.size(), tabs, 4000), int64_t(expected.size()) + 1) << "the room is exact";
  // Without a tab nothing grows, whatever the tab size.
  WriteBytes(dir.File("plain.txt"), std::string(1 << 20, 'p'));
  EXPECT_NE(Load(dir.File("plain.txt"), 4000), nullptr);
}

// Temporary names taken by other files are passed over, 63 of them; 64 in
// a row make the save give up and leave the file as it was.
TEST(DocumentIo, ASaveGivesUpAfter64TakenTemporaryNames) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  WriteBytes(path, "old\n");
  DocumentPtr doc = Load(path);
  ASSERT_NE(doc, nullptr);
  char name[512];
  for (int taken : {63, 64}) {
    const std::string probe = NextTemporarySaveName(path.c_str());
    const int next = std::atoi(probe.c_str() + probe.rfind('-') + 1) + 1;
    for (int n = next; n < next + taken; ++n) {
      TemporarySaveName(path.c_str(), n, name, sizeof(name));
      WriteBytes(name, "");
    }
    doc->eol_style = taken == 63 ? 1 : 2;
    EXPECT_EQ(SaveDocument(doc.get()), taken == 63) << taken;
    EXPECT_EQ(ReadBytes(path), "old\r\n") << taken;
  }
  EXPECT_FALSE(SaveDocumentAs(doc.get(), "") || SaveDocumentAs(doc.get(), nullptr));
}
TEST(DocumentIo, SavesThroughLinksWriteWhatTheyLeadTo) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("here").c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8(dir.File("other").c_str()));
  EXPECT_FALSE(CreateDirectoryUtf8(dir.File("other").c_str())) << "it is there already";
  FileStatus status;
  EXPECT_FALSE(CreateDirectoryUtf8(nullptr) || StatUtf8(nullptr, &status) ||
               StatUtf8(dir.File("here").c_str(), nullptr));
  WriteBytes(dir.File("m.txt"), "m");
  EXPECT_TRUE(MoveFileUtf8(dir.File("m.txt").c_str(), dir.File("here/m.txt").c_str()));
  EXPECT_FALSE(MoveFileUtf8(dir.File("m.txt").c_str(), dir.File("here/n.txt").c_str()));
  const std::string moved = dir.File("here/m.txt");
  EXPECT_TRUE(RemoveFileUtf8(moved.c_str()) && !RemoveFileUtf8(moved.c_str())) << "removed once";
  struct Link {
    const char* name;
    std::string text;    // the link's own text
    const char* opened;  // the name the document is opened under
    const char* file;    // the file it leads to
    bool missing = false;  // removed before the save: the save makes it again
  } links[] = {
      {"here/relative.txt", "a.txt", "here/relative.txt", "here/a.txt"},
      {"here/absolute.txt", dir.File("here/a.txt"), "here/absolute.txt", "here/a.txt"},
      {"here/into-other.txt", "../other/t.txt", "here/into-other.txt", "other/t.txt"},
      {"folder-link", "other", "folder-link/t.txt", "other/t.txt"},
      {"here/dangling.txt", "../other/new.txt", "here/dangling.txt", "other/new.txt", true},
  };
  struct stat st;
  for (const Link& link : links) {
    SCOPED_TRACE(link.opened);
    WriteBytes(dir.File(link.file), "x\n");
    ASSERT_EQ(symlink(link.text.c_str(), dir.File(link.name).c_str()), 0);
    DocumentPtr doc = Load(dir.File(link.opened));
    ASSERT_NE(doc, nullptr);
    if (link.missing) unlink(dir.File(link.file).c_str());
    doc->eol_style = 2;
    EXPECT_TRUE(SaveDocument(doc.get()));
    EXPECT_EQ(ReadBytes(dir.File(link.file)), "x\r");
    ASSERT_EQ(lstat(dir.File(link.name).c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link stays a link";
    EXPECT_STREQ(StringData(doc->path), dir.File(link.opened).c_str());
    ASSERT_EQ(unlink(dir.File(link.name).c_str()), 0);
  }
  // Without the linked file's folder nothing is written and the link stays.
  ASSERT_EQ(symlink("gone/x.txt", dir.File("here/nowhere.txt").c_str()), 0);
  SaveOutcome outcome;
  EXPECT_FALSE(SaveDocumentAs(Load(dir.File("here/a.txt")).get(), dir.File("here/nowhere.txt").c_str(), &outcome));
  EXPECT_TRUE(outcome.error == ENOENT && lstat(dir.File("here/nowhere.txt").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
}

TEST(FileWriter, ARefusedWriteIsRememberedByEveryLaterFlush) {
  std::vector<WriteCall> calls;
  std::string bytes, data = Pattern(30000);
  FileWriter w(std::unique_ptr<WriteTarget>(new RecordingTarget(&calls, &bytes, 1)));
  w.Write(data.data(), 30000);
  EXPECT_TRUE(w.Failed());
  EXPECT_FALSE(w.Flush(true));
  EXPECT_FALSE(w.SyncToDisk());
  FileWriter none(nullptr);
  EXPECT_FALSE(none.IsOpen() || none.Flush(true));
  EXPECT_EQ(none.Write("x", 1), 0);
  if (access("/dev/full", W_OK) != 0) return;
  FileWriter full("/dev/full");  // a disk without room: the platform refuses the write
  full.Write(data.data(), 30000);
  EXPECT_TRUE(full.IsOpen() && full.Failed());
}

TEST(FileReader, ReadsAcrossBuffersAndBeyondTheReadAhead) {
  TempDir dir;
  for (size_t size : {size_t(0), size_t(1), size_t(8191), size_t(8192), size_t(8193),
                      size_t(4 * 8192 + 5), size_t(100000)}) {
    std::string path = dir.File("in" + std::to_string(size));
    std::string data = Pattern(size);
    WriteBytes(path, data);
    FileReader r(path.c_str());
    ASSERT_TRUE(r.IsOpen());
    EXPECT_EQ(r.GetSize(), static_cast<int64_t>(size));
    EXPECT_FALSE(r.SizeMayChange());
    // Odd-sized pieces cross every buffer boundary somewhere.
    std::string got;
    char piece[3001];
    int64_t n;
    while ((n = r.Read(piece, sizeof(piece))) > 0) got.append(piece, static_cast<size_t>(n));
    EXPECT_EQ(got, data) << size;
    EXPECT_EQ(r.Read(piece, 10), 0);
    EXPECT_FALSE(r.ReadFailed());
  }
  FileReader whole(dir.File("in100000").c_str());
  std::string all(120000, 0);
  EXPECT_EQ(whole.Read(&all[0], 120000), 100000);  // cut to the size
  // A file cut short under the reader: what is left, then a failure.
  FileReader cut(dir.File("in100000").c_str());
  ASSERT_EQ(truncate(dir.File("in100000").c_str(), 8192 * 5), 0);
  EXPECT_EQ(cut.Read(&all[0], 120000), 8192 * 5);
  EXPECT_TRUE(cut.ReadFailed());
  FileReader missing(dir.File("missing").c_str()), folder(dir.File("").c_str());
  EXPECT_FALSE(missing.IsOpen() || folder.IsOpen());
  EXPECT_EQ(missing.GetSize(), 0);
  EXPECT_EQ(missing.Read(&all[0], 1), 0);
}
