#include "console/console_lines.h"

#include <algorithm>
#include <iterator>

ConsoleLines::const_iterator& ConsoleLines::const_iterator::operator++() {
  if (++offset_ == list_->chunks_[chunk_]->size()) ++chunk_, offset_ = 0;
  return *this;
}

void ConsoleLines::Locate(size_t index, size_t* chunk, size_t* offset) const {
  size_t c = last_chunk_;
  if (c >= chunks_.size() || index < starts_[c] || index >= starts_[c] + chunks_[c]->size()) {
    // Sequential reading usually lands in the next chunk; otherwise search.
    if (c + 1 < chunks_.size() && index >= starts_[c + 1] && index < starts_[c + 1] + chunks_[c + 1]->size())
      ++c;
    else
      c = static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), index) - starts_.begin()) - 1;
  }
  last_chunk_ = c;
  *chunk = c;
  *offset = index - starts_[c];
}

const std::string& ConsoleLines::operator[](size_t index) const {
  size_t chunk, offset;
  Locate(index, &chunk, &offset);
  return (*chunks_[chunk])[offset];
}

std::string& ConsoleLines::Edit(size_t index) {
  size_t chunk, offset;
  Locate(index, &chunk, &offset);
  std::shared_ptr<Chunk>& held = chunks_[chunk];
  if (held.use_count() > 1) held = std::make_shared<Chunk>(*held);  // a snapshot keeps the old one
  return (*held)[offset];
}

ConsoleLines::Chunk ConsoleLines::TakeLines(size_t first, size_t last) {
  Chunk out;
  for (size_t c = first; c < last; ++c) {
    Chunk& lines = *chunks_[c];
    if (chunks_[c].use_count() == 1)
      out.insert(out.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    else
      out.insert(out.end(), lines.begin(), lines.end());
  }
  return out;
}

void ConsoleLines::Replace(size_t first, size_t last, Chunk lines) {
  // Pieces of about chunk_lines each, never more than twice that; a chunk
  // is cut only when it outgrows that, so typing Enter cuts rarely.
  const size_t target = std::max<size_t>(chunk_lines, 1);
  const size_t count = lines.size();
  const size_t pieces = count == 0 ? 0 : count <= 2 * target ? 1 : (count + target - 1) / target;
  std::vector<std::shared_ptr<Chunk>> made;
  for (size_t p = 0, from = 0; p < pieces; ++p) {
    const size_t to = count * (p + 1) / pieces;
    made.push_back(std::make_shared<Chunk>(std::make_move_iterator(lines.begin() + from),
                                           std::make_move_iterator(lines.begin() + to)));
    from = to;
  }
  chunks_.erase(chunks_.begin() + first, chunks_.begin() + last);
  chunks_.insert(chunks_.begin() + first, made.begin(), made.end());
  starts_.resize(chunks_.size());
  size_t start = first == 0 ? 0 : starts_[first - 1] + chunks_[first - 1]->size();
  for (size_t c = first; c < chunks_.size(); ++c) {
    starts_[c] = start;
    start += chunks_[c]->size();
  }
  size_ = start;
}

void ConsoleLines::Insert(size_t at, std::string line) {
  std::vector<std::string> one;
  one.push_back(std::move(line));
  Insert(at, std::move(one));
}

void ConsoleLines::Insert(size_t at, std::vector<std::string> lines) {
  if (lines.empty()) return;
  if (chunks_.empty()) {
    Replace(0, 0, std::move(lines));
    return;
  }
  size_t chunk, offset;
  Locate(std::min(at, size_), &chunk, &offset);
  Chunk merged = TakeLines(chunk, chunk + 1);
  merged.insert(merged.begin() + static_cast<std::ptrdiff_t>(offset), std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
  Replace(chunk, chunk + 1, std::move(merged));
}

void ConsoleLines::Erase(size_t from, size_t to) {
  to = std::min(to, size_);
  if (from >= to) return;
  size_t first, first_offset, last, last_offset;
  Locate(from, &first, &first_offset);
  Locate(to - 1, &last, &last_offset);
  Chunk kept = TakeLines(first, last + 1);
  kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(first_offset),
             kept.begin() + static_cast<std::ptrdiff_t>(starts_[last] - starts_[first] + last_offset + 1));
  size_t end = last + 1;
  // What is left joins a neighbour when small, so that deleting many lines
  // does not leave many tiny chunks for every snapshot to point at.
  if (kept.size() < chunk_lines / 2 && end < chunks_.size()) {
    Chunk next = TakeLines(end, end + 1);
    kept.insert(kept.end(), std::make_move_iterator(next.begin()), std::make_move_iterator(next.end()));
    ++end;
  } else if (kept.size() < chunk_lines / 2 && first > 0) {
    Chunk before = TakeLines(first - 1, first);
    kept.insert(kept.begin(), std::make_move_iterator(before.begin()), std::make_move_iterator(before.end()));
    --first;
  }
  Replace(first, end, std::move(kept));
}

void ConsoleLines::Assign(std::vector<std::string> lines) {
  clear();
  Replace(0, 0, std::move(lines));
}

void ConsoleLines::clear() {
  chunks_.clear();
  starts_.clear();
  size_ = 0;
  last_chunk_ = 0;
}

std::string ConsoleLines::CheckInvariants() const {
  if (starts_.size() != chunks_.size()) return "a chunk without its first line";
  size_t start = 0;
  for (size_t c = 0; c < chunks_.size(); ++c) {
    if (!chunks_[c] || chunks_[c]->empty()) return "an empty chunk";
    if (chunks_[c]->size() > 2 * std::max<size_t>(chunk_lines, 1)) return "an overgrown chunk";
    if (starts_[c] != start) return "first lines miscounted";
    start += chunks_[c]->size();
  }
  return start == size_ ? "" : "line count wrong";
}
