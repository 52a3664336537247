// Dropping the members of an object whose key is read again later in it, in linear time.
#pragma once

#include <cstdint>
#include <vector>

#include "json/value.h"

namespace kelo::json_detail {

class RepeatedKeys {
 public:
  // Marks each member whose key occurs again later in `members` by a null key, and gives the
  // number of members left. Small objects are scanned pairwise; larger ones go through a hash
  // table sized once for the object.
  std::uint32_t drop(Member* members, std::uint32_t count);

 private:
  // Each slot holds a key's hash in its high half and its member index + 1 in its low half (0 is
  // a free slot), so that probing compares hashes without touching the members.
  std::vector<std::uint64_t> slots_;
};

}  // namespace kelo::json_detail
