// Writing a value as JSON text, byte-exact, on one line.
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
  auto at = [&t](unsigned char c) -> char& { return t.action[c]; };
  at('\b') = 'b';
  at('\t') = 't';
  at('\n') = 'n';
  at('\r') = 'r';
  at('"') = '"';
  at('\\') = '\\';
  at('/') = '/';
  for (int c = 0x81; c <= 0xFE; ++c) t.action[c] = 'L';
  return t;
}

constexpr EscapeTable kEscapes = makeEscapeTable();

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr bool kWordWise = std::endian::native == std::endian::little;

inline std::uint64_t hasByte(std::uint64_t word, unsigned char byte) {
  std::uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & kHighBits;
}

// Non-zero when one of the 8 bytes of `word` needs more than copying: a byte below 0x20 or from
// 0x80 up, a quote, a backslash or a slash. The lowest flagged byte is always a true one.
inline std::uint64_t special(std::uint64_t word) {
  return (((word - kOnes * 0x20) | word) & kHighBits) | hasByte(word, '"') |
         hasByte(word, '\\') | hasByte(word, '/');
}

// Whether every byte of `word` lies in 0x81-0xFE.
inline bool allLeadBytes(std::uint64_t word) {
  return (word & kHighBits) == kHighBits && hasByte(word, 0x80) == 0 && hasByte(word, 0xFF) == 0;
}

// The n < 8 bytes at s as the low bytes of a word, the rest filled with a byte that needs nothing.
// Fixed-size loads only, so that no library call is made for a few bytes.
inline std::uint64_t shortWord(const char* s, std::size_t n) {
  const std::uint64_t fill = n == 0 ? kOnes * 'a' : (kOnes * 'a') << (8 * n);
  if (n >= 4) {
    std::uint32_t lo, hi;
    std::memcpy(&lo, s, 4);
    std::memcpy(&hi, s + n - 4, 4);
    return lo | (std::uint64_t{hi} << (8 * (n - 4))) | fill;
  }
  if (n >= 2) {
    std::uint16_t lo, hi;
    std::memcpy(&lo, s, 2);
    std::memcpy(&hi, s + n - 2, 2);
    return lo | (std::uint64_t{hi} << (8 * (n - 2))) | fill;
  }
  if (n == 1) return static_cast<unsigned char>(*s) | fill;
  return fill;
}

