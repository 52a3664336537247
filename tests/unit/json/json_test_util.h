// Helpers for the JSON tests: read a text and give its written form, or say that the read failed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "json/json.h"

namespace kelo::testing {

// The written form of `text` read as a document, or nullopt when the read fails.
inline std::optional<std::string> reread(std::string_view text) {
  JSON doc = jsonCreate();
  if (!jsonParse(doc, text)) return std::nullopt;
  return jsonToText(doc);
}

// The written result of searching `text` with `path`.
inline std::string searched(std::string_view text, std::string_view path) {
  JSON doc = jsonCreate();
  jsonParse(doc, text);
  JSON result = jsonSearch(doc, path);
  return jsonToText(result);
}

// Bytes given in a string literal, with embedded zeros kept (sizeof - 1).
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

}  // namespace kelo::testing
