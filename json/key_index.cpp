// A hash index over the members of an object being read: open addressing with linear probing,
// kept at most half full.
#include "json/key_index.h"

#include <cstring>

namespace kelo::json_detail {

std::uint64_t KeyIndex::hash(std::string_view key) {
  // FNV-1a over 8-byte words, then a final mix: keys are short and only large objects get here.
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
  return h ^ (h >> 29);
}

void KeyIndex::build(const Member* members, std::uint32_t count) {
  std::size_t size = 64;
  while (size < 2 * std::size_t{count}) size *= 2;
  slots_.assign(size, 0);
  used_ = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (members[i].key != nullptr) exchange(members, i);
  }
}

void KeyIndex::grow(const Member* members) {
  std::vector<std::uint32_t> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t entry : old) {
    if (entry == 0) continue;
    std::size_t s = hash(members[entry - 1].keyView()) & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = entry;
  }
}

std::int64_t KeyIndex::exchange(const Member* members, std::uint32_t newIndex) {
  const std::string_view key = members[newIndex].keyView();
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hash(key) & mask;
  while (slots_[s] != 0) {
    std::uint32_t index = slots_[s] - 1;
    if (members[index].keyView() == key) {
      slots_[s] = newIndex + 1;
      return index;
    }
    s = (s + 1) & mask;
  }
  slots_[s] = newIndex + 1;
  if (++used_ * 2 > slots_.size()) grow(members);
  return -1;
}

}  // namespace kelo::json_detail
