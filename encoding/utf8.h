// UTF-8 in and out for the codec's conversions (internal).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelo::utf8 {

inline void append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    const char bytes[] = {static_cast<char>(0xC0 | (cp >> 6)),
                          static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(bytes, 2);
  } else if (cp < 0x10000) {
    const char bytes[] = {static_cast<char>(0xE0 | (cp >> 12)),
                          static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                          static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(bytes, 3);
  } else {
    const char bytes[] = {
        static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
        static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(bytes, 4);
  }
}

inline constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Decoded {
  char32_t codePoint;  // kInvalid for an ill-formed sequence
  std::size_t length;
};

// Reads the sequence at text[pos] (pos < text.size()). An ill-formed sequence is reported once
// for its longest valid beginning (at least one byte), the way Unicode recommends for
// substitution, so a stray byte never swallows the character after it.
inline Decoded next(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  std::size_t more;
  char32_t cp;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return {kInvalid, 1};
  }
  std::size_t length = 1;
  for (; more > 0; --more, ++length) {
    if (pos + length >= text.size()) return {kInvalid, length};
    const auto byte = static_cast<unsigned char>(text[pos + length]);
    if (byte < low || byte > high) return {kInvalid, length};
    cp = (cp << 6) | (byte & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {cp, length};
}

}  // namespace kelo::utf8
