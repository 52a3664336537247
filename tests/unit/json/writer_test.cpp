// The JSON writer: the exact written form of every kind of value and of every byte in a string.
#include <gtest/gtest.h>

#include <string>

#include "json/json.h"
#include "json_test_util.h"

namespace kelo::testing {
namespace {

TEST(Write, InstanceStates) {
  JSON doc = jsonCreate();
  EXPECT_EQ(jsonToText(doc), "null");
  jsonParse(doc, "{");
  EXPECT_EQ(jsonToText(doc), "");
  jsonParse(doc, "null");
  EXPECT_EQ(jsonToText(doc), "null");
}

TEST(Write, LayoutOfArraysAndObjects) {
  EXPECT_EQ(reread(R"(["abc.zip"])"), R"([ "abc.zip" ])");
  EXPECT_EQ(reread(R"(["a.zip","b.zip"])"), R"([ "a.zip", "b.zip" ])");
  EXPECT_EQ(reread(R"({"a":1,"b":[1,2]})"), R"({ "a": 1, "b": [ 1, 2 ] })");
  EXPECT_EQ(reread("[[],{},[[]],{\"x\":{}}]"), R"([ [ ], { }, [ [ ] ], { "x": { } } ])");
  EXPECT_EQ(reread(R"({"s":"v","n":null,"t":true,"f":false,"i":-7,"r":0.25})"),
            R"({ "s": "v", "n": null, "t": true, "f": false, "i": -7, "r": 0.250000 })");
}

TEST(Write, ReplyLikeDocument) {
  const std::string reply =
      R"({"state":true,"data":{"PickCode":"abc123","FileName":"\u4e2d\u6587.zip","FileSize":"1024",)"
      R"("DownloadUrl":[{"Url":"http:\/\/cu-dl.kelopan.com\/f\/a.zip?t=1&s=9f"},)"
      R"({"Url":"http:\/\/bak-dl.kelopan.example\/f\/a.zip","UrlKey":"k"}]}})";
  EXPECT_EQ(reread(reply),
            "{ \"state\": true, \"data\": { \"PickCode\": \"abc123\", \"FileName\": "
            "\"\xD6\xD0\xCE\xC4.zip\", \"FileSize\": \"1024\", \"DownloadUrl\": [ { \"Url\": "
            "\"http:\\/\\/cu-dl.kelopan.com\\/f\\/a.zip?t=1&s=9f\" }, { \"Url\": "
            "\"http:\\/\\/bak-dl.kelopan.example\\/f\\/a.zip\", \"UrlKey\": \"k\" } ] } }");
}

TEST(Write, RealsHaveSixDecimalsCorrectlyRounded) {
  EXPECT_EQ(reread("[1.5, 0.0, -0.0, 0.1, 2.5e-7, 5e-7, 1.5e-6, 1e20, 1234567.891]"),
            "[ 1.500000, 0.000000, -0.000000, 0.100000, 0.000000, 0.000000, 0.000002, "
            "100000000000000000000.000000, 1234567.891000 ]");
}

TEST(Write, IntegersAtTheLimits) {
  EXPECT_EQ(reread("[0, -0, 9223372036854775807, -9223372036854775808]"),
            "[ 0, 0, 9223372036854775807, -9223372036854775808 ]");
}

struct ByteCase {
  std::string json;     // a string literal as read
  std::string written;  // how it is written back
};

class WriteBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(WriteBytes, EscapesByteByByte) {
  EXPECT_EQ(reread(GetParam().json), GetParam().written);
  // Keys take the same escapes.
  EXPECT_EQ(reread("{" + GetParam().json + ":0}"), "{ " + GetParam().written + ": 0 }");
}

INSTANTIATE_TEST_SUITE_P(Escapes, WriteBytes, ::testing::Values(
    ByteCase{R"("\u0008\u0009\u000a\u000d")", R"("\b\t\n\r")"},
    ByteCase{R"("\"\\\/")", R"("\"\\\/")"},
    ByteCase{R"("\u0001\u000c\u000b\u001f\u001B")", R"("\u0001\u000c\u000b\u001f\u001b")"},
    ByteCase{R"(" ~\u007f'")", "\" ~\x7F'\""},
    ByteCase{R"("long text with a tab\tat byte 21 and a slash / here")",
             R"("long text with a tab\tat byte 21 and a slash \/ here")"}));

TEST(Write, DoubleByteCharactersAreCopiedWhole) {
  // 0x80 and 0xFF are single bytes; a lead byte's partner is never escaped, even a backslash.
  EXPECT_EQ(reread("\"\x80/\xFF/\""), "\"\x80\\/\xFF\\/\"");
  EXPECT_EQ(reread(R"("\u4e57/")"), "\"\x81\x5C\\/\"");
  EXPECT_EQ(reread("\"\x81\x0A\""), "\"\x81\x0A\"");
  EXPECT_EQ(reread("\"\x81\x22\""), "\"\x81\x22\"");
  // With a second byte in 0x2A-0x3F the next two bytes are copied too.
  EXPECT_EQ(reread("\"\x81\x30\x5C\x2F/\""), "\"\x81\x30\x5C\x2F\\/\"");
  EXPECT_EQ(reread("\"\x81\x40\\\\\""), "\"\x81\x40\\\\\"");
  // A character cut off by the end of the string is copied as far as it goes: the replacement
  // character's last byte is a lead byte of its own.
  EXPECT_EQ(reread(R"("\ud800")"), "\"\xEF\xBF\xBD\"");
  EXPECT_EQ(reread("{\"\x81\x30\":0}"), "{ \"\x81\x30\": 0 }");
}

}  // namespace
}  // namespace kelo::testing
