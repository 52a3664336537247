// Tests of the Analyze command through a fake seam: the request it sends, where each address
// lands, and what happens with odd input and odd replies.
#include "analysis/analyze_command.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/build_config.h"
#include "unit/fake_seam.h"

namespace kelo::testing {
extern const std::string_view kTypicalReply;
}  // namespace kelo::testing

namespace kelo {
namespace {

using testing::FakeSeam;
using testing::kTypicalReply;
using Writes = std::vector<std::pair<ControlId, std::string>>;

constexpr ControlId kInput = ControlId::Main_EditBox1;
constexpr ControlId kUnicom = ControlId::Main_EditBox2;
constexpr ControlId kTelecom = ControlId::Main_EditBox3;
constexpr ControlId kBackup = ControlId::Main_EditBox4;
constexpr ControlId kFileName = ControlId::Main_EditBox6;

// 请正确输入Kelo网盘地址!!!
const std::string kEmptyInput =
    "\xC7\xEB\xD5\xFD\xC8\xB7\xCA\xE4\xC8\xEB" "Kelo" "\xCD\xF8\xC5\xCC\xB5\xD8\xD6\xB7!!!";
// 提取码不存在或已过期。
const std::string kExpired =
    "\xCC\xE1\xC8\xA1\xC2\xEB\xB2\xBB\xB4\xE6\xD4\xDA\xBB\xF2\xD2\xD1\xB9\xFD\xC6\xDA\xA1\xA3";

const std::string kRequestPrefix = std::string("http://") + config::kApiHost +
                                   "/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode=";

const std::string kUnicomHost = std::string(config::kUnicomHostMarker) + ".com.example";
const std::string kTelecomHost = config::kTelecomHostMarker;
const std::string kBackupHost = config::kBackupHostMarker;

std::string address(const std::string& host, const std::string& file = "a.zip") {
  return "http://" + host + "/files/abc123/" + file + "?t=1700000000";
}

// JSON writes every slash of an address as "\/".
std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '/') out += '\\';
    out += c;
  }
  return out;
}

// A reply in the service's layout holding the three addresses in the order given.
std::string replyWith(const std::string& first, const std::string& second,
                      const std::string& third) {
  return R"({"state":true,"data":{"PickCode":"abc123","FileName":"a.zip","DownloadUrl":[{"Url":")" +
         escaped(first) + R"("},{"Url":")" + escaped(second) + R"("},{"Url":")" + escaped(third) +
         R"(","UrlKey":"k"}]}})";
}

// Runs the command with a lookup that records what it was handed.
struct AnalysisRun {
  FakeSeam seam;
  std::vector<std::string> lookedUp;
  size_t callsBeforeLookup = 0;

  explicit AnalysisRun(std::string input, std::string reply = std::string(kTypicalReply)) {
    seam.controls[kInput] = std::move(input);
    seam.controls[kTelecom] = "earlier telecom";
    seam.controls[kFileName] = "earlier name";
    seam.reply = std::move(reply);
    AnalyzeCommand(seam, [this](Seam&, std::string_view text) {
      lookedUp.emplace_back(text);
      callsBeforeLookup = seam.calls.size();
    });
  }
};

const std::string kShareAddress = "http://kelopan.example/s/abc123";

TEST(AnalyzeCommand, TypicalReplyFillsTheThreeLines) {
  AnalysisRun run(kShareAddress);
  EXPECT_EQ(run.seam.requests(), std::vector<std::string>{kRequestPrefix + "abc123"});
  const std::string tail = "/files/abc123/a.zip?t=1700000000&s=9f8e";
  EXPECT_EQ(run.seam.writes(), (Writes{{kUnicom, "http://cu-dl.kelopan.com.example" + tail},
                                       {kTelecom, "http://ct-dl.kelopan.example" + tail},
                                       {kBackup, "http://bak-dl.kelopan.example" + tail}}));
  // The lookup gets the reply as received, escapes and all, after the last write.
  EXPECT_EQ(run.lookedUp, std::vector<std::string>{std::string(kTypicalReply)});
  EXPECT_EQ(run.callsBeforeLookup, run.seam.calls.size());
}

