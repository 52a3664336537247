// Decodes the first frame of a GIF picture: block structure, colour tables, LZW, interlacing.
#include "app/gif_image.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kelo {
namespace {

// Every read is checked against the end of the input, so a truncated file can only make a
// read fail, never reach past the last byte.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  bool readByte(std::uint8_t& out) {
    if (pos_ >= data_.size()) return false;
    out = data_[pos_++];
    return true;
  }

  bool readU16(int& out) {
    std::uint8_t lo = 0;
    std::uint8_t hi = 0;
    if (!readByte(lo) || !readByte(hi)) return false;
    out = lo | (hi << 8);
    return true;
  }

  std::optional<std::span<const std::uint8_t>> take(std::size_t n) {
    if (data_.size() - pos_ < n) return std::nullopt;
    auto part = data_.subspan(pos_, n);
    pos_ += n;
    return part;
  }

  // Skips a chain of data sub-blocks up to and including its empty terminator.
  bool skipSubBlocks() {
    std::uint8_t n = 0;
    do {
      if (!readByte(n) || !take(n)) return false;
    } while (n != 0);
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// LZW codes packed least significant bit first across the image's data sub-blocks.
class CodeReader {
 public:
  explicit CodeReader(ByteReader& reader) : reader_(reader) {}

  // The next code of `width` bits, or nothing when the data ends first (by its terminator or
  // by running out of input).
  std::optional<int> read(int width) {
    while (bitCount_ < width) {
      if (blockLeft_ == 0) {
        if (ended_ || !reader_.readByte(blockLeft_) || blockLeft_ == 0) {
          ended_ = true;
          return std::nullopt;
        }
      }
      std::uint8_t byte = 0;
      if (!reader_.readByte(byte)) {
        ended_ = true;
        return std::nullopt;
      }
      --blockLeft_;
      bits_ |= std::uint32_t{byte} << bitCount_;
      bitCount_ += 8;
    }
    int code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bitCount_ -= width;
    return code;
  }

 private:
  ByteReader& reader_;
  std::uint8_t blockLeft_ = 0;
  bool ended_ = false;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

struct Frame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::span<const std::uint8_t> colours;  // 3 bytes (red, green, blue) per entry
  std::optional<std::uint8_t> transparent;
};

// Puts the frame's colour indices on the screen in the frame's row order, clipping to the
// screen; pixels past the frame's area are ignored.
class FrameWriter {
 public:
  FrameWriter(GifImage& image, const Frame& frame, bool honourTransparency)
      : image_(image), frame_(frame), honourTransparency_(honourTransparency),
        total_(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) {}

  bool full() const { return written_ == total_; }

  void put(std::uint8_t index) {
    if (full()) return;
    int sx = frame_.left + x_;
    int sy = frame_.top + row_;
    if (sx < image_.width && sy < image_.height) paint(sx, sy, index);
    ++written_;
    if (++x_ == frame_.width) {
      x_ = 0;
      nextRow();
    }
  }

 private:
  void paint(int sx, int sy, std::uint8_t index) {
    if (honourTransparency_ && frame_.transparent == index) return;
    std::uint8_t* pixel = image_.bgra.data() + (static_cast<std::size_t>(sy) *
                                                    static_cast<std::size_t>(image_.width) +
                                                static_cast<std::size_t>(sx)) * 4;
    std::size_t entry = std::size_t{index} * 3;
    if (entry + 3 <= frame_.colours.size()) {
      const std::uint8_t* rgb = frame_.colours.data() + entry;
      pixel[0] = rgb[2];
      pixel[1] = rgb[1];
      pixel[2] = rgb[0];
    } else {
      pixel[0] = pixel[1] = pixel[2] = 0;
    }
    pixel[3] = 255;
  }

  // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, then
  // every 2nd from 1.
  void nextRow() {
    static constexpr std::array<int, 4> kPassStart{0, 4, 2, 1};
    static constexpr std::array<int, 4> kPassStep{8, 8, 4, 2};
    if (!frame_.interlaced) {
      ++row_;
      return;
    }
    row_ += kPassStep[pass_];
    while (row_ >= frame_.height && pass_ < 3) {
      ++pass_;
      row_ = kPassStart[pass_];
    }
  }

  GifImage& image_;
  const Frame& frame_;
  bool honourTransparency_;
  std::size_t total_;
  std::size_t written_ = 0;
  int x_ = 0;
  int row_ = 0;
  std::size_t pass_ = 0;
};

constexpr int kMaxCodeWidth = 12;
constexpr int kTableSize = 1 << kMaxCodeWidth;

// Decodes the LZW stream into `out` until the end code, the frame is full, the data ends, or a
// code that cannot occur in a sound stream.
void decodeLzw(CodeReader& codes, int minCodeSize, FrameWriter& out) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  // Each string is its prefix code plus one last index; its first index and length are kept
  // so a string can be written out back to front without walking the chain twice.
  std::array<std::uint16_t, kTableSize> prefix{};
  std::array<std::uint8_t, kTableSize> last{};
  std::array<std::uint8_t, kTableSize> first{};
  std::array<std::uint16_t, kTableSize> length{};
  std::array<std::uint8_t, kTableSize> string{};
  for (int i = 0; i < clear; ++i) {
    last[i] = first[i] = static_cast<std::uint8_t>(i);
    length[i] = 1;
  }

  int width = minCodeSize + 1;
  int next = end + 1;
  int previous = -1;  // no string yet: the next code must be a literal
  while (!out.full()) {
    std::optional<int> code = codes.read(width);
    if (!code || *code == end) return;
    if (*code == clear) {
      width = minCodeSize + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (previous < 0) {
      if (*code >= clear) return;  // only literals are defined right after a clear
      out.put(static_cast<std::uint8_t>(*code));
      previous = *code;
      continue;
    }
    if (*code > next) return;
    if (next < kTableSize) {
      // The new string is the previous one plus the first index of this code's string; when
      // the code is the one being defined, that first index is the previous string's own.
      prefix[next] = static_cast<std::uint16_t>(previous);
      last[next] = *code == next ? first[previous] : first[*code];
      first[next] = first[previous];
      length[next] = static_cast<std::uint16_t>(length[previous] + 1);
      ++next;
      if (next == (1 << width) && width < kMaxCodeWidth) ++width;
    }
    // A full table stays as it is, and codes stay 12 bits wide, until the encoder sends a clear.
    int n = length[*code];
    int c = *code;
    for (int i = n - 1; i >= 0; --i) {
      string[i] = last[c];
      c = prefix[c];
    }
    for (int i = 0; i < n; ++i) out.put(string[i]);
    previous = *code;
  }
}

// Allocates the screen's pixels and gives them their look before the frame is drawn.
void fillScreen(GifImage& image, std::span<const std::uint8_t> globalColours,
                std::uint8_t backgroundIndex, bool honourTransparency) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  image.bgra.assign(rowBytes * static_cast<std::size_t>(image.height), 0);
  if (honourTransparency) return;
  std::array<std::uint8_t, 4> fill{0, 0, 0, 255};
  std::size_t entry = std::size_t{backgroundIndex} * 3;
  if (entry + 3 <= globalColours.size()) {
    fill = {globalColours[entry + 2], globalColours[entry + 1], globalColours[entry], 255};
  }
  auto firstRow = image.bgra.begin();
  for (std::size_t at = 0; at < rowBytes; at += 4) {
    std::copy(fill.begin(), fill.end(), firstRow + static_cast<std::ptrdiff_t>(at));
  }
  for (auto row = firstRow + static_cast<std::ptrdiff_t>(rowBytes); row != image.bgra.end();
       row += static_cast<std::ptrdiff_t>(rowBytes)) {
    std::copy(firstRow, firstRow + static_cast<std::ptrdiff_t>(rowBytes), row);
  }
}

