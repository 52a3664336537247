// Tests of the Text operations: tables of cases at every edge, and the two searches checked
// against a candidate-by-candidate walk on random texts full of double-byte lead bytes.
#include "analysis/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace kelo {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(textLength(""), 0);
  EXPECT_EQ(textLength({}), 0);
  EXPECT_EQ(textLength("\xD6\xD0\x41"), 3);
}

TEST(TextRight, TakesAtMostTheLastCountBytes) {
  struct Case {
    std::string_view text;
    int32_t count;
    std::string_view expected;
  };
  const Case cases[] = {
      {"abc", 5, "abc"},       {"abc", 3, "abc"},          {"abc", 2, "bc"},
      {"abc", 0, ""},          {"abc", -4, ""},            {"A\xD6\xD0", 1, "\xD0"},
      {"abc", kMax, "abc"},    {"abc", kMin, ""},          {"", 3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textRight(c.text, c.count), c.expected) << c.text << " " << c.count;
  }
}

TEST(TextMid, CutsWithoutMovingTheStart) {
  struct Case {
    int32_t start;
    int32_t count;
    std::string_view expected;
  };
  const Case cases[] = {
      {3, 2, "cd"},  {5, 10, "ef"},      {6, 1, "f"},     {0, 3, ""},       {-1, 3, ""},
      {7, 1, ""},    {2, 0, ""},         {2, -5, ""},     {1, kMax, "abcdef"},
      {kMax, kMax, ""}, {kMin, kMax, ""}, {6, kMax, "f"}, {3, kMin, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textMid("abcdef", c.start, c.count), c.expected) << c.start << " " << c.count;
  }
  EXPECT_EQ(textMid("", 1, 1), "");
  EXPECT_EQ(textMid("\xD6\xD0\x41", 2, 1), "\xD0");
}

struct SearchCase {
  std::string_view text;
  std::string_view search;
  std::optional<int32_t> start;
  bool ignoreCase;
  int32_t forward;
  int32_t reverse;
};

// forward/reverse: what findText and findTextReverse give for the same arguments.
const SearchCase kSearchCases[] = {
    {"a/b/c", "/", {}, false, 2, 4},
    {"abc", "/", {}, false, -1, -1},
    {"", "", {}, false, -1, -1},
    {"", "a", {}, false, -1, -1},
    {"abc", "", {}, false, 1, 1},
    {"abc", "", 3, false, 1, 1},
    {"abc", "", 4, false, -1, 1},
    {"abc", "", 1, false, 1, -1},
    {"abc", "abcd", {}, false, -1, -1},
    {"abcabc", "abc", 2, false, 4, -1},
    {"abcabc", "abc", 0, false, 1, -1},
    {"abcabc", "abc", -7, false, 1, -1},
    {"abcabc", "abc", 7, false, -1, 4},
    {"abcabc", "abc", 100, false, -1, 4},
    {"abcabc", "abc", 6, false, -1, 1},
    {"abcabc", "abc", kMax, false, -1, 4},
    {"abcabc", "abc", kMin, false, 1, -1},
    {"aaa", "aa", {}, false, 1, 2},
    // A backslash that is the second byte of a double-byte character never starts a match.
    {"\x95\x5C\x2F", "\\/", {}, false, -1, -1},
    {"\x41\x5C\x2F", "\\/", {}, false, 2, 2},
    // Three-byte UTF-8 seen as GBK: E4 B8 and AD 2F are the characters, so no '/' is found.
    {"\xE4\xB8\xAD\x2F", "/", {}, false, -1, -1},
    {"\x61\xB0", "\xB0", {}, false, 2, 2},
    // A start on a second byte is not realigned: D0 41 is taken as one character.
    {"\xD6\xD0\x41", "A", 2, false, -1, -1},
    {"\xD6\xD0\x41", "A", {}, false, 3, 3},
    {"\xD6\xD0\x41", "\xD0\x41", 2, false, 2, -1},
    // The compared run may end inside a double-byte character.
    {"x\xD6\xD0", "x\xD6", {}, false, 1, 1},
    {"xabc", "ABC", {}, true, 2, 2},
    {"xabc", "ABC", {}, false, -1, -1},
    {"xABC", "abc", {}, true, 2, 2},
    // Only A-Z fold: 0x5B-0x60 and the bytes 0x20 above them stay apart.
    {"[", "{", {}, true, -1, -1},
    {"\xC1", "\xE1", {}, true, -1, -1},
    // Folding applies to second bytes too: 0x81 0x41 matches 0x81 0x61.
    {"\x81\x41", "\x81\x61", {}, true, 1, 1},
    // Reverse: the last aligned match wins over a later misaligned one.
    {"/\x81/", "/", {}, false, 1, 1},
    {"ab\x81" "ab", "ab", {}, false, 1, 1},
};

