// A document: the arena owning a value tree, its top-level value, the documents it points into.
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
