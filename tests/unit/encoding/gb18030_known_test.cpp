// Known code points and their GB18030-2022 bytes, both ways, and what has no code.
#include <gtest/gtest.h>

#include <string>

#include "encoding/gb18030.h"
#include "unit/encoding/unicode_text.h"

namespace kelo {
namespace {

struct Known {
  char32_t cp;
  std::string bytes;
};

const Known kKnown[] = {
    {0x0000, std::string(1, '\0')},
    {0x0041, "A"},
    {0x007F, "\x7F"},
    {0x0080, "\x81\x30\x81\x30"},  // first four-byte code
    {0x00A4, "\xA1\xE8"},
    {0x00C4, "\x81\x30\x87\x32"},
    {0x3000, "\xA1\xA1"},
    {0x3400, "\x81\x39\xEE\x39"},
    {0x4E2D, "\xD6\xD0"},
    {0x4E57, "\x81\x5C"},  // second byte is a backslash
    {0x20AC, "\xA2\xE3"},  // no single-byte euro sign in GB18030
    {0xE000, "\xAA\xA1"},  // user-defined area
    {0xE5E5, "\xA3\xA0"},
    // Moved by the 2005 edition.
    {0x1E3F, "\xA8\xBC"},
    {0xE7C7, "\x81\x35\xF4\x37"},
    // Moved by the 2022 edition: the standard character takes the two-byte code, its former
    // private-use stand-in the four-byte one; note FE11/FE12 cross over.
    {0xFE10, "\xA6\xD9"},
    {0xFE11, "\xA6\xDB"},
    {0xFE12, "\xA6\xDA"},
    {0xE78D, "\x84\x31\x82\x36"},
    {0xE78E, "\x84\x31\x82\x38"},
    {0xE78F, "\x84\x31\x82\x37"},
    {0x9FB4, "\xFE\x59"},
    {0x9FBB, "\xFE\xA0"},
    {0xE81E, "\x82\x35\x90\x37"},
    {0xE864, "\x82\x35\x91\x34"},
    // Kept on private use by 2022; the standard character keeps its four-byte code.
    {0xE816, "\xFE\x51"},
    {0x20087, "\x95\x32\x90\x31"},
    {0xFFFD, "\x84\x31\xA4\x37"},
    {0xFFFF, "\x84\x31\xA4\x39"},  // last BMP code
    {0x10000, "\x90\x30\x81\x30"},
    {0x1F600, "\x94\x39\xFC\x36"},
    {0x10FFFF, "\xE3\x32\x9A\x35"},
};

TEST(Gb18030Known, EncodesToKnownBytes) {
  for (const Known& k : kKnown) {
    EXPECT_EQ(gb18030FromCodePoint(k.cp), k.bytes)
        << std::hex << "U+" << static_cast<unsigned>(k.cp);
  }
}

TEST(Gb18030Known, DecodesKnownBytes) {
  for (const Known& k : kKnown) {
    const std::u32string cp(1, k.cp);
    EXPECT_EQ(utf16FromGb18030(k.bytes), test::asUtf16(cp))
        << std::hex << "U+" << static_cast<unsigned>(k.cp);
    EXPECT_EQ(utf8FromGb18030(k.bytes), test::asUtf8(cp))
        << std::hex << "U+" << static_cast<unsigned>(k.cp);
  }
}

TEST(Gb18030Known, CodePointsWithoutACodeBecomeQuestionMark) {
  for (char32_t cp : {0xD800u, 0xDBFFu, 0xDC00u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(gb18030FromCodePoint(cp), "?") << std::hex << static_cast<unsigned>(cp);
  }
}

TEST(Gb18030Known, AppendKeepsWhatIsThere) {
  std::string out = "x";
  appendGb18030(out, 0x4E2D);
  appendGb18030(out, 0x1F600);
  appendGb18030(out, 'y');
  EXPECT_EQ(out, "x\xD6\xD0\x94\x39\xFC\x36y");
}

TEST(Gb18030Known, ConvertsWholeTexts) {
  // Kelo网盘 Ä😀: ASCII, two-byte, four-byte BMP and supplementary characters.
  const std::string gb = "Kelo\xCD\xF8\xC5\xCC \x81\x30\x87\x32\x94\x39\xFC\x36";
  const std::u32string cps = U"Kelo\u7F51\u76D8 \u00C4\U0001F600";
  EXPECT_EQ(gb18030FromUtf8(test::asUtf8(cps)), gb);
  EXPECT_EQ(gb18030FromUtf16(test::asUtf16(cps)), gb);
  EXPECT_EQ(utf8FromGb18030(gb), test::asUtf8(cps));
  EXPECT_EQ(utf16FromGb18030(gb), test::asUtf16(cps));
  EXPECT_EQ(gb18030FromUtf8(""), "");
  EXPECT_EQ(utf16FromGb18030(""), u"");
}

TEST(Gb18030Known, ByteZeroIsKeptInsideTexts) {
  const std::string gb("a\0\xD6\xD0", 4);
  EXPECT_EQ(utf16FromGb18030(gb), std::u16string(u"a\0\u4E2D", 3));
  EXPECT_EQ(gb18030FromUtf16(std::u16string(u"a\0\u4E2D", 3)), gb);
}

}  // namespace
}  // namespace kelo
