// The file-name lookup: reads the untouched reply as a JSON document and shows the members named
// "FileName" in 编辑框6.
#pragma once

#include <string_view>

#include "app/seam.h"

namespace kelo {

void lookupFileName(Seam& seam, std::string_view reply);

}  // namespace kelo
