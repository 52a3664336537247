// Compares the codec with the system's iconv(3) "GB18030" over every code point and every
// structurally valid but unassigned byte sequence (native Linux tree only).
#include <gtest/gtest.h>

#include <iconv.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "encoding/gb18030.h"

namespace kelo {
namespace {

// One iconv descriptor, closed by its owner.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole of `in` converted, or nothing when iconv refuses any part of it.
  std::optional<std::string> convert(std::string_view in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[64];
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
      return std::nullopt;
    }
    return std::string(buffer, outPtr);
  }

 private:
  iconv_t cd_;
};

std::string utf32(char32_t cp) {
  return {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF),
          static_cast<char>((cp >> 16) & 0xFF), static_cast<char>(cp >> 24)};
}

std::optional<char32_t> singleCodePoint(const std::optional<std::string>& utf32le) {
  if (!utf32le || utf32le->size() != 4) return std::nullopt;
  const auto b = [&](int i) {
    return static_cast<char32_t>(static_cast<unsigned char>((*utf32le)[i]));
  };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

std::u16string utf16Of(char32_t cp) {
  if (cp < 0x10000) return std::u16string(1, static_cast<char16_t>(cp));
  return {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)),
          static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
}

std::string describe(char32_t cp, std::string_view bytes) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "U+%04X:", static_cast<unsigned>(cp));
  std::string out = buf;
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, " %02X", b);
    out += buf;
  }
  return out;
}

// Where glibc 2.36 parts from the 2022 mapping the codec follows: it already gives the 18 moved
// characters their two-byte codes, but leaves their former private-use stand-ins without a code,
// and reads six two-byte codes as Extension B characters. A glibc that agrees with the codec
// passes too.
struct KnownDifference {
  char32_t cp;
  std::string glibcBytes;       // what glibc encodes cp to; empty: it has no code for cp
  char32_t glibcReadsOurBytes;  // what glibc decodes the codec's bytes to; 0: it refuses them
};

std::vector<KnownDifference> knownDifferences() {
  std::vector<KnownDifference> known;
  // Private-use stand-ins that 2022 moved to four-byte codes; glibc leaves those codes empty.
  for (char32_t cp : {0xE78D, 0xE78E, 0xE78F, 0xE790, 0xE791, 0xE792, 0xE793, 0xE794, 0xE795,
                      0xE796, 0xE81E, 0xE826, 0xE82B, 0xE82C, 0xE832, 0xE843, 0xE854, 0xE864}) {
    known.push_back({cp, "", 0});
  }
  // Two-byte codes that stay private use in 2022; glibc reads them as the Extension B characters
  // they were meant to be and encodes those characters to them.
  const struct {
    char32_t pua;
    char32_t extB;
    const char* bytes;
  } kept[] = {{0xE816, 0x20087, "\xFE\x51"}, {0xE817, 0x20089, "\xFE\x52"},
              {0xE818, 0x200CC, "\xFE\x53"}, {0xE831, 0x215D7, "\xFE\x6C"},
              {0xE83B, 0x2298F, "\xFE\x76"}, {0xE855, 0x241FE, "\xFE\x91"}};
  for (const auto& k : kept) {
    known.push_back({k.pua, "", k.extB});
    known.push_back({k.extB, k.bytes, k.extB});
  }
  return known;
}

const KnownDifference* findKnown(char32_t cp) {
  static const std::vector<KnownDifference> known = knownDifferences();
  for (const KnownDifference& d : known) {
    if (d.cp == cp) return &d;
  }
  return nullptr;
}

class IconvCheck : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(toGb_.valid() && fromGb_.valid()) << "iconv has no GB18030"; }
  Converter toGb_{"GB18030", "UTF-32LE"};
  Converter fromGb_{"UTF-32LE", "GB18030"};
};

