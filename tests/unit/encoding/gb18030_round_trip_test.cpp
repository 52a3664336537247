// Every code point and every two-byte code survives the trip to GB18030 and back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encoding/gb18030.h"
#include "unit/encoding/unicode_text.h"

namespace kelo {
namespace {

bool isSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

std::string hex(std::string_view bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X ", b);
    out += buf;
  }
  return out;
}

TEST(Gb18030RoundTrip, EveryCodePointComesBack) {
  std::vector<std::string> firstFailures;
  std::size_t failures = 0;
  std::size_t twoByte = 0;
  std::size_t fourByteBmp = 0;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (isSurrogate(cp)) continue;
    const std::string bytes = gb18030FromCodePoint(cp);
    const std::size_t expectedLength = cp < 0x80 ? 1 : cp < 0x10000 ? bytes.size() : 4;
    const std::u32string one(1, cp);
    if (bytes.size() != expectedLength || utf16FromGb18030(bytes) != test::asUtf16(one) ||
        utf8FromGb18030(bytes) != test::asUtf8(one)) {
      if (++failures <= 20) firstFailures.push_back(std::to_string(cp) + ": " + hex(bytes));
    }
    if (cp >= 0x80 && cp < 0x10000) (bytes.size() == 2 ? twoByte : fourByteBmp)++;
  }
  EXPECT_EQ(failures, 0u) << "first: " << testing::PrintToString(firstFailures);
  // Decoding back proves no two code points share bytes; these counts prove the whole two-byte
  // area and the BMP part of the four-byte area are used.
  EXPECT_EQ(twoByte, 126u * 190u);
  EXPECT_EQ(fourByteBmp, 39420u);
}

TEST(Gb18030RoundTrip, EveryTwoByteCodeComesBack) {
  std::vector<std::string> failures;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string text = utf16FromGb18030(bytes);
      if (text.size() != 1 || text[0] == 0xFFFD || gb18030FromUtf16(text) != bytes) {
        failures.push_back(hex(bytes));
      }
    }
  }
  EXPECT_TRUE(failures.empty()) << testing::PrintToString(failures);
}

TEST(Gb18030RoundTrip, AllCodePointsInOneTextComeBackThroughBothForms) {
  std::u32string all;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (!isSurrogate(cp)) all.push_back(cp);
  }
  const std::u16string utf16 = test::asUtf16(all);
  const std::string utf8 = test::asUtf8(all);
  const std::string gb = gb18030FromUtf16(utf16);
  EXPECT_EQ(gb18030FromUtf8(utf8), gb);
  EXPECT_TRUE(utf16FromGb18030(gb) == utf16);
  EXPECT_TRUE(utf8FromGb18030(gb) == utf8);
}

}  // namespace
}  // namespace kelo
