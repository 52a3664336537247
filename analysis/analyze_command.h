// The Analyze command: from the share address in 编辑框1 to the three download addresses in
// 编辑框2-4 and, through the file-name lookup, the file name in 编辑框6.
#pragma once

#include <functional>
#include <string_view>

#include "app/seam.h"

namespace kelo {

// Called once at the end of a successful run with the reply exactly as received.
using FileNameLookup = std::function<void(Seam&, std::string_view reply)>;

void AnalyzeCommand(Seam& seam);

// The same run with the file-name lookup supplied by the caller, so that tests can see what the
// command hands on.
void AnalyzeCommand(Seam& seam, const FileNameLookup& lookup);

}  // namespace kelo
