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
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      position += n;
      count -= static_cast<int32_t>(n);
    }
    return true;
  }
  bool Finish() override { return true; }
  bool SyncToDisk() override { return fsync(fd_) == 0; }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<WriteTarget> OpenPlatformWriteTarget(const char* name, CreateMode mode) {
  if (name == nullptr) return nullptr;
  int flags = O_RDWR | O_CREAT | O_CLOEXEC |
              (mode == CreateMode::kCreateNew ? O_EXCL : O_TRUNC);
  int fd = open(name, flags, 0666);
  if (fd < 0) return nullptr;
  return std::unique_ptr<WriteTarget>(new PosixWriteTarget(fd));
}
