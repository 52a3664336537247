// Assembles small GIF files for the decoder tests, with a straightforward LZW encoder.
#include "unit/gif/gif_builder.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

namespace kelo::testing {
namespace {

class BitWriter {
 public:
  void put(int code, int width) {
    bits_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  Bytes finish() {
    if (count_ > 0) out_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
    return std::move(out_);
  }

 private:
  Bytes out_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

void putU16(Bytes& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// The packed-field bits describing a colour table of `n` entries (flag and size field).
std::uint8_t tableBits(std::size_t n) {
  if (n == 0) return 0;
  for (int field = 0; field < 8; ++field) {
    if (std::size_t{2} << field == n) return static_cast<std::uint8_t>(0x80 | field);
  }
  throw std::invalid_argument("colour table size must be a power of two from 2 to 256");
}

void putTable(Bytes& out, const std::vector<Rgb>& table) {
  for (const Rgb& c : table) out.insert(out.end(), {c.r, c.g, c.b});
}

}  // namespace

Bytes lzwEncode(std::span<const std::uint8_t> indices, int minCodeSize, bool clearWhenFull) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  int width = minCodeSize + 1;
  int next = end + 1;
  std::map<std::pair<int, int>, int> table;
  BitWriter out;
  out.put(clear, width);
  int prefix = -1;
  for (std::uint8_t index : indices) {
    if (prefix < 0) {
      prefix = index;
      continue;
    }
    auto found = table.find({prefix, index});
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.put(prefix, width);
    if (next < 4096) {
      table[{prefix, index}] = next++;
      if (next - 1 == (1 << width) && width < 12) ++width;
    } else if (clearWhenFull) {
      out.put(clear, width);
      table.clear();
      next = end + 1;
      width = minCodeSize + 1;
    }
    prefix = index;
  }
  if (prefix >= 0) out.put(prefix, width);
  out.put(end, width);
  return out.finish();
}

Bytes packCodes(std::initializer_list<int> codes, int width) {
  BitWriter out;
  for (int code : codes) out.put(code, width);
  return out.finish();
}

Bytes subBlocks(std::span<const std::uint8_t> data, std::size_t blockSize) {
  Bytes out;
  for (std::size_t at = 0; at < data.size(); at += blockSize) {
    std::size_t n = std::min(blockSize, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  out.push_back(0);
  return out;
}

FrameSpec frameOf(int width, int height, std::uint8_t minCodeSize,
                  std::vector<std::uint8_t> indices) {
  FrameSpec frame;
  frame.width = width;
  frame.height = height;
  frame.minCodeSize = minCodeSize;
  frame.indices = std::move(indices);
  return frame;
}

GifSpec pictureOf(int width, int height, std::vector<Rgb> globalColours, FrameSpec frame) {
  GifSpec picture;
  picture.width = width;
  picture.height = height;
  picture.globalColours = std::move(globalColours);
  picture.frames.push_back(std::move(frame));
  return picture;
}

Bytes buildGif(const GifSpec& picture) {
  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  putU16(out, picture.width);
  putU16(out, picture.height);
  std::uint8_t table = tableBits(picture.globalColours.size());
  out.push_back(static_cast<std::uint8_t>(table | 0x70));  // 8 bits of colour resolution
  out.push_back(picture.background);
  out.push_back(0);
  putTable(out, picture.globalColours);
  for (const FrameSpec& frame : picture.frames) {
    if (frame.transparent) {
      out.insert(out.end(), {0x21, 0xF9, 4, 0x01, 0, 0, *frame.transparent, 0});
    }
    out.push_back(0x2C);
    putU16(out, frame.left);
    putU16(out, frame.top);
    putU16(out, frame.width);
    putU16(out, frame.height);
    out.push_back(static_cast<std::uint8_t>(tableBits(frame.localColours.size()) |
                                            (frame.interlaced ? 0x40 : 0)));
    putTable(out, frame.localColours);
    out.push_back(frame.minCodeSize);
    Bytes lzw = frame.lzwData ? *frame.lzwData : lzwEncode(frame.indices, frame.minCodeSize);
    Bytes blocks = subBlocks(lzw, frame.blockSize);
    out.insert(out.end(), blocks.begin(), blocks.end());
  }
  out.push_back(0x3B);
  return out;
}

Bgra pixelAt(const GifImage& image, int x, int y) {
  std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                    static_cast<std::size_t>(x)) * 4;
  return {image.bgra.at(at), image.bgra.at(at + 1), image.bgra.at(at + 2), image.bgra.at(at + 3)};
}

Bgra opaque(const Rgb& c) { return {c.b, c.g, c.r, 255}; }

void PrintTo(const Bgra& p, std::ostream* os) {
  *os << "rgba(" << int{p.r} << ", " << int{p.g} << ", " << int{p.b} << ", " << int{p.a} << ")";
}

std::size_t firstFrameDataOffset(std::span<const std::uint8_t> gif) {
  auto tableSize = [](std::uint8_t packed) -> std::size_t {
    return (packed & 0x80) ? std::size_t{3} << ((packed & 7) + 1) : 0;
  };
  std::size_t at = 13 + tableSize(gif[10]);
  while (gif[at] == 0x21) {
    at += 2;
    while (gif[at] != 0) at += std::size_t{gif[at]} + 1;
    ++at;
  }
  return at + 10 + tableSize(gif[at + 9]);
}

}  // namespace kelo::testing
