// Decodes the first frame of a GIF picture into 32-bit BGRA pixels, safely on any input.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelo {

// Larger logical screens are refused: the banner is 290 x 90, and the cap keeps the pixel
// buffer (64 MiB at most) and the decoding work bounded whatever the file claims.
inline constexpr int kMaxGifSide = 4096;

struct GifImage {
  int width = 0;   // of the logical screen
  int height = 0;
  // width * height * 4 bytes, blue, green, red, alpha; rows top-down, no padding.
  std::vector<std::uint8_t> bgra;
  // False when the frame's pixel data broke off or was corrupt part-way: the pixels decoded up
  // to that point are kept and the rest show the screen's initial fill.
  bool complete = false;
};

// The first frame composited on the logical screen.
//
// With honourTransparency false (how a one-frame picture is shown) every pixel is opaque: the
// frame's transparent entry shows its own colour and the screen outside the frame the global
// table's background colour (black without a global table). With it true, transparent pixels
// and the screen outside the frame have alpha 0, as a player compositing frames needs.
// Indices past the end of the colour table in use show opaque black.
//
// Returns nothing when the input is not a GIF, the logical screen is empty or larger than
// kMaxGifSide on a side, a frame is larger than that, or the input ends or goes wrong before
// the first frame's pixel data begins. Once pixel data has begun, a truncated or corrupt stream
// gives the picture decoded so far with `complete` false.
std::optional<GifImage> decodeGifFirstFrame(std::span<const std::uint8_t> data,
                                            bool honourTransparency = false);

}  // namespace kelo
