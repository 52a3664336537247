// libFuzzer target: any bytes read as a JSON document, written back, and searched by a path
// taken from the same bytes. Nothing may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "json/json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line, if any, is the path; the rest the document.
  std::string_view path = "FileName";
  if (auto nl = input.find('\n'); nl != std::string_view::npos && nl < 64) {
    path = input.substr(0, nl);
    input.remove_prefix(nl + 1);
  }
  kelo::JSON document = kelo::jsonCreate();
  kelo::jsonParse(document, input);
  const kelo::Text written = kelo::jsonToText(document);
  kelo::JSON matches = kelo::jsonSearch(document, path);
  kelo::jsonDestroy(document);  // the search result must outlive its document
  (void)kelo::jsonToText(matches);
  kelo::JSON again = kelo::jsonCreate();
  kelo::jsonParse(again, written);
  return 0;
}
