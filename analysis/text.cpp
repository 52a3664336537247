// The Text operations: byte-exact cutting, joining and comparing, and the two searches that
// only accept occurrences beginning at a character start of a walk from the window's first byte.
#include "analysis/text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace kelo {
namespace {

// Positions are 32-bit but arithmetic on them (s + n, L - n, s - 1) is done in 64 bits so that
// INT32_MIN / INT32_MAX arguments cannot overflow.
using Wide = int64_t;

constexpr Wide kMaxPosition = std::numeric_limits<int32_t>::max();
constexpr size_t kNone = std::string_view::npos;

// A Text longer than any 32-bit position can name is searched and measured only as far as
// positions reach; cutting and joining still see every byte.
Wide lengthOf(std::string_view text) {
  return std::min<Wide>(static_cast<Wide>(text.size()), kMaxPosition);
}

const unsigned char* bytesOf(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

unsigned char foldCase(unsigned char byte) {
  return (byte >= 0x41 && byte <= 0x5A) ? static_cast<unsigned char>(byte + 0x20) : byte;
}

// How common a byte is in replies and addresses, roughly: the scan looks for the search
// text's least common byte, so that it stops rarely on ordinary text.
int commonness(unsigned char byte) {
  if (std::memchr("etaoinsr ", byte, 9) != nullptr) return 6;
  if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) return 5;
  if (std::memchr("/\".,-_\\=&%", byte, 10) != nullptr) return 4;
  if (byte >= 'A' && byte <= 'Z') return 3;
  if (byte >= 0x80) return 3;
  if (byte < 0x20) return 1;
  return 2;
}

// The first `byte` in [at, end), or nullptr. The next 16 bytes are looked at in place, 8 at a
// time, because a hit close by is common and a library call for it costs more than the look.
const unsigned char* findByte(const unsigned char* at, const unsigned char* end,
                              unsigned char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  for (int word = 0; word < 2 && end - at >= 8; ++word, at += 8) {
    uint64_t bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    const uint64_t x = bytes ^ (kOnes * byte);
    // 0x80 in each byte of x that is zero, exactly (no borrow between bytes).
    const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    if (zero != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return at + std::countr_zero(zero) / 8;
      } else {
        return at + std::countl_zero(zero) / 8;
      }
    }
  }
  return static_cast<const unsigned char*>(std::memchr(at, byte, static_cast<size_t>(end - at)));
}

// Byte offset of the first occurrence of `search` (non-empty) in `hay` starting at or after
// `from`, or kNone. The scan runs memchr over the search text's rarest byte and compares only
// where that byte sits.
size_t nextExact(std::string_view hay, std::string_view search, size_t from) {
  const size_t k = search.size();
  if (hay.size() < k || from > hay.size() - k) return kNone;
  const unsigned char* s = bytesOf(search);
  size_t rare = 0;
  for (size_t i = 1; i < k; ++i) {
    if (commonness(s[i]) < commonness(s[rare])) rare = i;
  }
  const unsigned char* h = bytesOf(hay);
  // Offsets where the rare byte must sit for the occurrence to fit in [from, hay.size()).
  const unsigned char* at = h + from + rare;
  const unsigned char* const end = h + (hay.size() - k) + rare + 1;
  while (at < end) {
    const unsigned char* hit = findByte(at, end, s[rare]);
    if (hit == nullptr) return kNone;
    const unsigned char* candidate = hit - rare;
    // The end bytes first: most false hits fail there without a call.
    if (candidate[0] == s[0] && candidate[k - 1] == s[k - 1] &&
        std::memcmp(candidate, s, k) == 0) {
      return static_cast<size_t>(candidate - h);
    }
    at = hit + 1;
  }
  return kNone;
}

