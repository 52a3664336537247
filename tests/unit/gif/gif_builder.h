// Test helpers for the GIF decoder: assembles small GIF files (with a plain LZW encoder) and
// reads pixels back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <optional>
#include <span>
#include <vector>

#include "app/gif_image.h"

namespace kelo::testing {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

// LZW as GIF uses it: a clear code first, the code width growing once the table passes each
// power of two, the end code last. When the table is full it sends a clear and starts over, or
// with `clearWhenFull` false keeps the full table and goes on with 12-bit codes.
Bytes lzwEncode(std::span<const std::uint8_t> indices, int minCodeSize, bool clearWhenFull = true);

// Codes of one fixed `width` packed as GIF packs them, for hand-made streams.
Bytes packCodes(std::initializer_list<int> codes, int width);

// Cuts `data` into sub-blocks of at most `blockSize` bytes and adds the empty terminator.
Bytes subBlocks(std::span<const std::uint8_t> data, std::size_t blockSize = 255);

struct FrameSpec {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<Rgb> localColours;           // none when empty; 2, 4, ... 256 entries
  std::optional<std::uint8_t> transparent;  // a Graphic Control Extension precedes the frame
  std::uint8_t minCodeSize = 8;
  std::vector<std::uint8_t> indices;  // in stored order: pass by pass when interlaced
  std::optional<Bytes> lzwData;       // raw LZW bytes used in place of encoding `indices`
  std::size_t blockSize = 255;
};

struct GifSpec {
  int width = 0;
  int height = 0;
  std::vector<Rgb> globalColours;  // none when empty
  std::uint8_t background = 0;
  std::vector<FrameSpec> frames;
};

// A frame of `width` x `height` at the screen's corner, and a picture holding one frame.
FrameSpec frameOf(int width, int height, std::uint8_t minCodeSize,
                  std::vector<std::uint8_t> indices);
GifSpec pictureOf(int width, int height, std::vector<Rgb> globalColours, FrameSpec frame);

Bytes buildGif(const GifSpec& picture);

struct Bgra {
  std::uint8_t b = 0;
  std::uint8_t g = 0;
  std::uint8_t r = 0;
  std::uint8_t a = 0;
  bool operator==(const Bgra&) const = default;
};

Bgra pixelAt(const GifImage& image, int x, int y);
Bgra opaque(const Rgb& c);
void PrintTo(const Bgra& p, std::ostream* os);

// The byte offset at which the first frame's LZW minimum code size byte stands.
std::size_t firstFrameDataOffset(std::span<const std::uint8_t> gif);

}  // namespace kelo::testing
