#include "documents/file_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

FileReader::FileReader(const char* name, int mode, int32_t buffer_size) {
  buffer_size = std::max(buffer_size, kReadBufferUnit);
  buffer_size_ = (buffer_size + kReadBufferUnit - 1) / kReadBufferUnit * kReadBufferUnit;
  if (name == nullptr) return;
  source_ = OpenPlatformReadSource(name, mode, &size_may_change_);
  if (source_ == nullptr) return;
  int64_t size = source_->QuerySize();
  size_ = std::max<int64_t>(size, 0);
  int64_t window_size = static_cast<int64_t>(kReadAheadBuffers) * buffer_size_;
  block_.reset(new (std::nothrow) char[window_size + kReadBufferUnit - 1]);
  if (block_ == nullptr) {
    source_.reset();
    size_ = 0;
    return;
  }
  uintptr_t at = reinterpret_cast<uintptr_t>(block_.get());
  window_ = block_.get() + ((kReadBufferUnit - at % kReadBufferUnit) % kReadBufferUnit);
}

int64_t FileReader::GetSize() {
  if (source_ != nullptr && size_may_change_) {
    int64_t size = source_->QuerySize();
    size_ = std::max<int64_t>(size, 0);
  }
  return size_;
}

// Reads the buffers that start at the current position rounded down to
// 8,192 bytes, as unbuffered reads require.
bool FileReader::FillWindow() {
  window_position_ = position_ / kReadBufferUnit * kReadBufferUnit;
  window_bytes_ = 0;
  for (int i = 0; i < kReadAheadBuffers; ++i) {
    int32_t n = source_->ReadAt(window_position_ + window_bytes_, window_ + window_bytes_,
                                buffer_size_);
    if (n < 0 || (n == 0 && i == 0)) return false;
    window_bytes_ += n;
    if (n < buffer_size_) break;  // the end of the file
  }
  return true;
}

int64_t FileReader::Read(void* dest, int64_t count) {
  if (source_ == nullptr || dest == nullptr) return 0;
  int64_t size = GetSize();
  count = std::min(count, size - position_);
  char* to = static_cast<char*>(dest);
  int64_t copied = 0;
  while (copied < count) {
    bool covered = position_ >= window_position_ &&
                   position_ < window_position_ + window_bytes_;
    if (!covered) {
      if (read_failed_ || !FillWindow()) {
        read_failed_ = true;
        window_bytes_ = 0;
        break;
      }
      if (position_ >= window_position_ + window_bytes_) break;  // file shrank
    }
    int64_t offset = position_ - window_position_;
    int64_t n = std::min(window_bytes_ - offset, count - copied);
    std::memcpy(to + copied, window_ + offset, static_cast<size_t>(n));
    copied += n;
    position_ += n;
  }
  return copied;
}

bool ReadWholeFile(const char* name, std::unique_ptr<char[]>* bytes, int64_t* length) {
  FileReader reader(name, 1, kReadBufferUnit);
  if (!reader.IsOpen()) return false;
  int64_t size = reader.GetSize();
  std::unique_ptr<char[]> data(new (std::nothrow) char[size + 1]);
  if (data == nullptr) return false;
  int64_t got = reader.Read(data.get(), size);
  if (reader.ReadFailed()) return false;
  data[got] = 0;
  *bytes = std::move(data);
  *length = got;
  return true;
}
