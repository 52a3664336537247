// JSON reading, writing and memory beside json-c and RapidJSON, on reply-like documents.
#include <benchmark/benchmark.h>
#include <json-c/json.h>
#include <malloc.h>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "json/json.h"

namespace {

// The documents: a typical reply, 1 MiB and 16 MiB of reply-like objects, a document of \u
// escapes, one nested 30 deep, and one object of 100,000 members with distinct keys or with one
// key repeated (RapidJSON keeps repeats, json-c replaces them).

// One reply of the service, about 1 KB, varied by `i` so that large documents do not repeat.
std::string reply(int i) {
  const std::string n = std::to_string(i);
  return R"({"state":true,"error":"","errno":0,"request_time":)" + std::to_string(1700000000 + i) +
         R"(,"data":{"PickCode":"pc)" + n + R"(x9","FileName":"\u4e2d\u6587\u6587\u4ef6)" + n +
         R"(.zip","FileSize":")" + std::to_string(1024 * i + 7) + R"(","Size":)" +
         std::to_string(1024 * i + 7) +
         R"(,"Sha1":"3c7d1f0e9a2b4c5d6e7f8091a2b3c4d5e6f70819","IsDir":false,"Category":3,)"
         R"("Rate":0.75,"UploadTime":"2023-11-14 22:13:20","Owner":{"UserId":)" +
         std::to_string(100000 + i) +
         R"(,"UserName":"user)" + n + R"(","Vip":true,"Quota":1.5e12},)"
         R"("Thumb":"http:\/\/img.kelopan.example\/thumb\/)" + n +
         R"(\/160x160.jpg","Tags":["archive","zip","shared"],"DownloadUrl":[)"
         R"({"Url":"http:\/\/cu-dl.kelopan.com.example\/files\/)" + n +
         R"(\/a.zip?t=1700000000&s=9f8e7d6c5b4a","Client":1,"Expire":7200},)"
         R"({"Url":"http:\/\/ct-dl.kelopan.example\/files\/)" + n +
         R"(\/a.zip?t=1700000000&s=9f8e7d6c5b4a","Client":2,"Expire":7200},)"
         R"({"Url":"http:\/\/bak-dl.kelopan.example\/files\/)" + n +
         R"(\/a.zip?t=1700000000&s=9f8e7d6c5b4a","Client":3,"Expire":7200,"UrlKey":"k)" + n +
         R"("}],"Note":"shared by \"user)" + n + R"(\"\tfor the group","Path":"\/share\/2023\/11"}})";
}

std::string manyReplies(std::size_t bytes) {
  std::string doc = R"({"list":[)";
  for (int i = 0; doc.size() < bytes; ++i) {
    if (i != 0) doc += ',';
    doc += reply(i);
  }
  return doc + "]}";
}

std::string manyEscapes(std::size_t bytes) {
  static const char* const kCodes[] = {"4e2d", "6587", "6587", "4ef6", "540d", "7f51", "76d8",
                                       "4e0b", "8f7d", "52a9", "624b", "00e9", "3002", "ff01"};
  std::string doc = "[";
  for (int i = 0; doc.size() < bytes; ++i) {
    if (i != 0) doc += ',';
    doc += '"';
    for (int k = 0; k < 40; ++k) doc += std::string("\\u") + kCodes[(i + k * 7) % 14];
    doc += '"';
  }
  return doc + "]";
}

// Chains of 29 objects in an array: values at level 30.
std::string nested30(std::size_t bytes) {
  std::string doc = "[";
  for (int i = 0; doc.size() < bytes; ++i) {
    if (i != 0) doc += ',';
    for (int level = 1; level < 30; ++level) doc += R"({"level":)" + std::to_string(level) + R"(,"next":)";
    doc += R"({"FileName":"deep)" + std::to_string(i) + R"(.zip"})";
    doc += std::string(29, '}');
  }
  return doc + "]";
}

// One object of n members: distinct keys, or one key n times.
std::string wideObject(int n, bool repeated) {
  std::string doc = "{";
  for (int i = 0; i < n; ++i) {
    if (i != 0) doc += ',';
    doc += "\"key" + (repeated ? std::string() : std::to_string(i)) + "\":" + std::to_string(i);
  }
  return doc + "}";
}

struct Document {
  const char* name;
  std::string text;
};

const std::vector<Document>& documents() {
  static const std::vector<Document> docs = {
      {"reply_1KB", reply(1)},
      {"replies_1MiB", manyReplies(1 << 20)},
      {"replies_16MiB", manyReplies(16 << 20)},
      {"escapes_1MiB", manyEscapes(1 << 20)},
      {"nested30_1MiB", nested30(1 << 20)},
      {"members_100k", wideObject(100000, false)},
      {"repeats_100k", wideObject(100000, true)},
  };
  return docs;
}

// Writers are rated by the size of the document they write, not of their output, whose length
// differs between them (spacing, GB18030 or UTF-8 for \u escapes): the rates then compare the
// time per document.
void reportWritten(benchmark::State& state, const std::string& text, std::size_t written) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["written_bytes"] = static_cast<double>(written);
}

// --- kelo -------------------------------------------------------------------------------------

