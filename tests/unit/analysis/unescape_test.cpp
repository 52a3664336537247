// Tests of the one-pass unescaping against the repeated search-and-replace it stands for.
#include "analysis/unescape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analysis/text.h"

namespace kelo {
namespace {

// The loop the one-pass version must equal: replace the first "\/" until none is left.
Text unescapeByLoop(std::string_view text) {
  Text work(text);
  for (int32_t at = findText(work, "\\/"); at != -1; at = findText(work, "\\/")) {
    work = replaceRange(work, at, 2, "/");
  }
  return work;
}

TEST(UnescapeSlashes, Cases) {
  struct Case {
    std::string_view text;
    std::string_view expected;
  };
  const Case cases[] = {
      {"", ""},
      {"http:\\/\\/a.example\\/x", "http://a.example/x"},
      // A run of backslashes collapses over several rounds: 5C 5C 2F ends as "/".
      {"\\\\/", "/"},
      {"a\\\\\\\\\\/b", "a/b"},
      {"\\\\", "\\\\"},
      {"\\", "\\"},
      {"/\\", "/\\"},
      // A backslash that is a second byte never pairs, and does not hold up the ones after it.
      {"\x95\\/", "\x95\\/"},
      {"\x95\\\\/", "\x95\\/"},
      {"\x41\\/", "A/"},
      // A lead byte as the last byte stands alone.
      {"\\/\x81", "/\x81"},
      {"\x81", "\x81"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unescapeSlashes(c.text), c.expected) << c.text;
    EXPECT_EQ(unescapeByLoop(c.text), c.expected) << c.text;
  }
}

std::string randomText(std::mt19937& random, size_t length) {
  // Rich in backslashes, slashes and lead bytes, with a little plain text; never the byte 0.
  static const char kAlphabet[] = {'\\', '\\', '\\', '/', '/', 'a', '\x81', '\x95', '\xFE', '"'};
  std::string text(length, ' ');
  for (char& c : text) c = kAlphabet[random() % sizeof kAlphabet];
  return text;
}

TEST(UnescapeSlashes, EqualsTheLoopOnRandomTexts) {
  std::mt19937 random(7);
  for (int round = 0; round < 200000; ++round) {
    const std::string text = randomText(random, random() % 41);
    ASSERT_EQ(unescapeSlashes(text), unescapeByLoop(text)) << "round " << round;
  }
}

TEST(UnescapeSlashes, EqualsTheLoopOnLongTexts) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    std::string text = randomText(random, 3000);
    // Long plain stretches between the escapes, as in a real reply.
    for (size_t at = 0; at < text.size(); at += 1 + random() % 64) {
      text.replace(at, 0, std::string(random() % 40, 'x'));
    }
    ASSERT_EQ(unescapeSlashes(text), unescapeByLoop(text)) << "round " << round;
  }
}

}  // namespace
}  // namespace kelo
