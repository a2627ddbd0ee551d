#include <unistd.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "documents/file_reader.h"
#include "documents/file_writer.h"
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
      if (i + 1 < calls.size()) {
        EXPECT_EQ(calls[i].count % 8192, 0) << max_piece;
      }
      next += calls[i].count;
    }
  }
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
  EXPECT_FALSE(FileWriter(path.c_str(), CreateMode::kCreateNew).IsOpen());
  EXPECT_EQ(ReadBytes(path), data);
  { FileWriter truncating(path.c_str()); }
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(FileWriter(dir.File("no/such/file").c_str()).IsOpen());
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
