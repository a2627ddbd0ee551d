#pragma once
// FileWriter: collects output in 8,192-byte buffers and hands each full
// buffer to the platform as one write at its file position; whole buffers
// of a large write go to the platform directly, up to 256 KiB at a time,
// so that a big file takes few calls and no extra copy. Unlike the
// platform's bare calls it remembers every failed or short write, so a
// caller can tell a complete file from a damaged one.
#include <cstdint>
#include <memory>

constexpr int32_t kWriteBufferSize = 8192;
constexpr int32_t kMaxDirectWrite = 256 * 1024;  // a multiple of kWriteBufferSize

enum class CreateMode {
  kCreateAlways,  // create, or truncate an existing file
  kCreateNew,     // create; fail when the name exists
  kOpenAlways,    // open, or create when missing; never truncate. Like
                  // any open it follows a link, so a link whose file is
                  // missing gets that file.
};

// The platform file behind a FileWriter.
class WriteTarget {
 public:
  virtual ~WriteTarget() = default;
  // Each call that returns false leaves the reason as the thread's last
  // file error (LastFileError).
  // Writes count bytes (at most kMaxDirectWrite) at position; false on an
  // error or a short write. The data may be reused once the call returns.
  virtual bool WriteAt(int64_t position, const char* data, int32_t count) = 0;
  // Waits for writes in flight; false when any of them failed.
  virtual bool Finish() = 0;
  // Asks the platform to put the written bytes on the disk.
  virtual bool SyncToDisk() = 0;
};

// Opens the platform file (posix or win32 half); null when it cannot.
std::unique_ptr<WriteTarget> OpenPlatformWriteTarget(const char* name, CreateMode mode);

// Test seam: every FileWriter opened by name goes through this function.
// Returns the previous opener; passing null restores the platform opener.
using WriteTargetOpener = std::unique_ptr<WriteTarget> (*)(const char* name, CreateMode mode);
WriteTargetOpener SetWriteTargetOpener(WriteTargetOpener opener);

// Invariants: 0 <= used_ <= kWriteBufferSize; position_ is where the buffer's
// first byte goes; end_ >= position_ is the highest position handed to the
// target; failed_ never goes back to false, and error_ keeps the code of
// the first failure.
class FileWriter {
 public:
  // A null name gives a writer with no file.
  explicit FileWriter(const char* name, CreateMode mode = CreateMode::kCreateAlways);
  explicit FileWriter(std::unique_ptr<WriteTarget> target);
  ~FileWriter();  // flushes all when open
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  bool IsOpen() const { return target_ != nullptr; }
  // Accepts the bytes into buffers; returns how many were accepted (0 when
  // not open). Not a confirmation that they reached the disk.
  int64_t Write(const void* data, int64_t count);
  // With `all`, writes out the partly filled buffer too and waits for every
  // write; returns false when any write so far failed.
  bool Flush(bool all);
  // Flush(all) and then the platform's flush to disk.
  bool SyncToDisk();
  // True once any write, flush or sync failed.
  bool Failed() const { return failed_; }
  // The platform's code of the first failure, the open's included (see
  // LastFileError); 0 when there was none or it left no code.
  int Error() const { return error_; }
  int64_t End() const { return end_; }

 private:
  void Issue(const char* data, int32_t count);
  void IssueBuffer();
  void Fail();

  std::unique_ptr<WriteTarget> target_;
  std::unique_ptr<char[]> block_;  // holds the 4,096-aligned buffer
  char* buffer_ = nullptr;
  int32_t used_ = 0;
  int64_t position_ = 0;
  int64_t end_ = 0;
  bool failed_ = false;
  int error_ = 0;
};
