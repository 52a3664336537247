// Malformed, corrupt and truncated GIF input: refused or decoded in part, never read past its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/gif_image.h"
#include "unit/gif/banner_fixture.h"
#include "unit/gif/gif_builder.h"

namespace kelo {
namespace {

using testing::Bgra;
using testing::buildGif;
using testing::Bytes;
using testing::GifSpec;
using testing::kBannerGif;
using testing::opaque;
using testing::packCodes;
using testing::pixelAt;
using testing::Rgb;

const std::vector<Rgb> kFourColours{{200, 0, 0}, {0, 180, 0}, {0, 0, 220}, {255, 255, 255}};

GifSpec onePixelPicture() {
  return testing::pictureOf(1, 1, kFourColours, testing::frameOf(1, 1, 2, {1}));
}

void putU16(Bytes& gif, std::size_t at, int value) {
  gif[at] = static_cast<std::uint8_t>(value & 0xFF);
  gif[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct RefusedCase {
  std::string name;
  Bytes gif;
};

std::vector<RefusedCase> refusedCases() {
  const Bytes good = buildGif(onePixelPicture());
  const std::size_t data = testing::firstFrameDataOffset(good);
  const std::size_t descriptor = data - 10;
  std::vector<RefusedCase> cases;
  cases.push_back({"Empty", {}});
  cases.push_back({"SignatureOnly", Bytes(good.begin(), good.begin() + 6)});
  Bytes gif88 = good;
  gif88[4] = '8';
  cases.push_back({"UnknownVersion", gif88});
  cases.push_back({"NotAGif", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0, 0, 0}});
  for (auto [name, w, h] : {std::tuple{"ZeroWidthScreen", 0, 1}, {"ZeroHeightScreen", 1, 0},
                            {"ScreenTooWide", kMaxGifSide + 1, 1},
                            {"ScreenTooTall", 1, kMaxGifSide + 1},
                            {"ScreenOfMaximalSides", 65535, 65535}}) {
    Bytes gif = good;
    putU16(gif, 6, w);
    putU16(gif, 8, h);
    cases.push_back({name, gif});
  }
  Bytes wideFrame = good;
  putU16(wideFrame, descriptor + 5, kMaxGifSide + 1);
  cases.push_back({"FrameTooWide", wideFrame});
  for (auto [name, size] : {std::pair{"CodeSizeZero", 0}, {"CodeSizeNine", 9}, {"CodeSize255", 255}}) {
    Bytes gif = good;
    gif[data] = static_cast<std::uint8_t>(size);
    cases.push_back({name, gif});
  }
  Bytes trailerFirst(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(descriptor));
  trailerFirst.push_back(0x3B);
  cases.push_back({"TrailerBeforeAnyFrame", trailerFirst});
  Bytes strayByte = trailerFirst;
  strayByte.back() = 0x00;
  strayByte.insert(strayByte.end(), good.begin() + static_cast<std::ptrdiff_t>(descriptor), good.end());
  cases.push_back({"UnknownBlockBeforeTheFrame", strayByte});
  Bytes hugeTable = good;
  hugeTable[10] = 0xF7;  // claims 256 entries, the file holds 4
  cases.push_back({"GlobalTableLongerThanTheFile", hugeTable});
  return cases;
}

TEST(GifMalformed, RefusedBeforeAnyPixelData) {
  for (const RefusedCase& c : refusedCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(decodeGifFirstFrame(c.gif));
    EXPECT_FALSE(decodeGifFirstFrame(c.gif, true));
  }
}

// Hand-made 3-bit streams for a 2 x 1 frame (clear 4, end 5, first free code 6): a stream that
// goes wrong keeps the pixels before the fault and says it is incomplete.
struct CorruptCase {
  std::string name;
  Bytes lzw;
  int pixelsDecoded;
};

class GifCorruptStream : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(GifCorruptStream, KeepsThePixelsBeforeTheFault) {
  const CorruptCase& c = GetParam();
  GifSpec picture = testing::pictureOf(2, 1, kFourColours, testing::frameOf(2, 1, 2, {}));
  picture.background = 3;
  picture.frames[0].lzwData = c.lzw;
  auto image = decodeGifFirstFrame(buildGif(picture));
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->complete);
  // Every literal in these streams is 1 (green); undecoded pixels keep the background.
  for (int x = 0; x < 2; ++x) {
    EXPECT_EQ(pixelAt(*image, x, 0), opaque(kFourColours[x < c.pixelsDecoded ? 1 : 3])) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, GifCorruptStream,
    ::testing::Values(CorruptCase{"EmptyData", {}, 0},
                      // Eight codes fill three bytes, leaving no padding bits to read.
                      CorruptCase{"OnlyClears", packCodes({4, 4, 4, 4, 4, 4, 4, 4}, 3), 0},
                      CorruptCase{"DataRunsOutMidStream", packCodes({4, 1}, 3), 1},
                      CorruptCase{"EndBeforeTheLastPixel", packCodes({4, 1, 5}, 3), 1},
                      CorruptCase{"StringCodeRightAfterClear", packCodes({4, 6, 1, 5}, 3), 0},
                      CorruptCase{"CodeBeyondTheNextFree", packCodes({4, 1, 7, 5}, 3), 1},
                      CorruptCase{"EndCodeRightAfterClear", packCodes({4, 5, 1, 1}, 3), 0}),
    [](const ::testing::TestParamInfo<CorruptCase>& info) { return info.param.name; });

TEST(GifMalformed, PixelsPastTheFrameAreIgnored) {
  // The stream holds four pixels for a frame of two.
  auto image = decodeGifFirstFrame(
      buildGif(testing::pictureOf(2, 1, kFourColours, testing::frameOf(2, 1, 2, {1, 2, 0, 0}))));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->complete);
  EXPECT_EQ(pixelAt(*image, 1, 0), opaque(kFourColours[2]));
}

// How many leading pixels, in row order, equal the full picture's, or -1 when any pixel after
// them is not untouched (transparent, since transparency is honoured here).
std::size_t decodedPrefix(const GifImage& part, const GifImage& whole) {
  auto samePixels = [&](std::size_t n) {
    return std::equal(part.bgra.begin(), part.bgra.begin() + static_cast<std::ptrdiff_t>(n * 4),
                      whole.bgra.begin());
  };
  // Equal prefixes nest, so the longest one can be found by halving.
  std::size_t low = 0;
  std::size_t high = whole.bgra.size() / 4;
  while (low < high) {
    std::size_t middle = (low + high + 1) / 2;
    if (samePixels(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  static const std::vector<std::uint8_t> untouched(whole.bgra.size(), 0);
  bool restUntouched = std::equal(part.bgra.begin() + static_cast<std::ptrdiff_t>(low * 4),
                                  part.bgra.end(), untouched.begin());
  return restUntouched ? low : static_cast<std::size_t>(-1);
}

TEST(GifMalformed, EveryTruncationOfTheBannerGivesNothingOrTheRowsDecodedSoFar) {
  auto whole = decodeGifFirstFrame(kBannerGif, true);
  ASSERT_TRUE(whole && whole->complete);
  const std::size_t data = testing::firstFrameDataOffset(kBannerGif);
  const std::size_t pixels = whole->bgra.size() / 4;
  std::size_t previous = 0;
  for (std::size_t length = 0; length < kBannerGif.size(); ++length) {
    // A copy of exactly `length` bytes, so the sanitizers see any read past its end.
    std::vector<std::uint8_t> cut(kBannerGif.begin(),
                                  kBannerGif.begin() + static_cast<std::ptrdiff_t>(length));
    auto part = decodeGifFirstFrame(cut, true);
    if (length <= data) {
      ASSERT_FALSE(part) << length;
      continue;
    }
    ASSERT_TRUE(part) << length;
    ASSERT_EQ(part->width, 290);
    ASSERT_EQ(part->bgra.size(), whole->bgra.size());
    std::size_t decoded = decodedPrefix(*part, *whole);
    ASSERT_NE(decoded, static_cast<std::size_t>(-1)) << "stray pixels at length " << length;
    ASSERT_GE(decoded, previous) << length;
    // The last rows of the card end in clear corner pixels, which the comparison cannot tell
    // from undecoded ones; complete must still never be claimed early.
    if (part->complete) {
      ASSERT_EQ(decoded, pixels) << length;
    }
    previous = decoded;
  }
  EXPECT_EQ(previous, pixels);
}

TEST(GifMalformed, RandomByteFlipsNeverBreakTheDecoder) {
  std::mt19937 random(20240601);
  const std::size_t data = testing::firstFrameDataOffset(kBannerGif);
  // Half the flips hit the header, the extension and the image descriptor, where a wrong
  // byte changes the structure; the rest land anywhere.
  std::uniform_int_distribution<std::size_t> structural(0, 12);
  std::uniform_int_distribution<std::size_t> nearFrame(data - 20, data + 2);
  std::uniform_int_distribution<std::size_t> anywhere(0, kBannerGif.size() - 1);
  std::uniform_int_distribution<int> flipCount(1, 4);
  std::uniform_int_distribution<int> bits(1, 255);
  int decoded = 0;
  for (int round = 0; round < 1000; ++round) {
    std::vector<std::uint8_t> gif(kBannerGif.begin(), kBannerGif.end());
    for (int flips = flipCount(random); flips > 0; --flips) {
      std::size_t at = round % 4 == 0   ? structural(random)
                       : round % 4 == 1 ? nearFrame(random)
                                        : anywhere(random);
      gif[at] ^= static_cast<std::uint8_t>(bits(random));
    }
    for (bool honour : {false, true}) {
      auto image = decodeGifFirstFrame(gif, honour);
      if (!image) continue;
      ++decoded;
      ASSERT_GT(image->width, 0);
      ASSERT_LE(image->width, kMaxGifSide);
      ASSERT_GT(image->height, 0);
      ASSERT_LE(image->height, kMaxGifSide);
      ASSERT_EQ(image->bgra.size(), static_cast<std::size_t>(image->width) *
                                        static_cast<std::size_t>(image->height) * 4);
    }
  }
  EXPECT_GT(decoded, 0);
}

TEST(GifMalformed, RandomBytesAfterAValidHeader) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 600);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a', 40, 0, 30, 0};
    for (std::size_t n = length(random); n > 0; --n) gif.push_back(static_cast<std::uint8_t>(byte(random)));
    auto image = decodeGifFirstFrame(gif);
    if (image) {
      ASSERT_EQ(image->bgra.size(), 40u * 30u * 4u);
    }
  }
}

}  // namespace
}  // namespace kelo