TEST(AnalyzeCommand, RoutesEachAddressByItsHost) {
  const std::string other = "dl.elsewhere.example";
  struct Case {
    const char* name;
    std::string first, second, third;
    Writes expected;
  };
  const std::string hidden = "\xB0" + std::string(config::kUnicomHostMarker);
  const Case cases[] = {
      {"in line order", address(kUnicomHost), address(kTelecomHost), address(kBackupHost),
       {{kUnicom, address(kUnicomHost)},
        {kTelecom, address(kTelecomHost)},
        {kBackup, address(kBackupHost)}}},
      {"shuffled", address(kBackupHost), address(kUnicomHost), address(kTelecomHost),
       {{kBackup, address(kBackupHost)},
        {kUnicom, address(kUnicomHost)},
        {kTelecom, address(kTelecomHost)}}},
      {"no marker: by position", address(other, "1"), address(other, "2"), address(other, "3"),
       {{kUnicom, address(other, "1")},
        {kTelecom, address(other, "2")},
        {kBackup, address(other, "3")}}},
      {"two Unicom: the later wins", address(kUnicomHost, "1"), address(kUnicomHost, "2"),
       address(other),
       {{kUnicom, address(kUnicomHost, "1")},
        {kUnicom, address(kUnicomHost, "2")},
        {kBackup, address(other)}}},
      // The marker right after a lead byte pairs with it and is not seen: position decides.
      {"marker behind a lead byte", address(kTelecomHost), address(other, hidden),
       address(other, "x" + std::string(config::kUnicomHostMarker)),
       {{kTelecom, address(kTelecomHost)},
        {kTelecom, address(other, hidden)},
        {kUnicom, address(other, "x" + std::string(config::kUnicomHostMarker))}}},
  };
  for (const Case& c : cases) {
    AnalysisRun run(kShareAddress, replyWith(c.first, c.second, c.third));
    EXPECT_EQ(run.seam.writes(), c.expected) << c.name;
    EXPECT_EQ(run.seam.requests().size(), 1u) << c.name;
    EXPECT_EQ(run.lookedUp.size(), 1u) << c.name;
  }
  AnalysisRun twoUnicom(kShareAddress, replyWith(address(kUnicomHost, "1"),
                                                 address(kUnicomHost, "2"), address(other)));
  EXPECT_EQ(twoUnicom.seam.text(kTelecom), "earlier telecom");
}

TEST(AnalyzeCommand, EscapedBackslashRunsCollapseLikeTheSearchAndReplace) {
  // "\\\/" (an escaped backslash, then an escaped slash) is 5C 5C 5C 2F: it ends as one "/".
  const std::string reply =
      R"([{"Url":"http:\\\/\/a.example\/1"},{"Url":"http:\/\/b.example\/2"},)"
      R"({"Url":"http:\/\/c.example\/3","UrlKey":"k"}])";
  AnalysisRun run(kShareAddress, reply);
  EXPECT_EQ(run.seam.writes(), (Writes{{kUnicom, "http://a.example/1"},
                                       {kTelecom, "http://b.example/2"},
                                       {kBackup, "http://c.example/3"}}));
}

TEST(AnalyzeCommand, MissingMarkersGiveEmptyOrTruncatedAddresses) {
  struct Case {
    const char* name;
    std::string reply;
    Writes expected;
  };
  const Case cases[] = {
      {"no markers at all", R"({"state":true,"data":[]})",
       {{kUnicom, ""}, {kTelecom, ""}, {kBackup, ""}}},
      // One entry only: no "},{", so the first two cuts have a negative length and remove
      // nothing; the third finds the only address.
      {"single address", R"([{"Url":"http:\/\/x.example\/1","UrlKey":"k"}])",
       {{kUnicom, ""}, {kTelecom, ""}, {kBackup, "http://x.example/1"}}},
  };
  for (const Case& c : cases) {
    AnalysisRun run(kShareAddress, c.reply);
    EXPECT_EQ(run.seam.writes(), c.expected) << c.name;
    EXPECT_EQ(run.lookedUp, std::vector<std::string>{c.reply}) << c.name;
  }

  // No "UrlKey": the third cut has a negative length.
  std::string noKey = replyWith(address("a.example"), address("b.example"), address("c.example"));
  noKey.replace(noKey.find("UrlKey"), 6, "Key");
  AnalysisRun run(kShareAddress, noKey);
  EXPECT_EQ(run.seam.writes(), (Writes{{kUnicom, address("a.example")},
                                       {kTelecom, address("b.example")},
                                       {kBackup, ""}}));
}

