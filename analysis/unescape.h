// Turns every escaped slash ("\/") of a reply into "/" in one pass, with exactly the result of
// replacing the first character-aligned "\/" by "/" again and again until none is left.
#pragma once

#include <string_view>

#include "analysis/text.h"

namespace kelo {

Text unescapeSlashes(std::string_view text);

}  // namespace kelo
