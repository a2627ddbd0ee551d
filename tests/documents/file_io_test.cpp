#include <sys/stat.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "documents/file_reader.h"
#include "documents/file_writer.h"
#include "documents/utf8_fs.h"
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
    if (bytes_->size() < static_cast<size_t>(position + count))
      bytes_->resize(static_cast<size_t>(position + count));
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

// Writes of every size, from many small ones to ones of several buffers,
// reach the target whole, in order, and no call passes 256 KiB.
TEST(FileWriter, AnyWriteSizesReachTheTargetInWholeBuffers) {
  std::mt19937 rng(7);
  for (int32_t max_piece : {7, 5000, 9000, 300000}) {
    std::vector<WriteCall> calls;
    std::string bytes, data = Pattern(700000);
    {
      FileWriter w(std::unique_ptr<WriteTarget>(new RecordingTarget(&calls, &bytes, 0)));
      ASSERT_TRUE(w.IsOpen());
      for (size_t at = 0; at < data.size();) {
        size_t n = std::min<size_t>(1 + rng() % max_piece, data.size() - at);
        EXPECT_EQ(w.Write(data.data() + at, static_cast<int64_t>(n)), static_cast<int64_t>(n));
        at += n;
      }
      EXPECT_EQ(w.Write("x", 0), 0);
      if (max_piece != 9000) {  // else the destructor flushes
        EXPECT_TRUE(w.Flush(true));
        EXPECT_EQ(w.End(), static_cast<int64_t>(data.size()));
      }
      EXPECT_FALSE(w.Failed());
    }
    EXPECT_EQ(bytes, data) << max_piece;
    int64_t next = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].position, next);
      EXPECT_LE(calls[i].count, 262144);
      if (i + 1 < calls.size()) EXPECT_EQ(calls[i].count % 8192, 0) << max_piece;
      next += calls[i].count;
    }
  }
  // Small writes wait for a full buffer.
  std::vector<WriteCall> calls;
  std::string bytes;
  FileWriter w(std::unique_ptr<WriteTarget>(new RecordingTarget(&calls, &bytes, 0)));
  EXPECT_EQ(w.Write("abc", 3), 3);
  EXPECT_TRUE(calls.empty());
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
  EXPECT_FALSE(none.IsOpen());
  EXPECT_EQ(none.Write("x", 1), 0);
  EXPECT_FALSE(none.Flush(true));
}

TEST(FileWriter, PlatformFiles) {
  TempDir dir;
  std::string path = dir.File("out.bin");
  std::string data = Pattern(20000);
  {
    FileWriter w(path.c_str());
    ASSERT_TRUE(w.IsOpen());
    w.Write(data.data(), 20000);
    EXPECT_TRUE(w.SyncToDisk());
  }
  EXPECT_EQ(ReadBytes(path), data);
  {
    FileWriter w(path.c_str());  // truncates
    EXPECT_EQ(w.Write("", 0), 0);
  }
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadBytes(path), "");
  WriteBytes(path, "keep");
  {
    FileWriter w(path.c_str(), CreateMode::kCreateNew);
    EXPECT_FALSE(w.IsOpen());
  }
  EXPECT_EQ(ReadBytes(path), "keep");
  FileWriter missing_dir(dir.File("no/such/file").c_str());
  EXPECT_FALSE(missing_dir.IsOpen());
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
  std::string big = Pattern(70000);
  WriteBytes(dir.File("big"), big);
  FileReader whole(dir.File("big").c_str());
  std::string all(80000, 0);
  EXPECT_EQ(whole.Read(&all[0], 80000), 70000);  // cut to the size
  all.resize(70000);
  EXPECT_EQ(all, big);

  FileReader missing(dir.File("missing").c_str());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.GetSize(), 0);
  char c;
  EXPECT_EQ(missing.Read(&c, 1), 0);
  FileReader folder(dir.File("").c_str());
  EXPECT_FALSE(folder.IsOpen());
}

TEST(Utf8Fs, StatReplaceRemove) {
  TempDir dir;
  std::string a = dir.File("a.txt"), b = dir.File("b.txt");
  WriteBytes(a, "new");
  WriteBytes(b, "old");
  ASSERT_EQ(chmod(b.c_str(), 0640), 0);
  FileStatus st;
  ASSERT_TRUE(StatUtf8(a.c_str(), &st));
  EXPECT_EQ(st.size, 3);
  EXPECT_TRUE(st.is_regular);
  EXPECT_FALSE(st.is_directory);
  EXPECT_FALSE(StatUtf8(dir.File("none").c_str(), &st));
  ASSERT_TRUE(StatUtf8(dir.File("").c_str(), &st));
  EXPECT_TRUE(st.is_directory);

  const std::string backup = dir.File("backup");
  EXPECT_EQ(ReplaceFileUtf8(a.c_str(), b.c_str(), backup.c_str()), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadBytes(b), "new");
  EXPECT_FALSE(FileExists(a));
  struct stat mode;
  ASSERT_EQ(stat(b.c_str(), &mode), 0);
  EXPECT_EQ(mode.st_mode & 0777, 0640u);  // the target's permissions stay

  // A missing target is created; a read-only one is left alone.
  WriteBytes(a, "x");
  EXPECT_EQ(ReplaceFileUtf8(a.c_str(), dir.File("c.txt").c_str(), backup.c_str()),
            ReplaceResult::kReplaced);
  EXPECT_EQ(ReadBytes(dir.File("c.txt")), "x");
  WriteBytes(a, "y");
  ASSERT_EQ(chmod(b.c_str(), 0444), 0);
  EXPECT_EQ(ReplaceFileUtf8(a.c_str(), b.c_str(), backup.c_str()), ReplaceResult::kNotReplaced);
  EXPECT_EQ(ReadBytes(b), "new");
  EXPECT_TRUE(FileExists(a));

  EXPECT_FALSE(MoveFileUtf8(a.c_str(), nullptr));
  EXPECT_TRUE(RemoveFileUtf8(a.c_str()));
  EXPECT_FALSE(RemoveFileUtf8(a.c_str()));
  EXPECT_TRUE(CreateDirectoryUtf8(dir.File("sub").c_str()));
  EXPECT_FALSE(CreateDirectoryUtf8(dir.File("sub").c_str()));
  FILE* f = OpenStreamUtf8(dir.File("sub/s.txt").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("s", f);
  std::fclose(f);
  EXPECT_EQ(ReadBytes(dir.File("sub/s.txt")), "s");
  EXPECT_EQ(OpenStreamUtf8(dir.File("none").c_str(), "rb"), nullptr);
}