bool equalFolded(const unsigned char* a, const unsigned char* b, size_t k) {
  for (size_t i = 0; i < k; ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

// Searches that no caller of the command path makes (case folding) stay plain loops.
size_t nextFolded(std::string_view hay, std::string_view search, size_t from) {
  const size_t k = search.size();
  if (hay.size() < k) return kNone;
  const unsigned char* h = bytesOf(hay);
  const unsigned char* s = bytesOf(search);
  for (size_t q = from; q <= hay.size() - k; ++q) {
    if (equalFolded(h + q, s, k)) return q;
  }
  return kNone;
}

// Byte offset of the last occurrence of `search` (non-empty) in `hay` starting at or before
// `last`, or kNone.
size_t previousOccurrence(std::string_view hay, std::string_view search, size_t last,
                          bool ignoreCase) {
  const size_t k = search.size();
  const unsigned char* h = bytesOf(hay);
  const unsigned char* s = bytesOf(search);
  const unsigned char first = ignoreCase ? foldCase(s[0]) : s[0];
  for (size_t q = last + 1; q-- > 0;) {
    const unsigned char byte = ignoreCase ? foldCase(h[q]) : h[q];
    if (byte != first) continue;
    if (ignoreCase ? equalFolded(h + q, s, k) : std::memcmp(h + q, s, k) == 0) return q;
  }
  return kNone;
}

// A byte below 0x80 always ends a character (alone, or as the second byte of a pair), so the
// byte after it always starts one. Whether q starts a character therefore depends only on the
// run of bytes of 0x80 and above right before it: back to the first byte below 0x80, or to
// `floor`, a known character start, that run is a sequence of pairs when its length is even.
// Returns where the run begins.
size_t runStart(const unsigned char* bytes, size_t floor, size_t q) {
  size_t p = q;
  while (p > floor && bytes[p - 1] >= 0x80) --p;
  return p;
}

// Byte offsets [begin, end) of a search window.
struct Window {
  size_t begin;
  size_t end;
};

int32_t positionOf(size_t offset) { return static_cast<int32_t>(offset + 1); }

int32_t searchForward(std::string_view text, std::string_view search, Window window,
                      bool ignoreCase) {
  if (window.begin >= window.end) return -1;
  if (search.empty()) return 1;
  const std::string_view hay = text.substr(0, window.end);
  const unsigned char* bytes = bytesOf(text);
  // Every byte before `floor` has been ruled out, and `floor` starts a character, so no
  // run is counted twice: the checks together read each byte at most once.
  size_t floor = window.begin;
  for (size_t from = window.begin;;) {
    const size_t q =
        ignoreCase ? nextFolded(hay, search, from) : nextExact(hay, search, from);
    if (q == kNone) return -1;
    if ((q - runStart(bytes, floor, q)) % 2 == 0) return positionOf(q);
    // q is the second byte of a pair, so the next byte starts a character.
    floor = from = q + 1;
  }
}

// The last candidate of the forward walk that matches, found from the end: each occurrence is
// checked by the run of high bytes before it, which gives the same answer as the forward walk.
int32_t searchBackward(std::string_view text, std::string_view search, Window window,
                       bool ignoreCase) {
  if (window.begin >= window.end) return -1;
  if (search.empty()) return 1;
  const size_t k = search.size();
  if (k > window.end - window.begin) return -1;
  const std::string_view hay = text.substr(0, window.end);
  const unsigned char* bytes = bytesOf(text);
  // The last run measured, [knownStart, knownEnd): an occurrence inside it shares its start,
  // so runs are never measured twice and the whole search stays linear.
  size_t knownStart = kNone;
  size_t knownEnd = kNone;
  for (size_t last = window.end - k;;) {
    const size_t q = previousOccurrence(hay, search, last, ignoreCase);
    if (q == kNone || q < window.begin) return -1;
    if (knownStart == kNone || q < knownStart || q > knownEnd) {
      knownStart = runStart(bytes, window.begin, q);
      knownEnd = q;
    }
    if ((q - knownStart) % 2 == 0) return positionOf(q);
    last = q - 1;  // q > knownStart here, so q >= 1
  }
}

int32_t clampToInt32(Wide value) {
  return static_cast<int32_t>(
      std::clamp<Wide>(value, std::numeric_limits<int32_t>::min(), kMaxPosition));
}

// The kept head and the removed run of replaceRange, in bytes.
struct Range {
  size_t head;
  size_t removed;
};

Range replacedRange(size_t size, int32_t start, int32_t count) {
  const Wide length = static_cast<Wide>(size);
  const Wide kept = std::clamp<Wide>(Wide{start} - 1, 0, length);
  const Wide removed = count <= 0 ? 0 : std::min<Wide>(count, length - kept);
  return {static_cast<size_t>(kept), static_cast<size_t>(removed)};
}

}  // namespace

int32_t textLength(std::string_view text) { return clampToInt32(lengthOf(text)); }

Text textRight(std::string_view text, int32_t count) {
  const Wide length = static_cast<Wide>(text.size());
  if (count <= 0) return Text();
  if (count >= length) return Text(text);
  return Text(text.substr(static_cast<size_t>(length - count)));
}

Text textMid(std::string_view text, int32_t start, int32_t count) {
  const Wide length = static_cast<Wide>(text.size());
  if (start < 1 || start > length || count <= 0) return Text();
  const Wide first = Wide{start} - 1;
  const Wide taken = std::min<Wide>(count, length - first);
  return Text(text.substr(static_cast<size_t>(first), static_cast<size_t>(taken)));
}

int32_t findText(std::string_view text, std::string_view search, std::optional<int32_t> start,
                 bool ignoreCase) {
  const Wide length = lengthOf(text);
  const Wide first = start ? std::max<Wide>(*start, 1) : 1;
  if (first > length) return -1;
  return searchForward(text, search,
                       Window{static_cast<size_t>(first - 1), static_cast<size_t>(length)},
                       ignoreCase);
}

int32_t findTextReverse(std::string_view text, std::string_view search,
                        std::optional<int32_t> start, bool ignoreCase) {
  const Wide length = lengthOf(text);
  const Wide last = start ? std::min<Wide>(Wide{*start} - 1, length) : length;
  if (last < 1) return -1;
  return searchBackward(text, search, Window{0, static_cast<size_t>(last)}, ignoreCase);
}

Text replaceRange(std::string_view text, int32_t start, int32_t count,
                  std::string_view replacement) {
  const Range range = replacedRange(text.size(), start, count);
  const size_t tail = range.head + range.removed;
  Text result;
  result.reserve(range.head + replacement.size() + (text.size() - tail));
  result.append(text.substr(0, range.head));
  result.append(replacement);
  result.append(text.substr(tail));
  return result;
}

void detail::replaceRangeInPlace(Text& text, int32_t start, int32_t count,
                                 std::string_view replacement) {
  const Range range = replacedRange(text.size(), start, count);
  text.replace(range.head, range.removed, replacement);
}

Text bytesToText(std::string_view buffer) {
  if (buffer.empty()) return Text();
  const void* zero = std::memchr(buffer.data(), 0, buffer.size());
  if (zero == nullptr) return Text(buffer);
  return Text(buffer.data(), static_cast<const char*>(zero));
}

Text concatText(std::initializer_list<std::string_view> texts) {
  size_t total = 0;
  for (std::string_view text : texts) total += text.size();
  Text result;
  result.reserve(total);
  for (std::string_view text : texts) result.append(text);
  return result;
}

int compareText(std::string_view a, std::string_view b) {
  // char_traits<char> compares as unsigned char, which is the byte order wanted here.
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace kelo
