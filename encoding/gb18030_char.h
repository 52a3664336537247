// One character between a code point and its GB18030 bytes, by the generated tables (internal).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace kelo::gb18030 {

// Linear indexes fit 16 bits in the BMP part of the four-byte area (39420 codes).
struct FourByteRun {
  std::uint16_t index;
  std::uint16_t codePoint;
};

#include "encoding/gb18030_tables.inc"

inline constexpr char32_t kReplacement = 0xFFFD;
// Linear index of 90 30 81 30, the code of U+10000; the supplementary planes follow in order.
inline constexpr std::uint32_t kSupplementaryBase = 189000;
inline constexpr std::uint32_t kSupplementaryEnd = kSupplementaryBase + 0x100000;

constexpr bool isSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// The runs leave no gaps, so the run holding `key` is the last one that starts at or before it
// (the first run starts at the smallest key ever looked up: index 0, U+0080).
template <auto Key, std::size_t N>
constexpr const FourByteRun& runHolding(const FourByteRun (&runs)[N], std::uint32_t key) {
  const auto after =
      std::upper_bound(std::begin(runs), std::end(runs), key,
                       [](std::uint32_t k, const FourByteRun& run) { return k < run.*Key; });
  return *(after - 1);
}

constexpr std::size_t writeFourBytes(std::uint32_t index, char* out) {
  out[3] = static_cast<char>(0x30 + index % 10);
  index /= 10;
  out[2] = static_cast<char>(0x81 + index % 126);
  index /= 126;
  out[1] = static_cast<char>(0x30 + index % 10);
  out[0] = static_cast<char>(0x81 + index / 10);
  return 4;
}

// Writes the 1, 2 or 4 bytes of `cp` to `out` and returns how many; '?' for a surrogate or a
// value past U+10FFFF, which have no code.
constexpr std::size_t encodeChar(char32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp >= 0x10000) {
    if (cp > 0x10FFFF) {
      out[0] = '?';
      return 1;
    }
    return writeFourBytes(kSupplementaryBase + (cp - 0x10000), out);
  }
  if (isSurrogate(cp)) {
    out[0] = '?';
    return 1;
  }
  const std::uint16_t code =
      kTwoByteBlocks[kCodePointBlock[cp >> kBlockShift]][cp & ((1u << kBlockShift) - 1)];
  if (code != 0) {
    out[0] = static_cast<char>(code >> 8);
    out[1] = static_cast<char>(code & 0xFF);
    return 2;
  }
  const FourByteRun& run = runHolding<&FourByteRun::codePoint>(kRunsByCodePoint, cp);
  return writeFourBytes(run.index + (cp - run.codePoint), out);
}

struct DecodedChar {
  char32_t codePoint;
  std::size_t length;
};

// Reads the character starting at bytes[pos] (pos < bytes.size()). Anything that is not a whole,
// assigned code gives U+FFFD for its first byte alone, so the bytes after it are read again.
constexpr DecodedChar decodeChar(std::string_view bytes, std::size_t pos) {
  constexpr DecodedChar bad{kReplacement, 1};
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned lead = at(pos);
  if (lead < 0x80) return {lead, 1};
  if (lead == 0x80 || lead == 0xFF || bytes.size() - pos < 2) return bad;
  const unsigned second = at(pos + 1);
  if (second >= 0x40 && second <= 0xFE && second != 0x7F) {
    const unsigned column = second - 0x40 - (second > 0x7F ? 1 : 0);
    return {kTwoByteToCodePoint[(lead - 0x81) * kTrailCount + column], 2};
  }
  if (second < 0x30 || second > 0x39 || bytes.size() - pos < 4) return bad;
  const unsigned third = at(pos + 2);
  const unsigned fourth = at(pos + 3);
  if (third < 0x81 || third > 0xFE || fourth < 0x30 || fourth > 0x39) return bad;
  const std::uint32_t index =
      ((lead - 0x81) * 10 + (second - 0x30)) * 1260 + (third - 0x81) * 10 + (fourth - 0x30);
  if (index < static_cast<std::uint32_t>(kFourByteBmpCount)) {
    const FourByteRun& run = runHolding<&FourByteRun::index>(kRunsByIndex, index);
    return {static_cast<char32_t>(run.codePoint + (index - run.index)), 4};
  }
  if (index >= kSupplementaryBase && index < kSupplementaryEnd) {
    return {0x10000 + (index - kSupplementaryBase), 4};
  }
  return bad;
}

}  // namespace kelo::gb18030
