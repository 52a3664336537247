// Bump allocation in chunks that grow with the document, so a small reply costs one small chunk
// and a large document few allocator calls.
#include "json/arena.h"

#include <algorithm>
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
  cur_ = chunk + bytes;
  end_ = chunk + size;
  return chunk;
}

char* Arena::tailBegin(std::size_t room) {
  if (cur_ == nullptr || static_cast<std::size_t>(end_ - cur_) < room) {
    std::size_t size = chunkSizeFor(room);
    cur_ = newChunk(size);
    end_ = cur_ + size;
  }
  return reinterpret_cast<char*>(cur_);
}

char* Arena::growTail(char* begin, std::size_t used, std::size_t room) {
  std::size_t size = chunkSizeFor(2 * (used + room));
  std::byte* chunk = newChunk(size);
  std::memcpy(chunk, begin, used);
  cur_ = chunk;
  end_ = chunk + size;
  return reinterpret_cast<char*>(chunk);
}

}  // namespace kelo::json_detail
