// Writing a value as JSON text, byte-exact: one line, a space inside brackets and braces and
// after separators, reals with six decimals, and double-byte characters copied unescaped.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "json/document.h"
#include "json/json.h"

namespace kelo {
namespace json_detail {
namespace {

// What a byte of a string or key becomes: 0 copied, 'u' a \u00xx escape, 'L' the first byte of a
// character copied whole, any other value the letter of a two-byte escape.
struct EscapeTable {
  char action[256] = {};
};

constexpr EscapeTable makeEscapeTable() {
  EscapeTable t;
  for (int c = 0; c < 0x20; ++c) t.action[c] = 'u';
  t.action['\b'] = 'b';
  t.action['\t'] = 't';
  t.action['\n'] = 'n';
  t.action['\r'] = 'r';
  t.action['"'] = '"';
  t.action['\\'] = '\\';
  t.action['/'] = '/';
  for (int c = 0x81; c <= 0xFE; ++c) t.action[c] = 'L';
  return t;
}

constexpr EscapeTable kEscapes = makeEscapeTable();

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

inline std::uint64_t hasByte(std::uint64_t word, unsigned char byte) {
  std::uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & kHighBits;
}

// Non-zero when a byte of `word` is below 0x20 or at 0x80 and above.
inline std::uint64_t hasControlOrHigh(std::uint64_t word) {
  return ((word - kOnes * 0x20) | word) & kHighBits;
}

// Writes into a std::string through a raw cursor; the string is grown ahead of each step so that
// no step checks for room byte by byte.
class Writer {
 public:
  explicit Writer(std::size_t expected) {
    text_.resize(expected < 64 ? 64 : expected);
    p_ = text_.data();
    end_ = p_ + text_.size();
  }

  Text finish() && {
    text_.resize(static_cast<std::size_t>(p_ - text_.data()));
    return std::move(text_);
  }

  // Recursion depth is bounded by the reader's level cap (plus one for a search result).
  void value(const Value& v) {
    switch (v.kind) {
      case Kind::Null:
        put("null", 4);
        return;
      case Kind::False:
        put("false", 5);
        return;
      case Kind::True:
        put("true", 4);
        return;
      case Kind::Integer: {
        room(24);
        p_ = std::to_chars(p_, end_, v.integer).ptr;
        return;
      }
      case Kind::Real: {
        // Fixed notation needs up to 309 digits before the point for the largest doubles.
        room(330);
        p_ = std::to_chars(p_, end_, v.real, std::chars_format::fixed, 6).ptr;
        return;
      }
      case Kind::String:
        string(v.bytes, v.size);
        return;
      case Kind::Array:
        put("[", 1);
        for (std::uint32_t i = 0; i < v.size; ++i) {
          put(", ", 2, i == 0);
          value(v.elements[i]);
        }
        put(" ]", 2);
        return;
      case Kind::Object:
        put("{", 1);
        for (std::uint32_t i = 0; i < v.size; ++i) {
          const Member& m = v.members[i];
          put(", \"", 3, i == 0);
          const std::string_view key = m.keyView();
          string(key.data(), static_cast<std::uint32_t>(key.size()), false);
          put("\": ", 3);
          value(m.value);
        }
        put(" }", 2);
        return;
    }
  }

 private:
  void room(std::size_t n) {
    if (static_cast<std::size_t>(end_ - p_) >= n) return;
    const auto used = static_cast<std::size_t>(p_ - text_.data());
    text_.resize(std::max(text_.size() * 2, used + n));
    p_ = text_.data() + used;
    end_ = text_.data() + text_.size();
  }

  // `skip` leaves out the first byte: ", " before the first element is " ".
  void put(const char* s, std::size_t n, bool skip = false) {
    room(n);
    std::memcpy(p_, s + skip, n - skip);
    p_ += n - skip;
  }

  void string(const char* s, std::uint32_t n, bool quoted = true) {
    // An escape is at most 6 bytes for 1, plus 8 bytes of slack for the word-wise copy.
    room(std::size_t{n} * 6 + 10);
    if (quoted) *p_++ = '"';
    const char* end = s + n;
    for (;;) {
      if constexpr (std::endian::native == std::endian::little) {
        while (end - s >= 8) {
          std::uint64_t word;
          std::memcpy(&word, s, 8);
          std::uint64_t special = hasControlOrHigh(word) | hasByte(word, '"') |
                                  hasByte(word, '\\') | hasByte(word, '/');
          std::memcpy(p_, s, 8);
          if (special != 0) {
            const auto plain = static_cast<unsigned>(std::countr_zero(special)) / 8;
            p_ += plain;
            s += plain;
            break;
          }
          p_ += 8;
          s += 8;
        }
      }
      if (s == end) break;
      const auto c = static_cast<unsigned char>(*s);
      const char action = kEscapes.action[c];
      if (action == 0) {
        *p_++ = static_cast<char>(c);
        ++s;
      } else if (action == 'L') {
        // A character's later bytes are never escaped, even a backslash; a character cut off by
        // the end of the string is copied as far as it goes.
        std::ptrdiff_t length = 2;
        if (end - s >= 2 && static_cast<unsigned char>(s[1]) >= 0x2A &&
            static_cast<unsigned char>(s[1]) <= 0x3F) {
          length = 4;
        }
        if (length > end - s) length = end - s;
        std::memcpy(p_, s, static_cast<std::size_t>(length));
        p_ += length;
        s += length;
      } else if (action == 'u') {
        static constexpr char kHex[] = "0123456789abcdef";
        std::memcpy(p_, "\\u00", 4);
        p_[4] = kHex[c >> 4];
        p_[5] = kHex[c & 15];
        p_ += 6;
        ++s;
      } else {
        p_[0] = '\\';
        p_[1] = action;
        p_ += 2;
        ++s;
      }
    }
    if (quoted) *p_++ = '"';
  }

  std::string text_;
  char* p_;
  char* end_;
};

}  // namespace
}  // namespace json_detail

Text jsonToText(const JSON& instance) {
  using namespace json_detail;
  if (instance.failed_) return Text{};
  if (instance.doc_ == nullptr) return Text{"null"};
  const Document& doc = *instance.doc_;
  Writer writer(doc.sourceSize + doc.sourceSize / 8);
  writer.value(doc.root);
  return std::move(writer).finish();
}

}  // namespace kelo
