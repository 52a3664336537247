// The JSON reader: what it accepts, what it rejects, and what it builds.
#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

#include "json/json.h"
#include "json_test_util.h"

namespace kelo::testing {
namespace {

struct ReadCase {
  std::string text;
  std::optional<std::string> written;  // nullopt: the read fails
};

const std::optional<std::string> kFails;

void PrintTo(const ReadCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsAndWritesBack) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(reread(c.text), c.written);
}

INSTANTIATE_TEST_SUITE_P(Syntax, ReadTable, ::testing::Values(
    ReadCase{R"({"FileName":"x"})", R"({ "FileName": "x" })"},
    ReadCase{R"({'FileName':'x'})", R"({ "FileName": "x" })"},
    ReadCase{R"(/* c */ {"FileName":"x"} junk)", R"({ "FileName": "x" })"},
    ReadCase{R"({"FileName":"x",})", R"({ "FileName": "x" })"},
    ReadCase{"[1,]", "[ 1 ]"},
    ReadCase{"[]", "[ ]"},
    ReadCase{"{ }", "{ }"},
    ReadCase{R"({"a":{},"b":[],"c":[{}]})", R"({ "a": { }, "b": [ ], "c": [ { } ] })"},
    ReadCase{"\t\n\v\f\r [ 1 , 2 ]", "[ 1, 2 ]"},
    ReadCase{"TRUE", "true"},
    ReadCase{"[fAlSe,Null,tRUE]", "[ false, null, true ]"},
    ReadCase{"truex", "true"},
    // Nothing but whitespace, a page that is not JSON, a byte-order mark.
    ReadCase{"", kFails},
    ReadCase{"  \r\n ", kFails},
    ReadCase{"<html><body>502</body></html>", kFails},
    ReadCase{"\xEF\xBB\xBF{}", kFails},
    ReadCase{"tru", kFails},
    ReadCase{"[nul]", kFails},
    ReadCase{"[truth]", kFails},
    ReadCase{"[1 2]", kFails},
    ReadCase{"[1,,2]", kFails},
    ReadCase{"[,]", kFails},
    ReadCase{"[1", kFails},
    ReadCase{"[1,", kFails},
    ReadCase{"{,}", kFails},
    ReadCase{R"({"a" 1})", kFails},
    ReadCase{R"({"a":1 "b":2})", kFails},
    ReadCase{R"({a:1})", kFails},
    ReadCase{R"({"a":})", kFails},
    ReadCase{R"({"a":1,,})", kFails},
    ReadCase{R"({"a":1)", kFails},
    ReadCase{R"({"a")", kFails},
    ReadCase{"]", kFails},
    ReadCase{"+1", kFails},
    ReadCase{".5", kFails}));

INSTANTIATE_TEST_SUITE_P(Comments, ReadTable, ::testing::Values(
    ReadCase{"// line\n[1]", "[ 1 ]"},
    ReadCase{"/**/1", "1"},
    ReadCase{"[1 /* x */, /* y */ 2 // z\n]", "[ 1, 2 ]"},
    ReadCase{R"({/*a*/"k"/*b*/:/*c*/1/*d*/})", R"({ "k": 1 })"},
    // A comment still open where the value should be, and one that only looks closed.
    ReadCase{"/* open", kFails},
    ReadCase{"// open", kFails},
    ReadCase{"/*/ [1]", kFails},
    ReadCase{"[1 /* open", kFails},
    // After the top-level value: an open comment is accepted, a '/' must still open one, other
    // bytes end the reading.
    ReadCase{"[1] /* open", "[ 1 ]"},
    ReadCase{"[1] // open", "[ 1 ]"},
    ReadCase{"[1] /", kFails},
    ReadCase{"[1] /x", kFails},
    ReadCase{"[1]/* a */ /x", kFails},
    ReadCase{"[1] x /y", "[ 1 ]"},
    ReadCase{"[1/2]", kFails},
    ReadCase{"/x [1]", kFails}));

INSTANTIATE_TEST_SUITE_P(Numbers, ReadTable, ::testing::Values(
    ReadCase{"123", "123"},
    ReadCase{"-5", "-5"},
    ReadCase{"007", "7"},
    ReadCase{"1E5", "1"},
    ReadCase{"1E+5", "1"},
    ReadCase{"1-2", "1"},
    ReadCase{"[1E5,2]", "[ 1, 2 ]"},
    ReadCase{"1e5", "100000.000000"},
    ReadCase{"1.5", "1.500000"},
    ReadCase{"1.5E3", "1500.000000"},
    ReadCase{"-0.5", "-0.500000"},
    ReadCase{"-.5", "-0.500000"},
    ReadCase{"1.", "1.000000"},
    ReadCase{"1.2.3", "1.200000"},
    ReadCase{"2e-1x", "0.200000"},
    ReadCase{"-", kFails},
    ReadCase{"--1", kFails},
    ReadCase{"-e5", kFails},
    ReadCase{"[-]", kFails},
    // Out of range: integers saturate, reals saturate at the largest double or become zero.
    ReadCase{"9223372036854775807", "9223372036854775807"},
    ReadCase{"9223372036854775808", "9223372036854775807"},
    ReadCase{"123456789012345678901234567890", "9223372036854775807"},
    ReadCase{"-9223372036854775808", "-9223372036854775808"},
    ReadCase{"-9223372036854775809", "-9223372036854775808"},
    ReadCase{"[99999999999999999999,1]", "[ 9223372036854775807, 1 ]"},
    ReadCase{"1e400", "179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.000000"},
    ReadCase{"-1e400", "-179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.000000"},
    ReadCase{"1" + std::string(400, '0') + ".5", "179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.000000"},
    ReadCase{"1e-400", "0.000000"},
    ReadCase{"-1e-400", "-0.000000"},
    ReadCase{"0." + std::string(400, '0') + "1", "0.000000"}));

INSTANTIATE_TEST_SUITE_P(Strings, ReadTable, ::testing::Values(
    ReadCase{R"("a\/b")", R"("a\/b")"},
    ReadCase{R"("\"\'\\\b\f\n\r\t")", R"("\"'\\\b\u000c\n\r\t")"},
    ReadCase{R"('\"it\'s"')", R"("\"it's\"")"},
    // A backslash before any other byte stays, and the byte is read as usual.
    ReadCase{R"("\x\q\\")", R"("\\x\\q\\")"},
    ReadCase{"\"\\\xD6\xD0\"", "\"\\\\\xD6\xD0\""},
    ReadCase{R"("\u004A\u004a")", R"("JJ")"},
    ReadCase{R"("\u4e2d\u6587.zip")", "\"\xD6\xD0\xCE\xC4.zip\""},
    ReadCase{R"("\u4E2D")", "\"\xD6\xD0\""},
    ReadCase{R"("\u00c4")", "\"\x81\x30\x87\x32\""},
    ReadCase{R"("\u4e57")", "\"\x81\x5C\""},
    ReadCase{R"("\uffff\ue000")", "\"\x84\x31\xA4\x39\xAA\xA1\""},
    ReadCase{R"("\u12")", kFails},
    ReadCase{R"("\u12G4")", kFails},
    ReadCase{R"("\u)", kFails},
    ReadCase{R"("\)", kFails},
    ReadCase{R"("abc)", kFails},
    ReadCase{R"('abc")", kFails},
    // Raw control bytes are taken as they are.
    ReadCase{"\"a\tb\nc\x01\"", R"("a\tb\nc\u0001")"}));

INSTANTIATE_TEST_SUITE_P(Surrogates, ReadTable, ::testing::Values(
    ReadCase{R"("\ud83d\ude00")", "\"\x94\x39\xFC\x36\""},
    ReadCase{R"("\uD83D\uDE00")", "\"\x94\x39\xFC\x36\""},
    ReadCase{R"("\ud83d")", "\"\xEF\xBF\xBD\""},
    ReadCase{R"("\ud83dx")", "\"\xEF\xBF\xBDx\""},
    ReadCase{R"("\ud83d\n")", "\"\xEF\xBF\xBD\n\""},
    ReadCase{R"("\ud83d\u0041")", "\"\xEF\xBF\xBD" "A\""},
    ReadCase{R"("\ud83d\ud83d\ude00")", "\"\xEF\xBF\xBD\x94\x39\xFC\x36\""},
    ReadCase{R"("\ud83d\ud83d")", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
    // A lone low surrogate is replaced like a lone high one.
    ReadCase{R"("\ude00")", "\"\xEF\xBF\xBD\""},
    ReadCase{R"("\ude00\ud83d\ude00")", "\"\xEF\xBF\xBD\x94\x39\xFC\x36\""},
    ReadCase{R"("\ud83d\uZZZZ")", kFails},
    ReadCase{R"("\ud83d\u12")", kFails}));

INSTANTIATE_TEST_SUITE_P(DoubleByteCharacters, ReadTable, ::testing::Values(
    // A quote or backslash as second byte belongs to the character.
    ReadCase{"\"\x95\"\"", "\"\x95\"\""},
    ReadCase{"\"\x95\\\"", "\"\x95\\\""},
    ReadCase{"'\x95''", "\"\x95'\""},
    ReadCase{"[\"\x95\"]", kFails},
    // Four bytes when the second lies in 0x2A-0x3F.
    ReadCase{"\"\x81\x30\x5C\x32\"", "\"\x81\x30\x5C\x32\""},
    ReadCase{"\"\x81\x30\"\"\"", "\"\x81\x30\"\"\""},
    ReadCase{"\"\x81\x30\"", kFails},
    ReadCase{"\"a\x81", kFails},
    ReadCase{"\"a\x81\"", kFails},
    // UTF-8 is kept as bytes but grouped in pairs: its last byte takes the closing quote.
    ReadCase{"\"\xE4\xB8\xAD\"", kFails},
    ReadCase{"{\"FileName\":\"\xE4\xB8\xAD\"}", kFails},
    ReadCase{"\"\xE4\xB8\xAD" "a\"", "\"\xE4\xB8\xAD" "a\""},
    // 0x80 and 0xFF stand alone.
    ReadCase{"\"\x80\xFF\"", "\"\x80\xFF\""},
    // Keys are not grouped.
    ReadCase{"{\"\x95\":1}", "{ \"\x95\": 1 }"},
    ReadCase{"{\"\x95\\\"\":1}", "{ \"\x95\"\": 1 }"}));

INSTANTIATE_TEST_SUITE_P(ZeroBytes, ReadTable, ::testing::Values(
    ReadCase{R"("ab\u0000cd")", R"("ab")"},
    ReadCase{R"("\u0000")", R"("")"},
    ReadCase{R"({"a\u0000b":1,"a":2})", R"({ "a": 2 })"},
    ReadCase{R"("\u0000\u12")", kFails},
    // The text ends at a raw 0 byte.
    ReadCase{bytes("[1]\0junk"), "[ 1 ]"},
    ReadCase{bytes("\"ab\0cd\""), kFails},
    ReadCase{bytes("[1,\0 2]"), kFails},
    ReadCase{bytes("[1] /*\0*/ /x"), "[ 1 ]"}));

INSTANTIATE_TEST_SUITE_P(RepeatedKeys, ReadTable, ::testing::Values(
    ReadCase{R"({"FileName":"a","k":1,"FileName":"b"})", R"({ "k": 1, "FileName": "b" })"},
    ReadCase{R"({"a":1,"a":2,"a":3})", R"({ "a": 3 })"},
    ReadCase{R"({"a":1,"b":3,'a':2})", R"({ "b": 3, "a": 2 })"},
    ReadCase{R"({"a":1,"A":2})", R"({ "a": 1, "A": 2 })"},
    ReadCase{R"({"a":{"a":1,"a":2},"a":[3]})", R"({ "a": [ 3 ] })"}));

std::string nested(int levels, std::string_view innermost) {
  return std::string(levels, '[') + std::string(innermost) + std::string(levels, ']');
}

std::string writtenNested(int levels) {
  std::string s;
  for (int i = 0; i < levels - 1; ++i) s += "[ ";
  s += "[ ]";
  for (int i = 0; i < levels - 1; ++i) s += " ]";
  return s;
}

TEST(ReadNesting, ThirtyTwoLevelsAtMost) {
  EXPECT_EQ(reread(nested(32, "")), writtenNested(32));
  EXPECT_EQ(reread(nested(32, " /* c */ ")), writtenNested(32));
  EXPECT_EQ(reread(nested(32, "1")), std::nullopt);
  EXPECT_EQ(reread(nested(32, "[]")), std::nullopt);
  EXPECT_EQ(reread(nested(32, "{}")), std::nullopt);
  EXPECT_EQ(reread(nested(33, "")), std::nullopt);
  // A scalar at the deepest level is fine.
  EXPECT_TRUE(reread(nested(31, "1")).has_value());

  std::string objects;
  for (int i = 0; i < 31; ++i) objects += "{\"a\":";
  EXPECT_TRUE(reread(objects + "{}" + std::string(31, '}')).has_value());
  EXPECT_EQ(reread(objects + "{\"b\":1}" + std::string(31, '}')), std::nullopt);
  EXPECT_EQ(reread(objects + "{\"b\":{}}" + std::string(31, '}')), std::nullopt);
  // Far too deep fails without exhausting the stack.
  EXPECT_EQ(reread(std::string(1'000'000, '[')), std::nullopt);
}

TEST(ReadRepeatedKeys, LargeObjectsKeepTheLastValueInTheLastPlace) {
  // Past a few members the reader looks keys up in an index; the rule must not change there.
  std::string text = "{";
  for (int i = 0; i < 100; ++i) text += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  text += R"("k5":"x","k50":"y","k5":"z","k99":[]})";
  std::string expected = "{";
  bool first = true;
  for (int i = 0; i < 100; ++i) {
    if (i == 5 || i == 50 || i == 99) continue;
    expected += std::string(first ? "" : ",") + " \"k" + std::to_string(i) + "\": " + std::to_string(i);
    first = false;
  }
  expected += R"(, "k50": "y", "k5": "z", "k99": [ ] })";
  EXPECT_EQ(reread(text), expected);
}

TEST(ReadRepeatedKeys, ManyRepeatsOfOneKey) {
  std::string text = "{";
  for (int i = 0; i < 100'000; ++i) text += "\"k\":" + std::to_string(i) + ",";
  text += "\"other\":1}";
  EXPECT_EQ(reread(text), R"({ "k": 99999, "other": 1 })");
}

TEST(ReadInstance, NullDocumentLeavesTheInstanceEmpty) {
  JSON doc = jsonCreate();
  EXPECT_EQ(jsonToText(doc), "null");
  EXPECT_TRUE(jsonParse(doc, " nULL "));
  EXPECT_EQ(jsonToText(doc), "null");
  EXPECT_EQ(jsonToText(jsonSearch(doc, "a")), "null");
}

TEST(ReadInstance, MissingTextFailsLikeTheEmptyText) {
  JSON doc = jsonCreate();
  EXPECT_FALSE(jsonParse(doc, std::string_view()));
  EXPECT_EQ(jsonToText(doc), "");
}

TEST(ReadInstance, FailedReadReplacesTheOldValue) {
  JSON doc = jsonCreate();
  ASSERT_TRUE(jsonParse(doc, "[1]"));
  EXPECT_FALSE(jsonParse(doc, "[1"));
  EXPECT_EQ(jsonToText(doc), "");
  EXPECT_TRUE(jsonParse(doc, "[2]"));
  EXPECT_EQ(jsonToText(doc), "[ 2 ]");
  jsonDestroy(doc);
  EXPECT_EQ(jsonToText(doc), "null");
}

TEST(ReadLocale, NumbersIgnoreTheProcessLocale) {
  // A locale with a decimal comma must change neither reading nor writing.
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  const auto written = reread("[1.5, 2e-1, -3]");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(written, "[ 1.500000, 0.200000, -3 ]");
}

}  // namespace
}  // namespace kelo::testing