TEST_F(IconvCheck, EveryCodePointMatchesBothWays) {
  std::vector<std::string> mismatches;  // the first 50
  std::size_t mismatchCount = 0;
  std::vector<std::string> knownSeen;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string ours = gb18030FromCodePoint(cp);
    const std::optional<std::string> theirs = toGb_.convert(utf32(cp));
    const std::optional<char32_t> theirReading = singleCodePoint(fromGb_.convert(ours));
    ASSERT_EQ(utf16FromGb18030(ours), utf16Of(cp)) << describe(cp, ours);
    if (theirs == ours && theirReading == cp) continue;

    const KnownDifference* k = findKnown(cp);
    const bool encodingAsKnown =
        theirs == ours || (k && (k->glibcBytes.empty() ? !theirs : theirs == k->glibcBytes));
    const bool readingAsKnown =
        theirReading == cp ||
        (k && (k->glibcReadsOurBytes == 0 ? !theirReading : theirReading == k->glibcReadsOurBytes));
    if (k && encodingAsKnown && readingAsKnown) {
      knownSeen.push_back(describe(cp, ours));
    } else if (++mismatchCount <= 50) {
      mismatches.push_back(describe(cp, ours) +
                           " glibc:" + (theirs ? describe(cp, *theirs) : "none"));
    }
  }
  EXPECT_EQ(mismatchCount, 0u) << testing::PrintToString(mismatches);
  std::printf("%zu known differences with this glibc:", knownSeen.size());
  for (const std::string& s : knownSeen) std::printf(" [%s]", s.c_str());
  std::printf("\n");
}

TEST_F(IconvCheck, SingleAndTwoByteInputsDecodeAlike) {
  std::vector<std::string> mismatches;
  const auto check = [&](const std::string& bytes) {
    const std::optional<char32_t> theirs = singleCodePoint(fromGb_.convert(bytes));
    const std::u16string ours = utf16FromGb18030(bytes);
    const bool agree = theirs ? ours == utf16Of(*theirs) : (!ours.empty() && ours[0] == 0xFFFD);
    // The codec's code of a known difference is read otherwise by glibc (checked above).
    const KnownDifference* k = ours.size() == 1 ? findKnown(ours[0]) : nullptr;
    const bool known = k && theirs == (k->glibcReadsOurBytes ? std::optional(k->glibcReadsOurBytes)
                                                             : std::nullopt);
    if (!agree && !known) mismatches.push_back(describe(theirs.value_or(0), bytes));
  };
  for (int b = 0; b <= 0xFF; ++b) check(std::string(1, static_cast<char>(b)));
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      check({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  EXPECT_TRUE(mismatches.empty()) << testing::PrintToString(mismatches);
}

TEST_F(IconvCheck, UnassignedFourByteCodesAreRefusedByBoth) {
  std::vector<std::string> mismatches;
  constexpr std::uint32_t kBmpEnd = 39420;              // one past 84 31 A4 39
  constexpr std::uint32_t kSupplementaryBase = 189000;  // 90 30 81 30
  constexpr std::uint32_t kSupplementaryEnd = kSupplementaryBase + 0x100000;
  constexpr std::uint32_t kAll = 126 * 10 * 126 * 10;
  for (std::uint32_t index = 0; index < kAll; ++index) {
    if (index < kBmpEnd || (index >= kSupplementaryBase && index < kSupplementaryEnd)) continue;
    const std::string bytes{
        static_cast<char>(0x81 + index / 12600), static_cast<char>(0x30 + index / 1260 % 10),
        static_cast<char>(0x81 + index / 10 % 126), static_cast<char>(0x30 + index % 10)};
    const bool theyRefuse = !fromGb_.convert(bytes);
    const std::u16string ours = utf16FromGb18030(bytes);
    if (!theyRefuse || ours.size() != 4 || ours[0] != 0xFFFD)
      mismatches.push_back(describe(0, bytes));
    if (mismatches.size() > 20) break;
  }
  EXPECT_TRUE(mismatches.empty()) << testing::PrintToString(mismatches);
}

}  // namespace
}  // namespace kelo
