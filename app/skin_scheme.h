// The control skin's colour schemes, shared by both front ends so that they draw the same pixels.
#pragma once

#include "app/design.h"

namespace kelo {

struct SkinScheme {
  Rgb frame;  // edit-box and group-box frames
  Rgb buttonTop;  // button face gradient
  Rgb buttonBottom;
  Rgb buttonBorder;
  Rgb hotBorder;  // the pointer is over the button
  Rgb pressedTop;
  Rgb pressedBottom;
};

// Scheme 1 (blue), 2 (olive green) or 3 (silver); nullptr for any other value: the skin off.
const SkinScheme* skinScheme(int scheme);

// The colour num/den of the way from a to b: line num of a gradient over den + 1 lines.
Rgb mixColours(Rgb a, Rgb b, int num, int den);

}  // namespace kelo
