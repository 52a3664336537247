// Path search: path syntax, wildcards, traversal order, and results that outlive their document.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "json/json.h"
#include "json/path.h"
#include "json_test_util.h"
#include "random_document.h"

namespace kelo::testing {
namespace {

struct SearchCase {
  std::string document;
  std::string path;
  std::string written;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.path << " in " << c.document; }

class SearchTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchTable, FindsInOrder) {
  EXPECT_EQ(searched(GetParam().document, GetParam().path), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(NothingToSearch, SearchTable, ::testing::Values(
    SearchCase{"{", "a", "null"},
    SearchCase{"null", "a", "null"},
    SearchCase{"", "a", "null"},
    SearchCase{R"("a")", "a", "null"},
    SearchCase{"12", "a", "null"},
    SearchCase{R"({"a":1})", "", "null"},
    SearchCase{R"({"a":1})", "/", "null"},
    SearchCase{R"({"a":1})", "//", "null"},
    SearchCase{R"({"a":1})", "\\", "null"},
    SearchCase{R"({"a":1})", "b", "[ ]"},
    SearchCase{"[]", "a", "[ ]"},
    SearchCase{"{}", "*", "[ ]"}));

INSTANTIATE_TEST_SUITE_P(Traversal, SearchTable, ::testing::Values(
    SearchCase{R"({"FileName":"a","x":{"FileName":"b"}})", "FileName", R"([ "a", "b" ])"},
    SearchCase{R"({"FileName":{"FileName":"b"}})", "FileName", R"([ { "FileName": "b" } ])"},
    SearchCase{R"({"FileName":"a","FileName":"b"})", "FileName", R"([ "b" ])"},
    SearchCase{R"({"x":{"FileName":1},"FileName":2,"y":[{"FileName":3}]})", "FileName", "[ 1, 2, 3 ]"},
    SearchCase{R"([{"FileName":"a"},[{"FileName":null}]])", "FileName", R"([ "a", null ])"},
    SearchCase{R"({"filename":1,"FileName ":2})", "FileName", "[ ]"},
    SearchCase{R"({"a":{"x":1,"y":[2]}})", "/a/*", "[ 1, [ 2 ] ]"},
    SearchCase{R"({"l":[10,20]})", "l/1", "[ 20 ]"},
    SearchCase{R"({"l":[10,20]})", "/l//1/", "[ 20 ]"},
    // Unanchored searches with several segments restart at every level.
    SearchCase{R"({"a":{"x":{"a":{"b":1}}}})", "a/b", "[ 1, 1 ]"},
    SearchCase{R"({"a":{"a":{"a":{"b":1}}}})", "a/b", "[ 1, 1 ]"},
    SearchCase{R"({"a":{"x":{"a":{"b":1}}}})", "/a/b", "[ ]"},
    SearchCase{R"({"a":{"x":{"a":{"b":1}}}})", "/a/x/a/b", "[ 1 ]"},
    SearchCase{R"({"a":{"b":1,"c":{"b":2}}})", "/a/b", "[ 1 ]"},
    SearchCase{R"({"a":{"b":1,"c":{"b":2}}})", "a/b", "[ 1 ]"},
    SearchCase{R"({"a":[{"a":[5]}]})", "a/0", R"([ { "a": [ 5 ] }, 5 ])"}));

INSTANTIATE_TEST_SUITE_P(Wildcards, SearchTable, ::testing::Values(
    SearchCase{R"({"abc":1,"a-c":2,"ac":3,"abbc":4})", "a?c", "[ 1, 2 ]"},
    SearchCase{R"({"abc":1,"a-c":2,"ac":3,"abbc":4})", "a*c", "[ 1, 2, 3, 4 ]"},
    SearchCase{R"({"":1,"x":2})", "*", "[ 1, 2 ]"},
    SearchCase{R"({"":1,"x":2})", "?", "[ 2 ]"},
    SearchCase{R"({"abab":1,"aab":2,"ba":3})", "*a*b", "[ 1, 2 ]"},
    SearchCase{R"({"abab":1,"aab":2,"ba":3})", "**b*", "[ 1, 2, 3 ]"},
    SearchCase{R"({"l":[0,1,2,3,4,5,6,7,8,9,10,11]})", "/l/?", "[ 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 ]"},
    SearchCase{R"({"l":[0,1,2,3,4,5,6,7,8,9,10,11]})", "/l/1*", "[ 1, 10, 11 ]"}));

INSTANTIATE_TEST_SUITE_P(Escapes, SearchTable, ::testing::Values(
    SearchCase{R"({"a/b":1,"a":{"b":2}})", R"(a\/b)", "[ 1 ]"},
    SearchCase{R"({"a\\b":1,"ab":2})", R"(a\\b)", "[ 1 ]"},
    SearchCase{R"({"a\\c":1,"ac":2})", R"(a\c)", "[ 1 ]"},
    SearchCase{R"({"a\tb":1,"a\"b":2,"a'b":3})", R"(a\tb)", "[ 1 ]"},
    SearchCase{R"({"a\tb":1,"a\"b":2,"a'b":3})", R"(a\"b)", "[ 2 ]"},
    SearchCase{R"({"a\tb":1,"a\"b":2,"a'b":3})", R"(a\'b)", "[ 3 ]"},
    SearchCase{R"({"\b\f\n\r":1})", R"(\b\f\n\r)", "[ 1 ]"},
    SearchCase{R"({"ab":1})", "ab\\", "[ 1 ]"},
    // An escape does not make a wildcard literal.
    SearchCase{R"({"a*":1,"ab":2})", R"(a\*)", "[ ]"},
    SearchCase{R"({"a\\*":1,"a\\b":2,"ab":3})", R"(a\*)", "[ 1, 2 ]"}));

TEST(SearchLifetime, ResultOutlivesItsDocument) {
  JSON doc = jsonCreate();
  ASSERT_TRUE(jsonParse(doc, R"({"FileName":{"name":"abc.zip","parts":[1,2]}})"));
  JSON result = jsonSearch(doc, "FileName");
  jsonDestroy(doc);
  EXPECT_EQ(jsonToText(result), R"([ { "name": "abc.zip", "parts": [ 1, 2 ] } ])");

  JSON inner = jsonSearch(result, "parts");
  jsonDestroy(result);
  EXPECT_EQ(jsonToText(inner), "[ [ 1, 2 ] ]");
}

TEST(SearchLifetime, DocumentOutlivesItsResult) {
  JSON doc = jsonCreate();
  ASSERT_TRUE(jsonParse(doc, R"({"FileName":"abc.zip"})"));
  {
    JSON result = jsonSearch(doc, "FileName");
    EXPECT_EQ(jsonToText(result), R"([ "abc.zip" ])");
  }
  EXPECT_EQ(jsonToText(doc), R"({ "FileName": "abc.zip" })");
  // Reading a new document into the instance leaves an earlier result intact.
  JSON result = jsonSearch(doc, "FileName");
  ASSERT_TRUE(jsonParse(doc, "[]"));
  EXPECT_EQ(jsonToText(result), R"([ "abc.zip" ])");
}

TEST(SearchRepeats, DeepChainsEndAndCountEveryRoute) {
  // Thirty levels of "a": an unanchored path of several segments reaches each level by many
  // routes. With a final segment that matches nothing the search must still come back.
  std::string chain;
  for (int i = 0; i < 30; ++i) chain += R"({"a":)";
  std::string document = chain + R"({"b":1})" + std::string(30, '}');
  EXPECT_EQ(searched(document, "a/a/a/a/a/a/a/a/a/a/a/a/zzz"), "[ ]");
  // "a/b" finds the innermost value once for every level at which the search may have restarted
  // before the last "a": a route count that doubles with each further level of nesting there.
  std::string small;
  for (int i = 0; i < 4; ++i) small += R"({"x":{"a":)";
  small += R"({"b":1})" + std::string(8, '}');
  EXPECT_EQ(searched(small, "a/b"), "[ 1, 1, 1, 1, 1, 1, 1, 1 ]");
}

TEST(SearchPattern, AgreesWithAPlainMatcher) {
  std::mt19937 random(20240611);
  auto word = [&](std::string_view alphabet, std::size_t maxLength) {
    std::string w(random() % (maxLength + 1), ' ');
    for (char& c : w) c = alphabet[random() % alphabet.size()];
    return w;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string pattern = word("ab*?", 7);
    if (pattern.empty()) continue;
    const json_detail::Pattern compiled(pattern);
    for (int j = 0; j < 8; ++j) {
      const std::string key = word("abc", 9);
      ASSERT_EQ(compiled.matches(key), referenceGlob(pattern, key))
          << "pattern " << pattern << " key " << key;
    }
  }
}

TEST(SearchPattern, ManyStarsOnALongKey) {
  // A backtracking matcher takes exponential time here; the piecewise one answers at once.
  const std::string key(20000, 'a');
  EXPECT_FALSE(json_detail::Pattern("*a*a*a*a*a*a*a*a*a*a*b").matches(key));
  EXPECT_TRUE(json_detail::Pattern("*a*a*a*a*a*a*a*a*a*a*").matches(key));
  EXPECT_FALSE(json_detail::Pattern("*aaaaaaaaaaaaaaaaab*").matches(key));
  EXPECT_TRUE(json_detail::Pattern("a*?a?*a").matches(key));
}

TEST(SearchPath, Parsing) {
  const json_detail::Path p = json_detail::parsePath(R"(/a\/b//c\\/\x\)");
  EXPECT_TRUE(p.anchored);
  ASSERT_EQ(p.segments.size(), 3u);
  EXPECT_EQ(p.segments[0].text(), "a/b");
  EXPECT_EQ(p.segments[1].text(), "c\\");
  EXPECT_EQ(p.segments[2].text(), "\\x");
  EXPECT_FALSE(json_detail::parsePath(R"(\/a)").anchored);
  EXPECT_EQ(json_detail::parsePath(R"(\/a)").segments[0].text(), "/a");
}

}  // namespace
}  // namespace kelo::testing