// The written form has a space inside brackets and braces and after separators, reals with six
// decimals, and double-byte characters copied unescaped. The writer writes into a std::string
// through a raw cursor; room is made ahead of each step, so that no step checks byte by byte.
class Writer {
 public:
  explicit Writer(std::size_t expected) {
    text_.resize(std::max<std::size_t>(expected, 64));
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
        room(4);
        raw("null");
        return;
      case Kind::False:
        room(5);
        raw("false");
        return;
      case Kind::True:
        room(4);
        raw("true");
        return;
      case Kind::Integer:
        room(24);
        p_ = std::to_chars(p_, end_, v.integer).ptr;
        return;
      case Kind::Real:
        // Fixed notation needs up to 309 digits before the point for the largest doubles.
        room(330);
        p_ = std::to_chars(p_, end_, v.real, std::chars_format::fixed, 6).ptr;
        return;
      case Kind::String:
        room(std::size_t{v.size} * 6 + 10);
        *p_++ = '"';
        stringInline(v.bytes, v.size);
        *p_++ = '"';
        return;
      case Kind::Array:
        room(2);
        raw("[");
        for (std::uint32_t i = 0; i < v.size; ++i) {
          room(2);
          if (i == 0) {
            raw(" ");
          } else {
            raw(", ");
          }
          value(v.elements[i]);
        }
        room(2);
        raw(" ]");
        return;
      case Kind::Object:
        room(1);
        raw("{");
        for (std::uint32_t i = 0; i < v.size; ++i) {
          const Member& m = v.members[i];
          const std::string_view key = m.keyView();
          room(key.size() * 6 + 16);
          if (i == 0) {
            raw(" \"");
          } else {
            raw(", \"");
          }
          stringInline(key.data(), key.size());
          raw("\": ");
          value(m.value);
        }
        room(2);
        raw(" }");
        return;
      case Kind::Failed:
        return;  // never stored in a document
    }
  }

 private:
  void room(std::size_t n) {
    if (static_cast<std::size_t>(end_ - p_) < n) grow(n);
  }

  // Kept out of line so that room() inlines to one comparison.
  [[gnu::noinline]] void grow(std::size_t n) {
    const auto used = static_cast<std::size_t>(p_ - text_.data());
    text_.resize(std::max(text_.size() * 2, used + n));
    p_ = text_.data() + used;
    end_ = text_.data() + text_.size();
  }

  // A literal of fixed size, after room was made for it.
  template <std::size_t N>
  void raw(const char (&s)[N]) {
    std::memcpy(p_, s, N - 1);
    p_ += N - 1;
  }

  // Short keys and values that need no escape are copied here, without a call.
  void stringInline(const char* s, std::size_t n) {
    if constexpr (kWordWise) {
      if (n < 8) {
        const std::uint64_t word = shortWord(s, n);
        if (special(word) == 0) {
          std::memcpy(p_, &word, 8);
          p_ += n;
          return;
        }
      }
    }
    string(s, n);
  }

  // The escaped bytes of a string or key, after room was made for 6 bytes per byte plus 8.
  void string(const char* s, std::size_t n) {
    const char* const end = s + n;
    while (s != end) {
      if constexpr (kWordWise) {
        // Eight bytes at a time while none needs more than copying; a tail of fewer than 8 is
        // checked as one padded word.
        while (end - s >= 8) {
          std::uint64_t word;
          std::memcpy(&word, s, 8);
          const std::uint64_t found = special(word);
          std::memcpy(p_, s, 8);
          if (found != 0) {
            const auto plain = static_cast<unsigned>(std::countr_zero(found)) / 8;
            p_ += plain;
            s += plain;
            break;
          }
          p_ += 8;
          s += 8;
        }
        if (end - s < 8) {
          const auto rest = static_cast<std::size_t>(end - s);
          const std::uint64_t word = shortWord(s, rest);
          if (special(word) == 0) {
            std::memcpy(p_, &word, 8);
            p_ += rest;
            return;
          }
        }
      }
      // Byte by byte until a plain byte has been copied, so that a run of characters or escapes
      // does not pay for a word-wise attempt at each step.
      while (s != end) {
        const auto c = static_cast<unsigned char>(*s);
        const char action = kEscapes.action[c];
        if (action == 0) {
          *p_++ = static_cast<char>(c);
          ++s;
          break;
        }
        if (action == 'L') {
          if constexpr (kWordWise) {
            // Eight bytes from 0x81 to 0xFE are four whole two-byte characters.
            if (end - s >= 8) {
              std::uint64_t word;
              std::memcpy(&word, s, 8);
              if (allLeadBytes(word)) {
                std::memcpy(p_, s, 8);
                p_ += 8;
                s += 8;
                continue;
              }
            }
          }
          // A character's later bytes are never escaped, even a backslash; a character cut off
          // by the end of the string is copied as far as it goes.
          std::ptrdiff_t length = 2;
          if (end - s >= 2 && static_cast<unsigned char>(s[1]) >= 0x2A &&
              static_cast<unsigned char>(s[1]) <= 0x3F) {
            length = 4;
          }
          if (end - s >= 4) {
            std::memcpy(p_, s, 4);  // a fixed size: one move, not a call
          } else {
            length = std::min(length, end - s);
            for (std::ptrdiff_t i = 0; i < length; ++i) p_[i] = s[i];
          }
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
    }
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
  // Written forms are a little longer than compact input (spaces after separators); starting a
  // half larger saves growing, and copying, the text midway.
  Writer writer(doc.sourceSize + doc.sourceSize / 2);
  writer.value(doc.root);
  return std::move(writer).finish();
}

}  // namespace kelo
