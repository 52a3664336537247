// Malformed and cut-off input: one replacement (U+FFFD, or '?' towards GB18030) for the bad
// part, and everything after it is still read.
#include <gtest/gtest.h>

#include <string>

#include "encoding/gb18030.h"
#include "unit/encoding/unicode_text.h"

namespace kelo {
namespace {

constexpr char32_t R = 0xFFFD;

struct Decoding {
  std::string bytes;
  std::u32string expected;
};

const Decoding kBadGb18030[] = {
    // Single bytes that are no character.
    {"\x80", {R}},
    {"\xFF", {R}},
    {"a\x80"
     "b",
     {'a', R, 'b'}},
    // A first byte whose follower cannot continue it: only the first byte is lost.
    {"\x81\x7F", {R, 0x7F}},
    {"\x81\xFF", {R, R}},
    {"\x81\x22", {R, '"'}},
    {"\x81\x5C\xD6", {0x4E57, R}},
    {"\x80\xD6\xD0", {R, 0x4E2D}},
    {"\x81\x30\x20\x30", {R, '0', ' ', '0'}},
    {"\x81\x30\x81\x3A", {R, '0', R, ':'}},
    {"\x81\x30\x81\x81\xD6\xD0", {R, '0', 0x4E96, 0x4E2D}},
    // Cut off by the end of the input.
    {"\xD6", {R}},
    {"\xD6\xD0\xD6", {0x4E2D, R}},
    {"\x81\x30", {R, '0'}},
    {"\x81\x30\x87", {R, '0', R}},
    {"\x94\x39\xFC", {R, '9', R}},
    // Well-formed four-byte codes with nothing assigned: past the BMP part, between the BMP and
    // the supplementary part, past U+10FFFF.
    {"\x84\x31\xA5\x30", {R, '1', R, '0'}},
    {"\x8F\x39\xFE\x39", {R, '9', R, '9'}},
    {"\xE3\x32\x9A\x36", {R, '2', R, '6'}},
    {"\xFE\x39\xFE\x39", {R, '9', R, '9'}},
};

TEST(Gb18030Malformed, DecodesBadBytesToOneReplacementEach) {
  for (const Decoding& d : kBadGb18030) {
    EXPECT_EQ(utf16FromGb18030(d.bytes), test::asUtf16(d.expected))
        << testing::PrintToString(d.bytes);
    EXPECT_EQ(utf8FromGb18030(d.bytes), test::asUtf8(d.expected))
        << testing::PrintToString(d.bytes);
  }
}

TEST(Gb18030Malformed, UnpairedUtf16SurrogatesBecomeQuestionMarks) {
  const struct {
    std::u16string text;
    std::string expected;
  } cases[] = {
      {u"\xD83D", "?"},
      {u"\xDE00", "?"},
      {u"a\xD83D"
       "b",
       "a?b"},
      {u"\xDE00\xD83D", "??"},
      {u"\xD83D\xD83D\xDE00", "?\x94\x39\xFC\x36"},
      {u"\xD83D\xDE00\xDE00", "\x94\x39\xFC\x36?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gb18030FromUtf16(c.text), c.expected) << testing::PrintToString(c.expected);
  }
}

TEST(Gb18030Malformed, IllFormedUtf8BecomesOneQuestionMarkPerBadPart) {
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {"\x80", "?"},
      {"\xFF"
       "a",
       "?a"},
      {"\xC0\x80", "??"},            // overlong lead byte
      {"\xE0\x80\x80", "???"},       // overlong
      {"\xED\xA0\x80", "???"},       // encoded surrogate
      {"\xF4\x90\x80\x80", "????"},  // past U+10FFFF
      {"\xF5\x80", "??"},
      {"\xE4\xB8", "?"},  // cut off by the end
      {"\xE4\xB8"
       "A\xE4\xB8\xAD",
       "?A\xD6\xD0"},
      {"\xF0\x9F\x98", "?"},
      {"\xF0\x9F\x98\xF0\x9F\x98\x80", "?\x94\x39\xFC\x36"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gb18030FromUtf8(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace kelo
