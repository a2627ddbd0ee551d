// POSIX half of FileWriter: positional writes on a plain descriptor.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "documents/file_writer.h"

namespace {

class PosixWriteTarget : public WriteTarget {
 public:
  explicit PosixWriteTarget(int fd) : fd_(fd) {}
  ~PosixWriteTarget() override { close(fd_); }

  bool WriteAt(int64_t position, const char* data, int32_t count) override {
    while (count > 0) {
      ssize_t n = pwrite(fd_, data, static_cast<size_t>(count), static_cast<off_t>(position));
      if (n <= 0) {  // signals do not interrupt regular files
        if (n == 0) errno = ENOSPC;  // the disk took nothing more
        return false;
      }
      data += n;
      position += n;
      count -= static_cast<int32_t>(n);
    }
    StartWriteBack(position);
    return true;
  }
  bool Finish() override { return true; }
  bool SyncToDisk() override { return fsync(fd_) == 0; }

 private:
  // Every 2 MiB written are handed to the disk at once (Linux), so that a
  // large file goes out while the rest of it is still being written and
  // the flush at the end of a save has less to wait for.
  void StartWriteBack(int64_t end) {
#ifdef SYNC_FILE_RANGE_WRITE
    constexpr int64_t kStep = 2 << 20;
    if (end - started_ < kStep) return;
    sync_file_range(fd_, started_, end - started_, SYNC_FILE_RANGE_WRITE);
    started_ = end;
#else
    (void)end;
#endif
  }

  int fd_;
  int64_t started_ = 0;  // writing back has been started below this
};

}  // namespace

std::unique_ptr<WriteTarget> OpenPlatformWriteTarget(const char* name, CreateMode mode) {
  if (name == nullptr) return nullptr;
  int flags = O_RDWR | O_CREAT | O_CLOEXEC |
              (mode == CreateMode::kCreateNew ? O_EXCL
               : mode == CreateMode::kCreateAlways ? O_TRUNC : 0);
  int fd = open(name, flags, 0666);
  if (fd < 0) return nullptr;
  return std::unique_ptr<WriteTarget>(new PosixWriteTarget(fd));
}
