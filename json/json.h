// The JSON instance and the operations the file-name lookup is written in: read, write, search.
#pragma once

#include <memory>
#include <string_view>

#include "analysis/text.h"

namespace kelo {

namespace json_detail {
struct Document;
}

// Holds nothing, one value, or the mark of a failed read. The value lives in a reference-counted
// document; a search result keeps the documents it points into alive, so either instance may be
// released first. Move-only: a copy would be a second owner the API has no way to express.
class JSON {
 public:
  JSON() noexcept = default;
  JSON(JSON&&) noexcept = default;
  JSON& operator=(JSON&&) noexcept = default;
  JSON(const JSON&) = delete;
  JSON& operator=(const JSON&) = delete;
  ~JSON() = default;  // dropping doc_ is all jsonDestroy does

 private:
  friend void jsonDestroy(JSON& instance) noexcept;
  friend bool jsonParse(JSON& instance, std::string_view text);
  friend Text jsonToText(const JSON& instance);
  friend JSON jsonSearch(const JSON& instance, std::string_view path);

  std::shared_ptr<const json_detail::Document> doc_;  // null: empty or failed
  bool failed_ = false;
};

// A new, empty instance.
JSON jsonCreate() noexcept;

// Drops the instance's reference to its value; the instance is empty afterwards.
void jsonDestroy(JSON& instance) noexcept;

// Reads `text` as a JSON document. On success the instance holds the top-level value (nothing
// for a document that is just null); on failure it holds the failed mark. The text ends at its
// first 0 byte, as a Text would.
bool jsonParse(JSON& instance, std::string_view text);

// The written form of the instance's value; "null" when it is empty, the empty text when failed.
Text jsonToText(const JSON& instance);

// The values that `path` reaches, as a new instance holding an array of references to them, or
// an empty instance when the instance holds no object or array or the path has no segment.
JSON jsonSearch(const JSON& instance, std::string_view path);

}  // namespace kelo
