// The file name shown in 编辑框6 after an analysis, for the replies the service may send.
#include <gtest/gtest.h>

#include <string>

#include "analysis/analyze_command.h"
#include "analysis/file_name_lookup.h"
#include "fake_seam.h"

namespace kelo::testing {
namespace {

struct LookupCase {
  std::string reply;
  std::string shown;  // 编辑框6 afterwards; it held "old" before
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.reply); }

class FileNameBox : public ::testing::TestWithParam<LookupCase> {};

TEST_P(FileNameBox, ShowsTheNameCutOutOfTheWrittenMatches) {
  FakeSeam seam;
  seam.controls[ControlId::Main_EditBox1] = "http://kelopan.example/s/abc123";
  seam.controls[ControlId::Main_EditBox6] = "old";
  seam.reply = GetParam().reply;
  AnalyzeCommand(seam);
  EXPECT_EQ(seam.text(ControlId::Main_EditBox6), GetParam().shown);
}

const std::string kReply =
    R"({"state":true,"error":"","errno":0,"data":{"PickCode":"abc123",)"
    R"("FileName":"\u4e2d\u6587.zip","FileSize":"1024","DownloadUrl":[)"
    R"({"Url":"http:\/\/cu-dl.kelopan.com\/f\/a.zip"},)"
    R"({"Url":"http:\/\/ct-dl.kelopan.example\/f\/a.zip"},)"
    R"({"Url":"http:\/\/bak-dl.kelopan.example\/f\/a.zip","UrlKey":"k"}]}})";

INSTANTIATE_TEST_SUITE_P(Replies, FileNameBox, ::testing::Values(
    LookupCase{kReply, "\xD6\xD0\xCE\xC4.zip"},
    LookupCase{R"({"FileName":"abc.zip"})", "abc.zip"},
    LookupCase{R"({"FileName":"\u4e2d\u6587.zip"})", "\xD6\xD0\xCE\xC4.zip"},
    LookupCase{R"({"data":{"x":1}})", ""},
    LookupCase{"[]", ""},
    LookupCase{R"([{"FileName":"a.zip"},{"FileName":"b.zip"}])", R"(a.zip", "b.zip)"},
    LookupCase{R"({"FileName":"first.zip","FileName":"last.zip"})", "last.zip"},
    LookupCase{R"({"FileName":{"FileName":"inner.zip"}})", R"( "FileName": "inner.zip" )"},
    // Not JSON, the empty reply of a failed request, a cut-off reply, a top level that is
    // neither object nor array.
    LookupCase{"<html><body>502 Bad Gateway</body></html>", ""},
    LookupCase{"", ""},
    LookupCase{R"({"FileName":"abc.zi)", ""},
    LookupCase{R"("FileName")", ""},
    LookupCase{"42", ""},
    // Other kinds of value come out cut by the same byte counts.
    LookupCase{R"({"FileName":123})", "2"},
    LookupCase{R"({"FileName":7})", ""},
    LookupCase{R"({"FileName":12})", ""},
    LookupCase{R"({"FileName":null})", "ul"},
    LookupCase{R"({"FileName":true})", "ru"},
    LookupCase{R"({"FileName":1.5})", ".50000"},
    // A single string shows in its escaped form.
    LookupCase{R"({"FileName":"a\/b"})", R"(a\/b)"},
    LookupCase{R"({"FileName":"say \"hi\".txt"})", R"(say \"hi\".txt)"},
    LookupCase{R"({"FileName":"c:\\x"})", R"(c:\\x)"},
    LookupCase{"{\"FileName\":\"a\tb\"}", R"(a\tb)"},
    LookupCase{R"({"FileName":""})", ""},
    // A reply holding "false" stops the command before the lookup.
    LookupCase{R"({"state":false,"FileName":"x.zip"})", "old"}));

TEST(FileNameLookup, WritesTheBoxOnceEvenWhenEmpty) {
  FakeSeam seam;
  lookupFileName(seam, "not json");
  EXPECT_EQ(seam.writes(), (std::vector<std::pair<ControlId, std::string>>{
                               {ControlId::Main_EditBox6, ""}}));
}

}  // namespace
}  // namespace kelo::testing