TEST(FindText, FollowsTheCharacterWalk) {
  for (const SearchCase& c : kSearchCases) {
    EXPECT_EQ(findText(c.text, c.search, c.start, c.ignoreCase), c.forward)
        << "'" << c.text << "' '" << c.search << "' " << c.start.value_or(-999);
    EXPECT_EQ(findTextReverse(c.text, c.search, c.start, c.ignoreCase), c.reverse)
        << "'" << c.text << "' '" << c.search << "' " << c.start.value_or(-999);
  }
}

// The searches exactly as the rules read, one candidate at a time.
int32_t walkSearch(std::string_view text, std::string_view search, std::optional<int32_t> start,
                   bool ignoreCase, bool reverse) {
  const int64_t length = static_cast<int64_t>(text.size());
  int64_t first = 1;
  int64_t last = length;
  if (start && !reverse) first = std::max<int64_t>(*start, 1);
  if (start && reverse) last = std::min<int64_t>(int64_t{*start} - 1, length);
  if (first > last) return -1;
  if (search.empty()) return 1;
  const int64_t k = static_cast<int64_t>(search.size());
  const auto fold = [&](unsigned char b) {
    return (ignoreCase && b >= 0x41 && b <= 0x5A) ? b + 0x20 : b;
  };
  int32_t found = -1;
  for (int64_t p = first; p + k - 1 <= last;) {
    bool match = true;
    for (int64_t i = 0; i < k && match; ++i) {
      match = fold(static_cast<unsigned char>(text[p - 1 + i])) ==
              fold(static_cast<unsigned char>(search[i]));
    }
    if (match) {
      found = static_cast<int32_t>(p);
      if (!reverse) return found;
    }
    p += static_cast<unsigned char>(text[p - 1]) >= 0x80 ? 2 : 1;
  }
  return found;
}