TEST(AnalyzeCommand, FalseAnywhereShowsTheExpiredMessage) {
  const std::string replies[] = {
      R"({"state":false,"error":"pick code expired"})",
      replyWith(address(kUnicomHost), address(kTelecomHost), address(kBackupHost, "falsehood")),
  };
  for (const std::string& reply : replies) {
    AnalysisRun run(kShareAddress, reply);
    EXPECT_EQ(run.seam.writes(),
              (Writes{{kUnicom, kExpired}, {kTelecom, kExpired}, {kBackup, kExpired}}));
    EXPECT_TRUE(run.lookedUp.empty());
    EXPECT_EQ(run.seam.text(kFileName), "earlier name");
  }
  // "false" right after a lead byte is not a match: the run goes on.
  std::string hidden = std::string(kTypicalReply);
  hidden.replace(hidden.find("abc123"), 6, "\xD6" "false");
  AnalysisRun run(kShareAddress, hidden);
  EXPECT_EQ(run.seam.text(kBackup).substr(0, 29), "http://bak-dl.kelopan.example");
  EXPECT_EQ(run.lookedUp.size(), 1u);
}

TEST(AnalyzeCommand, FailedRequestEmptiesTheLinesWithoutMessage) {
  using namespace std::string_literals;
  // Nothing received, or a body whose first byte is 0: the reply text is empty either way.
  for (const std::string& body : {""s, "\0"s + std::string(kTypicalReply)}) {
    AnalysisRun run(kShareAddress, body);
    EXPECT_EQ(run.seam.writes(), (Writes{{kUnicom, ""}, {kTelecom, ""}, {kBackup, ""}}));
    EXPECT_EQ(run.lookedUp, std::vector<std::string>{""});
  }
}

TEST(AnalyzeCommand, EmptyInputShowsTheMessageAndSendsNothing) {
  AnalysisRun run("");
  EXPECT_TRUE(run.seam.requests().empty());
  EXPECT_EQ(run.seam.writes(),
            (Writes{{kUnicom, kEmptyInput}, {kTelecom, kEmptyInput}, {kBackup, kEmptyInput}}));
  EXPECT_TRUE(run.lookedUp.empty());
  EXPECT_EQ(run.seam.text(kFileName), "earlier name");
}

TEST(AnalyzeCommand, PickCodeIsWhatFollowsTheLastSlash) {
  struct Case {
    std::string input;
    std::string pickCode;
  };
  const Case cases[] = {
      {kShareAddress, "abc123"},
      {"abc123", "abc123"},
      {"http://kelopan.example/s/", ""},
      {"/", ""},
      {"   ", "   "},
      {"a/b/c d", "c d"},
      {"http://kelopan.example/s/\xD6\xD0%41#x", "\xD6\xD0%41#x"},
      // The slash after the lead byte 81 is its second byte, so the last slash is the first one.
      {"a/b\x81/c", "b\x81/c"},
  };
  for (const Case& c : cases) {
    AnalysisRun run(c.input);
    EXPECT_EQ(run.seam.requests(), std::vector<std::string>{kRequestPrefix + c.pickCode})
        << c.input;
  }
}

TEST(AnalyzeCommand, WholeRunOnTheTypicalReply) {
  FakeSeam seam;
  seam.controls[kInput] = kShareAddress;
  seam.reply = std::string(kTypicalReply);
  AnalyzeCommand(seam);
  EXPECT_EQ(seam.requests().size(), 1u);
  const Writes writes = seam.writes();
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[2], std::make_pair(kBackup, std::string("http://bak-dl.kelopan.example/files/"
                                                           "abc123/a.zip?t=1700000000&s=9f8e")));
  // 中文.zip, from the \u escapes of the reply, in GBK.
  EXPECT_EQ(writes[3], std::make_pair(kFileName, std::string("\xD6\xD0\xCE\xC4.zip")));
}

}  // namespace
}  // namespace kelo
