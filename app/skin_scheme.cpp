// The control skin's colour schemes.
#include "app/skin_scheme.h"

#include <algorithm>

namespace kelo {
namespace {

constexpr SkinScheme kSchemes[] = {
    // 1: blue
    {{123, 158, 189}, {255, 255, 255}, {200, 222, 245}, {0, 60, 116}, {255, 160, 40},
     {170, 200, 235}, {225, 238, 252}},
    // 2: olive green
    {{164, 185, 127}, {255, 255, 250}, {214, 226, 190}, {55, 98, 6}, {255, 160, 40},
     {190, 208, 160}, {235, 242, 222}},
    // 3: silver
    {{165, 165, 185}, {255, 255, 255}, {222, 222, 232}, {80, 80, 100}, {255, 160, 40},
     {200, 200, 214}, {240, 240, 245}},
};

}  // namespace

const SkinScheme* skinScheme(int scheme) {
  return scheme >= 1 && scheme <= 3 ? &kSchemes[scheme - 1] : nullptr;
}

Rgb mixColours(Rgb a, Rgb b, int num, int den) {
  auto channel = [&](int ca, int cb) {
    return static_cast<std::uint8_t>(ca + (cb - ca) * num / std::max(den, 1));
  };
  return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

}  // namespace kelo