TEST(FindText, AgreesWithTheCandidateWalkOnRandomTexts) {
  std::mt19937 random(20240611);
  // Dense: lead bytes everywhere. Sparse: long ASCII stretches with the odd lead byte.
  const std::string_view dense = "aA/\\\x81\xB0\xD6";
  const std::string_view sparse = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaA/\x81";
  const auto randomText = [&](std::string_view alphabet, size_t maxLength) {
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  const int32_t starts[] = {kMin, -1, 0, 1, 2, 3, 5, 8, 13, 21, 30, 150, 299, kMax};
  for (int round = 0; round < 40000; ++round) {
    const bool isDense = round % 2 == 0;
    const std::string text = randomText(isDense ? dense : sparse, isDense ? 30 : 300);
    const std::string search = randomText(isDense ? dense : "aA/\x81", 3);
    const bool ignoreCase = random() % 4 == 0;
    std::optional<int32_t> start;
    if (random() % 2 == 0) start = starts[random() % std::size(starts)];
    ASSERT_EQ(findText(text, search, start, ignoreCase),
              walkSearch(text, search, start, ignoreCase, false))
        << text << " / " << search;
    ASSERT_EQ(findTextReverse(text, search, start, ignoreCase),
              walkSearch(text, search, start, ignoreCase, true))
        << text << " / " << search;
  }
}

TEST(FindText, LeadBytesInLongAsciiRunsShiftTheWalk) {
  // 1000 'x', then 81 2F (the slash is a second byte), 77 'y', then a slash at 1080.
  std::string text(1000, 'x');
  text += "\x81/";
  text += std::string(77, 'y');
  text += "/";
  EXPECT_EQ(findText(text, "/"), 1080);
  EXPECT_EQ(findTextReverse(text, "/"), 1080);
  text[998] = '\x90';  // pairs with the 'x' after it: 81 still starts a character
  EXPECT_EQ(findText(text, "/"), 1080);
  text[999] = '\x90';  // 90 90 is one character: 81 still starts one
  EXPECT_EQ(findText(text, "/"), 1080);
  text[997] = '\x90';  // 90 90, then 90 81: the slash after 81 now starts a character
  EXPECT_EQ(findText(text, "/"), 1002);
  EXPECT_EQ(findTextReverse(text, "/"), 1080);
  EXPECT_EQ(findTextReverse(text, "/", 1080), 1002);
}

TEST(ReplaceRange, ClampsTheStartAndTheCount) {
  struct Case {
    std::string_view text;
    int32_t start;
    int32_t count;
    std::string_view replacement;
    std::string_view expected;
  };
  const Case cases[] = {
      {"abcdef", 3, 2, "XY", "abXYef"},
      {"abcdef", 0, 2, "", "cdef"},
      {"abcdef", -5, 2, "", "cdef"},
      {"abcdef", 7, 2, "Z", "abcdefZ"},
      {"abcdef", 9, 2, "Z", "abcdefZ"},
      {"abcdef", 5, 10, "", "abcd"},
      {"abcdef", 3, 0, "Z", "abZcdef"},
      {"abcdef", 3, -1, "Z", "abZcdef"},
      {"abcdef", 2, 3, {}, "aef"},
      {"", 1, 10, "R", "R"},
      {"a\x5C\x2F" "b", 2, 2, "/", "a/b"},
      {"abcdef", kMin, kMax, "", ""},
      {"abcdef", kMax, kMax, "Z", "abcdefZ"},
      {"abcdef", kMin, kMin, "Z", "Zabcdef"},
      {"abcdef", 6, kMax, "", "abcde"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceRange(c.text, c.start, c.count, c.replacement), c.expected)
        << c.text << " " << c.start << " " << c.count;
    // Handed over with std::move, the text is changed in its own storage: same result.
    EXPECT_EQ(replaceRange(Text(c.text), c.start, c.count, c.replacement), c.expected)
        << c.text << " " << c.start << " " << c.count;
  }
}

TEST(BytesToText, StopsAtTheFirstZeroByte) {
  using namespace std::string_view_literals;
  EXPECT_EQ(bytesToText("ab\0c"sv), "ab");
  EXPECT_EQ(bytesToText("\0a"sv), "");
  EXPECT_EQ(bytesToText(""), "");
  EXPECT_EQ(bytesToText({}), "");
  EXPECT_EQ(bytesToText("\xD6\xD0"), "\xD6\xD0");
  EXPECT_EQ(bytesToText(ByteBuffer("ab\0c"sv)), "ab");
  EXPECT_EQ(bytesToText(ByteBuffer("\0a"sv)), "");
  EXPECT_EQ(bytesToText(ByteBuffer()), "");
  EXPECT_EQ(bytesToText(ByteBuffer("abc")), "abc");
}

TEST(ConcatText, JoinsInOrder) {
  EXPECT_EQ(concatText({"ab", ""}), "ab");
  EXPECT_EQ(concatText({"", ""}), "");
  EXPECT_EQ(concatText({"a", "\xD6", "\xD0z"}), "a\xD6\xD0z");
}

TEST(CompareText, OrdersBytesAsUnsigned) {
  struct Case {
    std::string_view a;
    std::string_view b;
    int expected;
  };
  const Case cases[] = {
      {"", "", 0},     {{}, "", 0},         {" ", "", 1},  {"ab", "abc", -1},
      {"b", "a", 1},   {"\xD6", "a", 1},    {"a", "A", 1}, {"abc", "abc", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(compareText(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

}  // namespace
}  // namespace kelo
