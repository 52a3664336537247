// A hash index over the members of an object being read, so that checking each new key for an
// earlier member with the same key stays constant time however many members the object has.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "json/value.h"

namespace kelo::json_detail {

class KeyIndex {
 public:
  // Indexes the live members of `members` (entries with a null key were replaced and are skipped).
  void build(const Member* members, std::uint32_t count);

  // `members[newIndex]` was just added: returns the index of an earlier member with the same key,
  // or -1, and maps the key to `newIndex` from now on.
  std::int64_t exchange(const Member* members, std::uint32_t newIndex);

 private:
  static std::uint64_t hash(std::string_view key);
  void grow(const Member* members);

  std::vector<std::uint32_t> slots_;  // member index + 1; 0 is a free slot
  std::uint32_t used_ = 0;
};

}  // namespace kelo::json_detail
