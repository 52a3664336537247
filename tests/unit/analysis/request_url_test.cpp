// Tests of the request builder: what is sent for an address, what is refused, and the body cap.
#include "app/request_url.h"

#include <gtest/gtest.h>

#include <string>

namespace kelo {
namespace {

TEST(ParseRequestUrl, SplitsHostPortAndTarget) {
  struct Case {
    std::string url;
    std::string host;
    uint16_t port;
    std::string pathAndQuery;
  };
  const Case cases[] = {
      {"http://127.0.0.1:47161/?ct=upload_api&pickcode=abc", "127.0.0.1", 47161,
       "/?ct=upload_api&pickcode=abc"},
      {"HTTP://Kelo.Example/a", "Kelo.Example", 80, "/a"},
      {"hTtP://h/a", "h", 80, "/a"},
      {"http://h", "h", 80, "/"},
      {"http://h:", "h", 80, "/"},
      {"http://h:8080", "h", 8080, "/"},
      {"http://h:1/", "h", 1, "/"},
      {"http://h:65535/", "h", 65535, "/"},
      {"http://h:00080/", "h", 80, "/"},
      {"http://h?q=1", "h", 80, "/?q=1"},
      {"http://h/a?x=1#frag", "h", 80, "/a?x=1"},
      {"http://h#frag", "h", 80, "/"},
      {"http://h/a#b#c?d", "h", 80, "/a"},
      {"http://a-b_c.example/", "a-b_c.example", 80, "/"},
      // Nothing is percent-encoded: GBK bytes, '%' and '@' in the path go out as they are.
      {"http://h/?pickcode=\xD6\xD0%41@x", "h", 80, "/?pickcode=\xD6\xD0%41@x"},
      {"http://h/?a=http://x/y", "h", 80, "/?a=http://x/y"},
  };
  for (const Case& c : cases) {
    const std::optional<RequestTarget> target = parseRequestUrl(c.url);
    ASSERT_TRUE(target.has_value()) << c.url;
    EXPECT_EQ(target->host, c.host) << c.url;
    EXPECT_EQ(target->port, c.port) << c.url;
    EXPECT_EQ(target->pathAndQuery, c.pathAndQuery) << c.url;
  }
}

TEST(ParseRequestUrl, RefusesWhatCannotBeSentAsIs) {
  using namespace std::string_literals;
  const std::string refused[] = {
      "",
      "http://",
      "http:///a",
      "http:/h/a",
      "https://h/",
      "ftp://h/",
      "h/a",
      "http://user@h/",
      "http://user:pw@h/",
      "http://:80/",
      "http://[::1]/",
      "http://h:0/",
      "http://h:65536/",
      "http://h:99999999999999999999/",
      "http://h:8a/",
      "http://h:-1/",
      "http://h:80:81/",
      "http://h\\x/",
      "http://h\xD6\xD0/",
      // Control bytes and space anywhere, the fragment included: nothing may break the
      // request line.
      "http://h/a b",
      "http://h/a\tb",
      "http://h/a\r\nX-Injected: 1",
      "http://h/a\x7F",
      "http://h/a#x y",
      "http://h/a\x01",
      " http://h/",
      "http://h/"s + '\0',
  };
  for (const std::string& url : refused) {
    EXPECT_FALSE(parseRequestUrl(url).has_value()) << url;
  }
}

TEST(ParseRequestUrl, HostAndTargetLengthLimits) {
  const std::string host255(255, 'h');
  EXPECT_TRUE(parseRequestUrl("http://" + host255 + "/"));
  EXPECT_FALSE(parseRequestUrl("http://" + host255 + "h/"));

  // The target counts from its leading '/', query included, fragment excluded.
  const std::string path2047 = "/" + std::string(2046, 'p');
  const auto longest = parseRequestUrl("http://h" + path2047 + "#" + std::string(5000, 'f'));
  ASSERT_TRUE(longest);
  EXPECT_EQ(longest->pathAndQuery.size(), 2047u);
  EXPECT_FALSE(parseRequestUrl("http://h" + path2047 + "p"));
  // With no path the added '/' counts too.
  EXPECT_TRUE(parseRequestUrl("http://h?" + std::string(2045, 'q')));
  EXPECT_FALSE(parseRequestUrl("http://h?" + std::string(2046, 'q')));

  // A pick code that makes the pick-code request too long.
  const std::string prefix =
      "http://127.0.0.1:47161/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode=";
  const size_t room = 2047 - (prefix.size() - std::string("http://127.0.0.1:47161").size());
  EXPECT_TRUE(parseRequestUrl(prefix + std::string(room, 'c')));
  EXPECT_FALSE(parseRequestUrl(prefix + std::string(room + 1, 'c')));
}

TEST(RequestUrlText, WritesTheRequestBackWithItsPort) {
  const auto target = parseRequestUrl("HTTP://h.example/a?b#c");
  ASSERT_TRUE(target);
  EXPECT_EQ(requestUrlText(*target), "http://h.example:80/a?b");
}

TEST(AppendReplyChunk, CutsTheBodyAtTheCap) {
  ByteBuffer body = "ab";
  EXPECT_TRUE(appendReplyChunk(body, std::string("c\0d", 3)));
  EXPECT_EQ(body, std::string("abc\0d", 5));

  ByteBuffer nearlyFull(kMaxReplyBytes - 3, 'x');
  EXPECT_FALSE(appendReplyChunk(nearlyFull, "abcdef"));
  EXPECT_EQ(nearlyFull.size(), kMaxReplyBytes);
  EXPECT_EQ(nearlyFull.substr(nearlyFull.size() - 4), "xabc");
  EXPECT_FALSE(appendReplyChunk(nearlyFull, "more"));
  EXPECT_EQ(nearlyFull.size(), kMaxReplyBytes);
}

}  // namespace
}  // namespace kelo
