// The value tree: 16-byte nodes whose strings and children live in their document's arena.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace kelo::json_detail {

// Failed only travels inside the reader, as the result of a read that failed; no document holds it.
enum class Kind : std::uint8_t { Null, False, True, Integer, Real, String, Array, Object, Failed };

struct Member;

// A node is copied freely (search results hold copies): its strings and children are shared, so a
// copy is a reference to the same value, valid as long as the document owning them lives.
struct Value {
  union {
    std::int64_t integer;
    double real;
    const char* bytes;       // String: `size` bytes, no terminator
    const Value* elements;   // Array: `size` elements
    const Member* members;   // Object: `size` members in member order
  };
  std::uint32_t size = 0;
  Kind kind = Kind::Null;

  constexpr Value() : integer(0) {}
  static Value makeInteger(std::int64_t i) {
    Value v;
    v.integer = i;
    v.kind = Kind::Integer;
    return v;
  }
  static Value makeReal(double d) {
    Value v;
    v.real = d;
    v.kind = Kind::Real;
    return v;
  }
  static Value makeString(const char* b, std::uint32_t n) {
    Value v;
    v.bytes = b;
    v.size = n;
    v.kind = Kind::String;
    return v;
  }
  static Value makeArray(const Value* e, std::uint32_t n) {
    Value v;
    v.elements = e;
    v.size = n;
    v.kind = Kind::Array;
    return v;
  }
  static Value makeObject(const Member* m, std::uint32_t n) {
    Value v;
    v.members = m;
    v.size = n;
    v.kind = Kind::Object;
    return v;
  }
  static Value makeLiteral(Kind k) {
    Value v;
    v.kind = k;
    return v;
  }
};

// The key points just past a 4-byte length, so that a member takes 24 bytes, not 32.
struct Member {
  const char* key;
  Value value;

  std::string_view keyView() const {
    std::uint32_t n;
    std::memcpy(&n, key - sizeof n, sizeof n);
    return {key, n};
  }
};

static_assert(sizeof(Value) == 16);
static_assert(sizeof(Member) == 24);

}  // namespace kelo::json_detail
