// The console editor's text: a list of lines held in chunks that copies of
// the list share. Copying the list, as every undo snapshot does, copies
// only the chunk pointers; a change first makes its own copy of the one
// chunk it touches when another list still holds it. So a snapshot costs
// memory for the chunks its action changed, and a keystroke copies one
// chunk, never the whole text.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class ConsoleLines {
 public:
  using Chunk = std::vector<std::string>;

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string*;
    using reference = const std::string&;

    const_iterator() = default;
    const_iterator(const ConsoleLines* list, size_t chunk) : list_(list), chunk_(chunk) {}
    reference operator*() const { return (*list_->chunks_[chunk_])[offset_]; }
    pointer operator->() const { return &**this; }
    const_iterator& operator++();
    const_iterator operator++(int) {
      const_iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const const_iterator& o) const { return chunk_ == o.chunk_ && offset_ == o.offset_; }
    bool operator!=(const const_iterator& o) const { return !(*this == o); }

   private:
    const ConsoleLines* list_ = nullptr;
    size_t chunk_ = 0, offset_ = 0;
  };

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const std::string& operator[](size_t index) const;
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, chunks_.size()); }

  // The line at `index` for changing; the reference lasts until the next
  // change of the list's shape (an insertion or erasure).
  std::string& Edit(size_t index);
  void Insert(size_t at, std::string line);
  void Insert(size_t at, std::vector<std::string> lines);
  // Removes the lines [from, to).
  void Erase(size_t from, size_t to);
  void Assign(std::vector<std::string> lines);
  void clear();

  // Empty when the chunks add up to the list, else what broke.
  std::string CheckInvariants() const;

  // Lines a chunk is cut to. Each snapshot holds a pointer per chunk and
  // each change copies a chunk: 128 keeps both small for 100,000 lines.
  size_t chunk_lines = 128;

 private:
  // The chunk holding line `index` and the line's place in it; an index
  // past the end gives the last chunk and its size.
  void Locate(size_t index, size_t* chunk, size_t* offset) const;
  // The lines of chunks [first, last), moved out of chunks no other list holds.
  Chunk TakeLines(size_t first, size_t last);
  // Replaces chunks [first, last) with `lines` cut into chunks, and
  // recounts the first lines from there on.
  void Replace(size_t first, size_t last, Chunk lines);

  std::vector<std::shared_ptr<Chunk>> chunks_;  // never empty ones
  std::vector<size_t> starts_;                  // first line of each chunk
  size_t size_ = 0;
  mutable size_t last_chunk_ = 0;  // where the last lookup landed: reading runs forward
};
