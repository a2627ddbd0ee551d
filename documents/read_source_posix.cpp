// POSIX half of FileReader: positional reads on a plain descriptor.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/file_reader.h"

namespace {

class PosixReadSource : public ReadSource {
 public:
  explicit PosixReadSource(int fd) : fd_(fd) {}
  ~PosixReadSource() override { close(fd_); }

  int64_t QuerySize() override {
    struct stat st;
    if (fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
  }
  int32_t ReadAt(int64_t position, char* dest, int32_t count) override {
    int32_t total = 0;
    while (total < count) {
      ssize_t n = pread(fd_, dest + total, static_cast<size_t>(count - total),
                        static_cast<off_t>(position + total));
      if (n < 0) return -1;  // signals do not interrupt regular files
      if (n == 0) break;
      total += static_cast<int32_t>(n);
    }
    return total;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<ReadSource> OpenPlatformReadSource(const char* name, int mode,
                                                   bool* size_may_change) {
  *size_may_change = false;
  if (name == nullptr) return nullptr;
  int fd = open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<ReadSource>(new PosixReadSource(fd));
}
