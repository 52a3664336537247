// Turning the run of number bytes the reader collected into an integer or a real.
#pragma once

#include <string_view>

#include "json/value.h"

namespace kelo::json_detail {

// `run` is the longest run of bytes from "0123456789.+-eE" that started with '-' or a digit.
// Gives a value of kind Failed when the run does not scan.
Value scanNumber(std::string_view run);

}  // namespace kelo::json_detail
