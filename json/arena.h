// Bump allocation for one document: everything it holds is freed at once, with the document.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace kelo::json_detail {

class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // Uninitialised, 8-byte aligned storage.
  void* allocate(std::size_t bytes);

  // Strings are written straight into the free tail of the current chunk, because their length is
  // only known once they end. `tailBegin` opens a tail with room for at least `room` bytes;
  // `growTail` keeps the `used` bytes already written at `begin` and makes room for `room` more,
  // moving them when needed; `commitTail` keeps `used` bytes and closes the tail. Nothing else
  // may be allocated while a tail is open.
  char* tailBegin(std::size_t room);
  char* tailLimit() const { return reinterpret_cast<char*>(end_); }
  char* growTail(char* begin, std::size_t used, std::size_t room);
  void commitTail(char* begin, std::size_t used) {
    cur_ = reinterpret_cast<std::byte*>(begin) + used;
  }

  // Bytes obtained from the allocator, for measuring a document's footprint.
  std::size_t reservedBytes() const { return reserved_; }

 private:
  std::byte* newChunk(std::size_t size);
  void makeCurrent(std::byte* chunk, std::size_t size);
  std::size_t chunkSizeFor(std::size_t atLeast) const;

  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* chunk_ = nullptr;  // start of the chunk cur_ and end_ are in
  std::byte* cur_ = nullptr;
  std::byte* end_ = nullptr;
  std::size_t reserved_ = 0;
};

}  // namespace kelo::json_detail