std::optional<std::span<const std::uint8_t>> readColourTable(ByteReader& reader,
                                                             std::uint8_t packed) {
  if ((packed & 0x80) == 0) return std::span<const std::uint8_t>{};
  return reader.take(std::size_t{3} << ((packed & 0x07) + 1));
}

}  // namespace

std::optional<GifImage> decodeGifFirstFrame(std::span<const std::uint8_t> data,
                                            bool honourTransparency) {
  ByteReader reader(data);
  auto signature = reader.take(6);
  if (!signature) return std::nullopt;
  const std::array<std::uint8_t, 6> gif87a{'G', 'I', 'F', '8', '7', 'a'};
  const std::array<std::uint8_t, 6> gif89a{'G', 'I', 'F', '8', '9', 'a'};
  if (!std::equal(signature->begin(), signature->end(), gif87a.begin()) &&
      !std::equal(signature->begin(), signature->end(), gif89a.begin())) {
    return std::nullopt;
  }

  GifImage image;
  std::uint8_t screenFlags = 0;
  std::uint8_t backgroundIndex = 0;
  std::uint8_t aspect = 0;
  if (!reader.readU16(image.width) || !reader.readU16(image.height) ||
      !reader.readByte(screenFlags) || !reader.readByte(backgroundIndex) ||
      !reader.readByte(aspect)) {
    return std::nullopt;
  }
  if (image.width == 0 || image.height == 0 || image.width > kMaxGifSide ||
      image.height > kMaxGifSide) {
    return std::nullopt;
  }
  auto globalColours = readColourTable(reader, screenFlags);
  if (!globalColours) return std::nullopt;

  std::optional<std::uint8_t> transparent;
  for (;;) {
    std::uint8_t introducer = 0;
    if (!reader.readByte(introducer)) return std::nullopt;
    if (introducer == 0x21) {
      std::uint8_t label = 0;
      std::uint8_t size = 0;
      if (!reader.readByte(label) || !reader.readByte(size)) return std::nullopt;
      if (size == 0) continue;  // an extension with no data at all
      auto body = reader.take(size);
      if (!body || !reader.skipSubBlocks()) return std::nullopt;
      // Graphic Control Extension: its flags and transparent index apply to the next frame.
      if (label == 0xF9 && size >= 4) {
        transparent.reset();
        if ((*body)[0] & 0x01) transparent = (*body)[3];
      }
      continue;
    }
    if (introducer != 0x2C) return std::nullopt;  // the trailer, or not a block at all

    Frame frame;
    std::uint8_t frameFlags = 0;
    if (!reader.readU16(frame.left) || !reader.readU16(frame.top) ||
        !reader.readU16(frame.width) || !reader.readU16(frame.height) ||
        !reader.readByte(frameFlags)) {
      return std::nullopt;
    }
    if (frame.width > kMaxGifSide || frame.height > kMaxGifSide) return std::nullopt;
    frame.interlaced = (frameFlags & 0x40) != 0;
    auto localColours = readColourTable(reader, frameFlags);
    if (!localColours) return std::nullopt;
    frame.colours = (frameFlags & 0x80) ? *localColours : *globalColours;
    frame.transparent = transparent;
    std::uint8_t minCodeSize = 0;
    if (!reader.readByte(minCodeSize) || minCodeSize < 1 || minCodeSize > 8) return std::nullopt;

    fillScreen(image, *globalColours, backgroundIndex, honourTransparency);
    FrameWriter writer(image, frame, honourTransparency);
    CodeReader codes(reader);
    decodeLzw(codes, minCodeSize, writer);
    image.complete = writer.full();
    return image;
  }
}

}  // namespace kelo
