// The committed About banner (resources/banner.gif), compiled into the test binaries.
#pragma once

#include <cstdint>
#include <span>

namespace kelo::testing {
extern const std::span<const std::uint8_t> kBannerGif;
}
