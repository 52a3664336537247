// A document: the arena that owns a value tree, its top-level value, and the documents its values
// point into (a search result's elements belong to the document it searched).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "json/arena.h"
#include "json/value.h"

namespace kelo::json_detail {

struct Document {
  Arena arena;
  Value root;
  std::vector<std::shared_ptr<const Document>> keepAlive;
  // Length of the text the document was read from: a good first guess for the written size.
  std::size_t sourceSize = 0;
};

}  // namespace kelo::json_detail
