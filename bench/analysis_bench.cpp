// How fast the Analyze command cuts a reply, from a typical 1 KB reply to 64 MiB ones, measured
// against copying the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "analysis/analyze_command.h"
#include "analysis/file_name_lookup.h"
#include "app/build_config.h"
#include "unit/fake_seam.h"

namespace {

using kelo::ControlId;
using kelo::testing::FakeSeam;

const std::string kEntries =
    std::string(R"("DownloadUrl":[{"Url":"http:\/\/)") + kelo::config::kUnicomHostMarker +
    R"(.com.example\/files\/abc123\/a.zip?t=1700000000&s=9f8e"},{"Url":"http:\/\/)" +
    kelo::config::kTelecomHostMarker +
    R"(\/files\/abc123\/a.zip?t=1700000000&s=9f8e"},{"Url":"http:\/\/)" +
    kelo::config::kBackupHostMarker +
    R"(\/files\/abc123\/a.zip?t=1700000000&s=9f8e","UrlKey":"k"}]}})";

// A reply in the service's layout whose "Padding" member holds `paddingBytes` bytes with one
// escaped slash in every 16, followed by the three addresses.
std::string replyOf(size_t paddingBytes) {
  std::string reply =
      R"({"state":true,"error":"","errno":0,"data":{"PickCode":"abc123",)"
      R"("FileName":"\u4e2d\u6587.zip","FileSize":"1024","Padding":")";
  constexpr std::string_view kUnit = "file-chunk-009\\/";  // 16 bytes
  static_assert(kUnit.size() == 16);
  reply.reserve(reply.size() + paddingBytes + kEntries.size() + 8);
  for (size_t i = 0; i + kUnit.size() <= paddingBytes; i += kUnit.size()) reply += kUnit;
  reply += "\",";
  reply += kEntries;
  return reply;
}

// The file-name lookup (a JSON read of the whole reply) is left out unless `withFileName`: it
// is measured with the JSON reader's own benchmarks.
void runAnalysis(benchmark::State& state, const std::string& reply, bool withFileName = false) {
  FakeSeam seam;
  seam.controls[ControlId::Main_EditBox1] = "http://kelopan.example/s/abc123";
  seam.reply = reply;
  const kelo::FileNameLookup lookup =
      withFileName ? kelo::FileNameLookup(kelo::lookupFileName)
                   : kelo::FileNameLookup([](kelo::Seam&, std::string_view) {});
  // One run before timing, so that the heap has grown to what a run needs.
  kelo::AnalyzeCommand(seam, lookup);
  for (auto _ : state) {
    seam.calls.clear();
    kelo::AnalyzeCommand(seam, lookup);
    benchmark::DoNotOptimize(seam.controls);
  }
  if (seam.text(ControlId::Main_EditBox4).find(kelo::config::kBackupHostMarker) ==
      std::string::npos) {
    state.SkipWithError("the backup address was not found");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(reply.size()));
}

void BM_AnalyzeTypicalReply(benchmark::State& state) { runAnalysis(state, replyOf(512)); }
BENCHMARK(BM_AnalyzeTypicalReply);

void BM_AnalyzeTypicalReplyWithFileName(benchmark::State& state) {
  runAnalysis(state, replyOf(512), true);
}
BENCHMARK(BM_AnalyzeTypicalReplyWithFileName);

void BM_AnalyzeLargeReply(benchmark::State& state) {
  runAnalysis(state, replyOf(static_cast<size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_AnalyzeLargeReply)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_MemcpyLargeReply(benchmark::State& state) {
  const std::string reply = replyOf(static_cast<size_t>(state.range(0)) << 20);
  std::string copy(reply.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), reply.data(), reply.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(reply.size()));
}
BENCHMARK(BM_MemcpyLargeReply)->Arg(16)->Unit(benchmark::kMillisecond);

// Lets the heap keep the pages of freed buffers, as a program that has run once already does.
// Otherwise glibc maps every buffer of many megabytes afresh and unmaps it on release, and each
// run pays one page fault per 4 KiB of its two big buffers (the received body and the working
// copy); in a virtual machine that can cost more than the analysis itself.
void keepFreedPages() {
#ifdef __GLIBC__
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

}  // namespace

// --fresh-pages: measure with the allocator's defaults instead, page faults included.
int main(int argc, char** argv) {
  bool freshPages = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--fresh-pages") {
      freshPages = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (!freshPages) keepFreedPages();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
