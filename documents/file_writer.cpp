#include "documents/file_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "documents/utf8_fs.h"

namespace {

WriteTargetOpener current_opener = nullptr;  // null: the platform opener

}  // namespace

WriteTargetOpener SetWriteTargetOpener(WriteTargetOpener opener) {
  WriteTargetOpener previous = current_opener;
  current_opener = opener;
  return previous;
}

FileWriter::FileWriter(const char* name, CreateMode mode)
    : FileWriter(name == nullptr ? nullptr
                 : current_opener != nullptr ? current_opener(name, mode)
                                             : OpenPlatformWriteTarget(name, mode)) {
  if (name != nullptr && target_ == nullptr) error_ = LastFileError();
}

FileWriter::FileWriter(std::unique_ptr<WriteTarget> target) : target_(std::move(target)) {
  if (target_ == nullptr) return;
  // Aligned to 4,096 bytes, as unbuffered platform writes want.
  block_.reset(new (std::nothrow) char[kWriteBufferSize + 4095]);
  if (block_ == nullptr) {
    target_.reset();
    return;
  }
  uintptr_t at = reinterpret_cast<uintptr_t>(block_.get());
  buffer_ = block_.get() + ((4096 - at % 4096) % 4096);
}

FileWriter::~FileWriter() {
  if (IsOpen()) Flush(true);
}

void FileWriter::Fail() {
  if (!failed_) error_ = LastFileError();
  failed_ = true;
}

void FileWriter::Issue(const char* data, int32_t count) {
  if (!target_->WriteAt(position_, data, count)) Fail();
  position_ += count;
  end_ = std::max(end_, position_);
}

void FileWriter::IssueBuffer() {
  if (used_ == 0) return;
  Issue(buffer_, used_);
  used_ = 0;
}

int64_t FileWriter::Write(const void* data, int64_t count) {
  if (!IsOpen() || data == nullptr || count <= 0) return 0;
  const char* from = static_cast<const char*>(data);
  int64_t left = count;
  while (left > 0) {
    if (used_ == 0 && left >= kWriteBufferSize) {
      int64_t whole = std::min<int64_t>(left, kMaxDirectWrite) / kWriteBufferSize * kWriteBufferSize;
      Issue(from, static_cast<int32_t>(whole));  // whole buffers, without the copy
      from += whole;
      left -= whole;
      continue;
    }
    int32_t room = kWriteBufferSize - used_;
    int32_t n = static_cast<int32_t>(std::min<int64_t>(left, room));
    std::memcpy(buffer_ + used_, from, static_cast<size_t>(n));
    used_ += n;
    from += n;
    left -= n;
    if (used_ == kWriteBufferSize) IssueBuffer();
  }
  return count;
}

bool FileWriter::Flush(bool all) {
  if (!IsOpen()) return false;
  if (all) {
    IssueBuffer();
    if (!target_->Finish()) Fail();
  }
  return !failed_;
}

bool FileWriter::SyncToDisk() {
  if (!Flush(true)) return false;
  if (!target_->SyncToDisk()) Fail();
  return !failed_;
}
