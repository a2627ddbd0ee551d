#pragma once
// FileReader: a sequential reader with read-ahead buffers, for whole small
// files and for learning a file's size.
#include <cstdint>
#include <memory>

constexpr int32_t kReadBufferUnit = 8192;
constexpr int32_t kReadAheadBuffers = 4;

// The platform file behind a FileReader.
class ReadSource {
 public:
  virtual ~ReadSource() = default;
  // The file's size now; negative when the platform cannot tell.
  virtual int64_t QuerySize() = 0;
  // Reads up to count bytes at position (a multiple of 8,192, count a
  // multiple of 8,192, dest aligned to 8,192). Returns the bytes read, 0 at
  // the end of the file, negative on an error.
  virtual int32_t ReadAt(int64_t position, char* dest, int32_t count) = 0;
};

// Opens the platform file for reading (posix or win32 half). When another
// program holds it open for writing it is opened with write sharing and
// *size_may_change is set. Null when it cannot be opened.
std::unique_ptr<ReadSource> OpenPlatformReadSource(const char* name, int mode,
                                                   bool* size_may_change);

// Invariants: the buffered window [window_position_, window_position_ +
// window_bytes_) holds the file's bytes there; 0 <= position_ <= size at
// every return of Read.
class FileReader {
 public:
  // mode 1 is the only mode this program uses (unbuffered); buffer_size is
  // rounded up to a multiple of 8,192.
  FileReader(const char* name, int mode = 1, int32_t buffer_size = kReadBufferUnit);
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool IsOpen() const { return source_ != nullptr; }
  // The size taken at open; asked again when the file may be changing.
  // 0 when the open failed or the platform reported an error.
  int64_t GetSize();
  // Copies up to count bytes from the current position; returns the number
  // copied (0 at the end, after a read error, or when the open failed).
  int64_t Read(void* dest, int64_t count);
  bool SizeMayChange() const { return size_may_change_; }
  bool ReadFailed() const { return read_failed_; }

 private:
  bool FillWindow();

  std::unique_ptr<ReadSource> source_;
  std::unique_ptr<char[]> block_;
  char* window_ = nullptr;  // kReadAheadBuffers buffers, 8,192-aligned
  int32_t buffer_size_ = kReadBufferUnit;
  int64_t window_position_ = 0;
  int32_t window_bytes_ = 0;
  int64_t position_ = 0;
  int64_t size_ = 0;
  bool size_may_change_ = false;
  bool read_failed_ = false;
};

// Reads a whole file through a FileReader; false when it cannot be opened
// or a read fails before its end.
bool ReadWholeFile(const char* name, std::unique_ptr<char[]>* bytes, int64_t* length);
