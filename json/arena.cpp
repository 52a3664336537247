// Bump allocation in chunks that grow with the document.
#include "json/arena.h"

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <cstring>

namespace kelo::json_detail {
namespace {

constexpr std::size_t kFirstChunk = 512;
constexpr std::size_t kLargestChunk = std::size_t{1} << 20;

std::size_t alignUp(std::size_t n) { return (n + 7) & ~std::size_t{7}; }

}  // namespace

std::size_t Arena::chunkSizeFor(std::size_t atLeast) const {
  // Sizing by the total so far keeps the number of chunks logarithmic; the cap bounds the unused
  // tail a finished document carries.
  return std::max(std::clamp(reserved_, kFirstChunk, kLargestChunk), alignUp(atLeast));
}

std::byte* Arena::newChunk(std::size_t size) {
  chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  reserved_ += size;
  return chunks_.back().get();
}

void Arena::makeCurrent(std::byte* chunk, std::size_t size) {
  chunk_ = chunk;
  cur_ = chunk;
  end_ = chunk + size;
}

void* Arena::allocate(std::size_t bytes) {
  bytes = alignUp(bytes);
  auto addr = reinterpret_cast<std::uintptr_t>(cur_);
  std::size_t pad = alignUp(addr) - addr;
  if (cur_ != nullptr && static_cast<std::size_t>(end_ - cur_) >= pad + bytes) {
    std::byte* p = cur_ + pad;
    cur_ = p + bytes;
    return p;
  }
  std::size_t size = chunkSizeFor(bytes);
  std::byte* chunk = newChunk(size);
  // An array that fills a chunk of its own leaves the current chunk's free tail in use.
  if (size == bytes && cur_ != nullptr) return chunk;
  makeCurrent(chunk, size);
  cur_ += bytes;
  return chunk;
}

char* Arena::tailBegin(std::size_t room) {
  if (cur_ == nullptr || static_cast<std::size_t>(end_ - cur_) < room) {
    const std::size_t size = chunkSizeFor(room);
    makeCurrent(newChunk(size), size);
  }
  return reinterpret_cast<char*>(cur_);
}

char* Arena::growTail(char* begin, std::size_t used, std::size_t room) {
  const std::size_t size = chunkSizeFor(2 * (used + room));
  std::byte* const old = chunk_;
  const auto oldSize = static_cast<std::size_t>(end_ - chunk_);
  std::byte* const chunk = newChunk(size);
  std::memcpy(chunk, begin, used);
  makeCurrent(chunk, size);
  // A string that fills its chunk from the start leaves nothing else in it: free the chunk, so
  // that a long string costs about its size, not the sum of every size it grew through.
  if (reinterpret_cast<std::byte*>(begin) == old) {
    for (auto it = chunks_.rbegin(); it != chunks_.rend(); ++it) {
      if (it->get() == old) {
        reserved_ -= oldSize;
        chunks_.erase(std::next(it).base());
        break;
      }
    }
  }
  return reinterpret_cast<char*>(chunk);
}

}  // namespace kelo::json_detail
