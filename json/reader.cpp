// Reading a JSON text into a document, with the lenient syntax the service's replies need.
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "encoding/gb18030.h"
#include "json/document.h"
#include "json/json.h"
#include "json/number_scan.h"
#include "json/repeated_keys.h"

namespace kelo {
namespace json_detail {
namespace {

// Levels count from 0 at the top-level value; an array or object at the deepest level may only be
// empty. This cap also bounds the reader's recursion (and the writer's and the search's, which
// walk trees the reader built) to a few dozen frames.
constexpr int kDeepestLevel = 31;

struct ByteTables {
  bool space[256] = {};
  bool number[256] = {};
  std::int8_t hex[256] = {};
};

constexpr ByteTables makeTables() {
  ByteTables t;
  for (int c : {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20}) t.space[c] = true;
  for (char c : std::string_view("0123456789.+-eE")) t.number[static_cast<unsigned char>(c)] = true;
  for (int c = 0; c < 256; ++c) {
    t.hex[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
               : c >= 'a' && c <= 'f' ? static_cast<std::int8_t>(c - 'a' + 10)
               : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                      : std::int8_t{-1};
  }
  return t;
}

constexpr ByteTables kTables = makeTables();

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Non-zero when a byte of `word` equals `byte`; the lowest flagged byte is always a true match.
inline std::uint64_t hasByte(std::uint64_t word, unsigned char byte) {
  std::uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & kHighBits;
}

inline unsigned char at(const char* p) { return static_cast<unsigned char>(*p); }

// The replacement character, written for a surrogate that is not part of a pair.
constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The reader is lenient (both quote kinds, comments, trailing commas, literals in any case,
// trailing text), keeps double-byte characters whole in string values, and turns \u escapes into
// GB18030 bytes. It keeps its state here, not in globals, and never reads past the text's end.
class Reader {
 public:
  Reader(std::string_view text, Arena& arena)
      : p_(text.data()), end_(text.data() + text.size()), arena_(arena) {
    values_.reserve(64);
    members_.reserve(64);
  }

  bool document(Value& root) {
    if (!skipSpace() || p_ == end_) return false;
    root = value(0);
    if (root.kind == Kind::Failed) return false;
    // Whatever follows the value is not read, but a '/' there must still open a comment.
    return skipSpace();
  }

 private:
  // Values travel by value, in registers: written to memory field by field and read back whole,
  // they would stall the store-to-load forwarding on every element.
  static Value failed() { return Value::makeLiteral(Kind::Failed); }

  // Skips whitespace and comments. False on a '/' that opens no comment; a comment still open at
  // the end of the text leaves p_ at the end.
  bool skipSpace() {
    for (;;) {
      while (p_ != end_ && kTables.space[at(p_)]) ++p_;
      if (p_ == end_ || *p_ != '/') return true;
      if (end_ - p_ < 2) return false;
      if (p_[1] == '*') {
        const char* q = p_ + 2;
        for (;;) {
          q = static_cast<const char*>(std::memchr(q, '*', static_cast<std::size_t>(end_ - q)));
          if (q == nullptr) {
            p_ = end_;
            return true;
          }
          if (q + 1 != end_ && q[1] == '/') break;
          ++q;
        }
        p_ = q + 2;
      } else if (p_[1] == '/') {
        const char* q = p_ + 2;
        q = static_cast<const char*>(std::memchr(q, '\n', static_cast<std::size_t>(end_ - q)));
        p_ = q == nullptr ? end_ : q + 1;
      } else {
        return false;
      }
    }
  }

  // Skips space and tells whether a byte follows.
  bool moreAfterSpace() {
    if (p_ != end_ && !kTables.space[at(p_)] && *p_ != '/') return true;
    return skipSpace() && p_ != end_;
  }

  // p_ is at a byte of the text.
  Value value(int level) {
    if (level > kDeepestLevel) return failed();
    switch (*p_) {
      case '{':
        return object(level);
      case '[':
        return array(level);
      case '"':
      case '\'': {
        char* start;
        std::uint32_t size;
        if (!string<true, 0>(start, size)) return failed();
        return Value::makeString(start, size);
      }
      case '-':
      case '0': case '1': case '2': case '3': case '4':
      case '5': case '6': case '7': case '8': case '9':
        return number();
      default:
        return literal();
    }
  }

  Value literal() {
    std::string_view word;
    Kind kind;
    switch (*p_ | 0x20) {
      case 't':
        word = "true";
        kind = Kind::True;
        break;
      case 'f':
        word = "false";
        kind = Kind::False;
        break;
      case 'n':
        word = "null";
        kind = Kind::Null;
        break;
      default:
        return failed();
    }
    if (static_cast<std::size_t>(end_ - p_) < word.size()) return failed();
    // Or-ing 0x20 folds exactly the upper-case letters onto the lower-case ones we compare with.
    for (std::size_t i = 0; i < word.size(); ++i) {
      if ((p_[i] | 0x20) != word[i]) return failed();
    }
    p_ += word.size();
    return Value::makeLiteral(kind);
  }

  Value number() {
    const char* begin = p_;
    while (p_ != end_ && kTables.number[at(p_)]) ++p_;
    return scanNumber({begin, static_cast<std::size_t>(p_ - begin)});
  }

  Value array(int level) {
    ++p_;
    if (!moreAfterSpace()) return failed();
    const std::size_t base = values_.size();
    while (*p_ != ']') {
      const Value element = value(level + 1);
      if (element.kind == Kind::Failed) return failed();
      values_.push_back(element);
      if (!moreAfterSpace()) return failed();
      if (*p_ == ',') {
        ++p_;
        if (!moreAfterSpace()) return failed();
      } else if (*p_ != ']') {
        return failed();
      }
    }
    ++p_;
    const auto count = static_cast<std::uint32_t>(values_.size() - base);
    Value* elements = nullptr;
    if (count != 0) {
      elements = static_cast<Value*>(arena_.allocate(count * sizeof(Value)));
      std::memcpy(elements, values_.data() + base, count * sizeof(Value));
      values_.resize(base);
    }
    return Value::makeArray(elements, count);
  }

  Value object(int level) {
    ++p_;
    if (!moreAfterSpace()) return failed();
    const std::size_t base = members_.size();
    while (*p_ != '}') {
      if (*p_ != '"' && *p_ != '\'') return failed();
      char* start;
      std::uint32_t size;
      if (!string<false, sizeof size>(start, size)) return failed();
      std::memcpy(start, &size, sizeof size);
      const char* key = start + sizeof size;
      if (!moreAfterSpace() || *p_ != ':') return failed();
      ++p_;
      if (!moreAfterSpace()) return failed();
      const Value v = value(level + 1);
      if (v.kind == Kind::Failed) return failed();
      members_.push_back(Member{key, v});
      if (!moreAfterSpace()) return failed();
      if (*p_ == ',') {
        ++p_;
        if (!moreAfterSpace()) return failed();
      } else if (*p_ != '}') {
        return failed();
      }
    }
    ++p_;
    const auto count = static_cast<std::uint32_t>(members_.size() - base);
    Member* members = nullptr;
    std::uint32_t live = count;
    if (count != 0) {
      Member* from = members_.data() + base;
      // A key read again replaces the earlier member: the last value wins, in the last place.
      live = repeatedKeys_.drop(from, count);
      members = static_cast<Member*>(arena_.allocate(live * sizeof(Member)));
      if (live == count) {
        std::memcpy(members, from, count * sizeof(Member));
      } else {
        Member* to = members;
        for (std::uint32_t i = 0; i < count; ++i) {
          if (from[i].key != nullptr) *to++ = from[i];
        }
      }
      members_.resize(base);
    }
    return Value::makeObject(members, live);
  }

  // Reads the quoted string at p_ into the arena, kPrefix bytes after the start of the space it
  // takes. kGroup keeps double-byte characters whole (string values do, keys do not).
  template <bool kGroup, std::size_t kPrefix>
  bool string(char*& start, std::uint32_t& size) {
    const unsigned char quote = at(p_++);
    char* begin = arena_.tailBegin(kPrefix + 64);
    char* out = begin + kPrefix;
    char* limit = arena_.tailLimit();
    sawNul_ = false;
    // Every step below writes at most 8 bytes.
    auto makeRoom = [&] {
      if (limit - out >= 8) return;
      const auto used = static_cast<std::size_t>(out - begin);
      begin = arena_.growTail(begin, used, 8);
      out = begin + used;
      limit = arena_.tailLimit();
    };
    bool open = true;
    while (open) {
      if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time while none of them ends the string, escapes or starts a character.
        while (end_ - p_ >= 8) {
          makeRoom();
          std::uint64_t word;
          std::memcpy(&word, p_, 8);
          std::uint64_t special = hasByte(word, quote) | hasByte(word, '\\');
          if constexpr (kGroup) special |= word & kHighBits;
          std::memcpy(out, p_, 8);
          if (special != 0) {
            const auto plain = static_cast<unsigned>(std::countr_zero(special)) / 8;
            out += plain;
            p_ += plain;
            break;
          }
          out += 8;
          p_ += 8;
        }
      }
      // Byte by byte until a plain byte has been copied: runs of escapes and characters do not
      // pay for a word-wise attempt at each step.
      for (;;) {
        if (p_ == end_) return false;
        makeRoom();
        const unsigned char c = at(p_);
        if (c == quote) {
          ++p_;
          open = false;
          break;
        }
        if (c == '\\') {
          int written = escape(out);
          if (written < 0) return false;
          out += written;
          continue;
        }
        if (kGroup && c >= 0x81 && c <= 0xFE) {
          if constexpr (std::endian::native == std::endian::little) {
            // Eight bytes from 0x81 to 0xFE are four whole two-byte characters.
            if (end_ - p_ >= 8) {
              std::uint64_t word;
              std::memcpy(&word, p_, 8);
              if ((word & kHighBits) == kHighBits && hasByte(word, 0x80) == 0 &&
                  hasByte(word, 0xFF) == 0) {
                std::memcpy(out, p_, 8);
                out += 8;
                p_ += 8;
                continue;
              }
            }
          }
          // The bytes of the character are not examined: a quote or backslash among them
          // neither ends the string nor escapes. The end of the text is never part of one.
          if (end_ - p_ < 2) return false;
          const unsigned char second = at(p_ + 1);
          const std::ptrdiff_t length = second >= 0x2A && second <= 0x3F ? 4 : 2;
          if (end_ - p_ < length) return false;
          // A fixed size, so that the copy is one move rather than a call.
          if (end_ - p_ >= 4) {
            std::memcpy(out, p_, 4);
          } else {
            std::memcpy(out, p_, 2);
          }
          out += length;
          p_ += length;
          continue;
        }
        *out++ = static_cast<char>(c);
        ++p_;
        break;
      }
    }
    auto length = static_cast<std::size_t>(out - begin) - kPrefix;
    if (sawNul_) {
      // \u0000 ends the stored string; the rest of the text up to the quote was still read.
      length = static_cast<std::size_t>(
          static_cast<const char*>(std::memchr(begin + kPrefix, 0, length)) - (begin + kPrefix));
    }
    arena_.commitTail(begin, kPrefix + length);
    start = begin;
    size = static_cast<std::uint32_t>(length);
    return true;
  }

  // Decodes the escape at p_ (a backslash) into at most 4 bytes at `out`; gives how many, or -1
  // when the read fails.
  int escape(char* out) {
    if (end_ - p_ < 2) return -1;
    char simple;
    switch (p_[1]) {
      case '"': simple = '"'; break;
      case '\'': simple = '\''; break;
      case '/': simple = '/'; break;
      case '\\': simple = '\\'; break;
      case 'b': simple = '\b'; break;
      case 'f': simple = '\f'; break;
      case 'n': simple = '\n'; break;
      case 'r': simple = '\r'; break;
      case 't': simple = '\t'; break;
      case 'u': return unicodeEscape(out);
      default:
        // Not an escape: the backslash stays, and the byte after it is read as usual.
        *out = '\\';
        ++p_;
        return 1;
    }
    *out = simple;
    p_ += 2;
    return 1;
  }

  // The four hex digits at p: the code, or -1.
  static std::int32_t hex4(const char* p) {
    std::int32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const std::int8_t digit = kTables.hex[at(p + i)];
      if (digit < 0) return -1;
      code = code * 16 + digit;
    }
    return code;
  }

  int unicodeEscape(char* out) {
    if (end_ - p_ < 6) return -1;
    const std::int32_t code = hex4(p_ + 2);
    if (code < 0) return -1;
    p_ += 6;
    if (code < 0x80) {
      *out = static_cast<char>(code);
      sawNul_ |= code == 0;
      return 1;
    }
    // Surrogates, where the text leaves a lone low surrogate (DC00-DFFF not after a high one)
    // open: it becomes the replacement character EF BF BD, exactly like a lone high surrogate.
    // Every other code of the four hex digits is a character GB18030 encodes, so the codec's own
    // fallback for codes it cannot represent is never reached from here.
    if (code >= 0xDC00 && code <= 0xDFFF) {
      std::memcpy(out, kReplacement, 3);
      return 3;
    }
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') {
        std::memcpy(out, kReplacement, 3);
        return 3;
      }
      if (end_ - p_ < 6) return -1;
      const std::int32_t low = hex4(p_ + 2);
      if (low < 0) return -1;
      if (low < 0xDC00 || low > 0xDFFF) {
        // The second escape is decoded by itself, by the next step of the string loop.
        std::memcpy(out, kReplacement, 3);
        return 3;
      }
      p_ += 6;
      return encode(out, 0x10000 + (static_cast<char32_t>(code) - 0xD800) * 0x400 +
                             (static_cast<char32_t>(low) - 0xDC00));
    }
    return encode(out, static_cast<char32_t>(code));
  }