void keloRead(benchmark::State& state, const std::string* text) {
  for (auto _ : state) {
    kelo::JSON doc = kelo::jsonCreate();
    if (!kelo::jsonParse(doc, *text)) state.SkipWithError("kelo: read failed");
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

void keloWrite(benchmark::State& state, const std::string* text) {
  kelo::JSON doc = kelo::jsonCreate();
  kelo::jsonParse(doc, *text);
  std::size_t written = 0;
  for (auto _ : state) {
    kelo::Text out = kelo::jsonToText(doc);
    written = out.size();
    benchmark::DoNotOptimize(out);
  }
  reportWritten(state, *text, written);
}

// The lookup's search on its own: every "FileName" of the document, written back.
void keloSearch(benchmark::State& state, const std::string* text) {
  kelo::JSON doc = kelo::jsonCreate();
  kelo::jsonParse(doc, *text);
  for (auto _ : state) {
    kelo::JSON found = kelo::jsonSearch(doc, "FileName");
    benchmark::DoNotOptimize(kelo::jsonToText(found));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

// --- json-c -----------------------------------------------------------------------------------

json_object* jsoncParse(const std::string& text) {
  std::unique_ptr<json_tokener, decltype(&json_tokener_free)> tok(json_tokener_new(), json_tokener_free);
  return json_tokener_parse_ex(tok.get(), text.data(), static_cast<int>(text.size()));
}

void jsoncRead(benchmark::State& state, const std::string* text) {
  std::unique_ptr<json_tokener, decltype(&json_tokener_free)> tok(json_tokener_new(), json_tokener_free);
  for (auto _ : state) {
    json_tokener_reset(tok.get());
    json_object* obj = json_tokener_parse_ex(tok.get(), text->data(), static_cast<int>(text->size()));
    if (obj == nullptr) state.SkipWithError("json-c: read failed");
    json_object_put(obj);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

void jsoncWrite(benchmark::State& state, const std::string* text) {
  json_object* obj = jsoncParse(*text);
  std::size_t written = 0;
  for (auto _ : state) {
    std::size_t length = 0;
    const char* out = json_object_to_json_string_length(obj, JSON_C_TO_STRING_SPACED, &length);
    written = length;
    benchmark::DoNotOptimize(out);
  }
  json_object_put(obj);
  reportWritten(state, *text, written);
}

// --- RapidJSON --------------------------------------------------------------------------------

void rapidRead(benchmark::State& state, const std::string* text) {
  for (auto _ : state) {
    rapidjson::Document doc;
    doc.Parse(text->data(), text->size());
    if (doc.HasParseError()) state.SkipWithError("RapidJSON: read failed");
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

void rapidWrite(benchmark::State& state, const std::string* text) {
  rapidjson::Document doc;
  doc.Parse(text->data(), text->size());
  std::size_t written = 0;
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    doc.Accept(writer);
    written = buffer.GetSize();
    benchmark::DoNotOptimize(buffer.GetString());
  }
  reportWritten(state, *text, written);
}

// --- memory -----------------------------------------------------------------------------------

std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Heap bytes a read document holds, over the size of its text.
void memory(benchmark::State& state, const std::string* text,
            const std::function<std::function<void()>(const std::string&)>& read) {
  for (auto _ : state) {
    malloc_trim(0);
    const std::size_t before = heapInUse();
    std::function<void()> release = read(*text);
    const std::size_t held = heapInUse() - before;
    release();
    state.counters["held_bytes"] = static_cast<double>(held);
    state.counters["held_per_text_byte"] = static_cast<double>(held) / static_cast<double>(text->size());
  }
}

std::function<void()> keloHold(const std::string& text) {
  auto doc = std::make_shared<kelo::JSON>(kelo::jsonCreate());
  kelo::jsonParse(*doc, text);
  return [doc] { kelo::jsonDestroy(*doc); };
}

std::function<void()> jsoncHold(const std::string& text) {
  json_object* obj = jsoncParse(text);
  return [obj] { json_object_put(obj); };
}

std::function<void()> rapidHold(const std::string& text) {
  auto doc = std::make_shared<rapidjson::Document>();
  doc->Parse(text.data(), text.size());
  return [doc]() mutable { doc.reset(); };
}

[[maybe_unused]] const bool registered = [] {
  for (const Document& d : documents()) {
    const std::string* text = &d.text;
    const std::string name = d.name;
    benchmark::RegisterBenchmark(("read/" + name + "/kelo").c_str(), keloRead, text);
    benchmark::RegisterBenchmark(("read/" + name + "/rapidjson").c_str(), rapidRead, text);
    benchmark::RegisterBenchmark(("read/" + name + "/json-c").c_str(), jsoncRead, text);
    benchmark::RegisterBenchmark(("write/" + name + "/kelo").c_str(), keloWrite, text);
    benchmark::RegisterBenchmark(("write/" + name + "/rapidjson").c_str(), rapidWrite, text);
    benchmark::RegisterBenchmark(("write/" + name + "/json-c").c_str(), jsoncWrite, text);
    benchmark::RegisterBenchmark(("search/" + name + "/kelo").c_str(), keloSearch, text);
  }
  const std::string* big = &documents()[2].text;
  benchmark::RegisterBenchmark("memory/replies_16MiB/kelo", memory, big, keloHold)->Iterations(1);
  benchmark::RegisterBenchmark("memory/replies_16MiB/rapidjson", memory, big, rapidHold)->Iterations(1);
  benchmark::RegisterBenchmark("memory/replies_16MiB/json-c", memory, big, jsoncHold)->Iterations(1);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
