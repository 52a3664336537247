// Dropping the members of an object whose key is read again later in it.
#include "json/repeated_keys.h"

#include <cstring>
#include <string_view>

namespace kelo::json_detail {
namespace {

// Up to this many members the pairwise scan is cheaper than hashing.
constexpr std::uint32_t kScannedMembers = 16;

std::uint32_t hashOf(std::string_view key) {
  // FNV-1a over 8-byte words, then a final mix.
  std::uint64_t h = 0xcbf29ce484222325ull ^ key.size();
  std::size_t i = 0;
  for (; i + 8 <= key.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, key.data() + i, 8);
    h = (h ^ w) * 0x100000001b3ull;
  }
  for (; i < key.size(); ++i) h = (h ^ static_cast<unsigned char>(key[i])) * 0x100000001b3ull;
  h ^= h >> 32;
  h *= 0x9e3779b97f4a7c15ull;
  return static_cast<std::uint32_t>(h >> 32);
}

}  // namespace

std::uint32_t RepeatedKeys::drop(Member* members, std::uint32_t count) {
  std::uint32_t live = count;
  if (count <= kScannedMembers) {
    for (std::uint32_t i = 1; i < count; ++i) {
      const std::string_view key = members[i].keyView();
      for (std::uint32_t j = 0; j < i; ++j) {
        // At most one earlier member with the key is still live.
        if (members[j].key != nullptr && members[j].keyView() == key) {
          members[j].key = nullptr;
          --live;
          break;
        }
      }
    }
    return live;
  }
  std::size_t size = 64;
  while (size < 2 * std::size_t{count}) size *= 2;
  slots_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::string_view key = members[i].keyView();
    const std::uint64_t h = hashOf(key);
    const std::uint64_t entry = (h << 32) | (std::uint64_t{i} + 1);
    std::size_t s = h & mask;
    for (;; s = (s + 1) & mask) {
      const std::uint64_t slot = slots_[s];
      if (slot == 0) break;
      if ((slot >> 32) == h) {
        const auto earlier = static_cast<std::uint32_t>(slot) - 1;
        if (members[earlier].keyView() == key) {
          members[earlier].key = nullptr;
          --live;
          break;
        }
      }
    }
    slots_[s] = entry;
  }
  return live;
}

}  // namespace kelo::json_detail