  int encode(char* out, char32_t codePoint) {
    // Texts repeat their characters, so a small cache stands in front of the codec.
    if (cache_ == nullptr) cache_ = std::make_unique<CachedCode[]>(kCachedCodes);
    CachedCode& entry = cache_[(codePoint * 0x9E3779B1u) >> (32 - kCachedCodeBits)];
    if (entry.codePoint != codePoint) {
      scratch_.clear();
      appendGb18030(scratch_, codePoint);
      entry.codePoint = codePoint;
      entry.size = static_cast<std::uint8_t>(scratch_.size() < 4 ? scratch_.size() : 4);
      std::memcpy(entry.bytes, scratch_.data(), entry.size);
    }
    std::memcpy(out, entry.bytes, 4);
    return entry.size;
  }

  const char* p_;
  const char* end_;
  Arena& arena_;
  // Elements and members of the arrays and objects still open, innermost last.
  std::vector<Value> values_;
  std::vector<Member> members_;
  RepeatedKeys repeatedKeys_;
  std::string scratch_;
  struct CachedCode {
    char32_t codePoint;  // 0: empty (codes below 0x80 never reach the codec)
    std::uint8_t size;
    char bytes[4];
  };
  static constexpr unsigned kCachedCodeBits = 8;
  static constexpr std::size_t kCachedCodes = std::size_t{1} << kCachedCodeBits;
  std::unique_ptr<CachedCode[]> cache_;
  bool sawNul_ = false;
};

}  // namespace
}  // namespace json_detail

bool jsonParse(JSON& instance, std::string_view text) {
  using namespace json_detail;
  jsonDestroy(instance);
  // A Text ends at its first 0 byte.
  if (const void* nul = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size())) {
    text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
  }
  auto doc = std::make_shared<Document>();
  doc->sourceSize = text.size();
  // Sizes and counts are kept in 32 bits; a Text never comes near that.
  bool ok = text.size() <= std::numeric_limits<std::uint32_t>::max() &&
            Reader(text, doc->arena).document(doc->root);
  if (!ok) {
    instance.failed_ = true;
    return false;
  }
  if (doc->root.kind != Kind::Null) instance.doc_ = std::move(doc);
  return true;
}

}  // namespace kelo
