// Decoding sound GIF pictures: the committed banner, interlacing, colour tables, placement, LZW.
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
using testing::FrameSpec;
using testing::frameOf;
using testing::GifSpec;
using testing::kBannerGif;
using testing::opaque;
using testing::pictureOf;
using testing::pixelAt;
using testing::Rgb;

const Rgb kRed{200, 0, 0};
const Rgb kGreen{0, 180, 0};
const Rgb kBlue{0, 0, 220};
const Rgb kWhite{255, 255, 255};

// A palette whose entry i is easy to tell apart from every other.
std::vector<Rgb> distinctPalette(std::size_t n) {
  std::vector<Rgb> palette;
  for (std::size_t i = 0; i < n; ++i) {
    palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                       static_cast<std::uint8_t>(i * 7)});
  }
  return palette;
}

bool isBlue(Bgra p) { return p.b > 120 && p.b > p.r + 80 && p.b > p.g + 60; }
bool isGreen(Bgra p) { return p.g > p.r + 60 && p.g > p.b + 60; }

TEST(GifBanner, DecodesWholeAndOpaqueWithTheCardTheTextAndTheEye) {
  auto banner = decodeGifFirstFrame(kBannerGif);
  ASSERT_TRUE(banner);
  EXPECT_EQ(banner->width, 290);
  EXPECT_EQ(banner->height, 90);
  EXPECT_TRUE(banner->complete);
  ASSERT_EQ(banner->bgra.size(), 290u * 90u * 4u);
  for (std::size_t at = 3; at < banner->bgra.size(); at += 4) ASSERT_EQ(banner->bgra[at], 255);

  // The corners outside the rounded card are the transparent entry, shown in its own colour.
  EXPECT_EQ(pixelAt(*banner, 0, 0), (Bgra{240, 240, 240, 255}));
  EXPECT_EQ(pixelAt(*banner, 289, 89), (Bgra{240, 240, 240, 255}));
  Bgra top = pixelAt(*banner, 145, 2);
  EXPECT_GE(std::min({top.r, top.g, top.b}), 240) << "white at the top of the card";
  Bgra bottom = pixelAt(*banner, 145, 86);
  EXPECT_GT(bottom.b, bottom.r + 30) << "light blue at the bottom of the card";
  EXPECT_TRUE(isBlue(pixelAt(*banner, 93, 35))) << "the K of the title";
  EXPECT_TRUE(isBlue(pixelAt(*banner, 97, 65))) << "the 1 of the version";
  EXPECT_TRUE(isGreen(pixelAt(*banner, 54, 44))) << "the iris";
  Bgra pupil = pixelAt(*banner, 46, 44);
  EXPECT_LT(std::max({pupil.r, pupil.g, pupil.b}), 60) << "the pupil";
  EXPECT_TRUE(isBlue(pixelAt(*banner, 45, 70))) << "the ring below the eyeball";
}

TEST(GifBanner, HonouringTransparencyClearsOnlyTheCornersOutsideTheCard) {
  auto shown = decodeGifFirstFrame(kBannerGif);
  auto played = decodeGifFirstFrame(kBannerGif, true);
  ASSERT_TRUE(shown && played);
  int clear = 0;
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 290; ++x) {
      Bgra p = pixelAt(*played, x, y);
      if (p.a == 0) {
        ++clear;
        bool inCorner = (x < 12 || x >= 278) && (y < 12 || y >= 78);
        EXPECT_TRUE(inCorner) << x << "," << y;
      } else {
        ASSERT_EQ(p, pixelAt(*shown, x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(clear, 0);
  EXPECT_EQ(pixelAt(*played, 0, 0).a, 0);
}

// Interlaced frames store rows pass by pass: every 8th from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
struct InterlaceCase {
  int height;
  std::vector<int> storedRowOfScreenRow;
};

class GifInterlace : public ::testing::TestWithParam<InterlaceCase> {};

TEST_P(GifInterlace, RowsLandWherePassOrderPutsThem) {
  const InterlaceCase& c = GetParam();
  auto palette = distinctPalette(16);
  FrameSpec frame = frameOf(3, c.height, 4, {});
  frame.interlaced = true;
  for (int stored = 0; stored < c.height; ++stored) {
    for (int x = 0; x < 3; ++x) frame.indices.push_back(static_cast<std::uint8_t>(stored));
  }
  auto image = decodeGifFirstFrame(buildGif(pictureOf(3, c.height, palette, frame)));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->complete);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(pixelAt(*image, x, y), opaque(palette[c.storedRowOfScreenRow[y]])) << "row " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, GifInterlace,
    ::testing::Values(InterlaceCase{1, {0}}, InterlaceCase{2, {0, 1}}, InterlaceCase{3, {0, 2, 1}},
                      InterlaceCase{5, {0, 3, 2, 4, 1}},
                      // stored order 0, 8, 4, 2, 6, 1, 3, 5, 7, 9
                      InterlaceCase{10, {0, 5, 3, 6, 2, 7, 4, 8, 1, 9}}),
    [](const ::testing::TestParamInfo<InterlaceCase>& info) {
      return "Height" + std::to_string(info.param.height);
    });

TEST(GifDecode, LocalColourTableReplacesTheGlobalOneForItsFrame) {
  FrameSpec frame = frameOf(2, 1, 2, {1, 0});
  frame.localColours = {kGreen, kBlue};
  auto image = decodeGifFirstFrame(buildGif(pictureOf(2, 1, {kRed, kWhite}, frame)));
  ASSERT_TRUE(image);
  EXPECT_EQ(pixelAt(*image, 0, 0), opaque(kBlue));
  EXPECT_EQ(pixelAt(*image, 1, 0), opaque(kGreen));
}

TEST(GifDecode, FrameSmallerThanTheScreenSitsOnTheBackground) {
  // 6 x 4 screen, background entry 2; a 2 x 2 frame at (3, 1).
  GifSpec picture = pictureOf(6, 4, {kRed, kGreen, kBlue, kWhite}, frameOf(2, 2, 2, {0, 1, 1, 0}));
  picture.background = 2;
  picture.frames[0].left = 3;
  picture.frames[0].top = 1;
  auto shown = decodeGifFirstFrame(buildGif(picture));
  auto played = decodeGifFirstFrame(buildGif(picture), true);
  ASSERT_TRUE(shown && played);
  EXPECT_TRUE(shown->complete);
  EXPECT_EQ(pixelAt(*shown, 3, 1), opaque(kRed));
  EXPECT_EQ(pixelAt(*shown, 4, 1), opaque(kGreen));
  EXPECT_EQ(pixelAt(*shown, 3, 2), opaque(kGreen));
  EXPECT_EQ(pixelAt(*shown, 4, 2), opaque(kRed));
  for (auto [x, y] : {std::pair{0, 0}, {5, 3}, {2, 1}, {5, 1}, {3, 0}, {3, 3}}) {
    EXPECT_EQ(pixelAt(*shown, x, y), opaque(kBlue)) << x << "," << y;
    EXPECT_EQ(pixelAt(*played, x, y), (Bgra{0, 0, 0, 0})) << x << "," << y;
  }
  EXPECT_EQ(pixelAt(*played, 4, 1), opaque(kGreen));
}

TEST(GifDecode, FrameReachingPastTheScreenIsClipped) {
  // A 4 x 3 frame at (4, 2) on a 6 x 4 screen: only its top-left 2 x 2 is visible.
  std::vector<std::uint8_t> indices{0, 1, 2, 3, 1, 2, 3, 0, 2, 3, 0, 1};
  GifSpec picture = pictureOf(6, 4, {kRed, kGreen, kBlue, kWhite}, frameOf(4, 3, 2, indices));
  picture.background = 3;
  picture.frames[0].left = 4;
  picture.frames[0].top = 2;
  auto image = decodeGifFirstFrame(buildGif(picture));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->complete);
  EXPECT_EQ(pixelAt(*image, 4, 2), opaque(kRed));
  EXPECT_EQ(pixelAt(*image, 5, 2), opaque(kGreen));
  EXPECT_EQ(pixelAt(*image, 4, 3), opaque(kGreen));
  EXPECT_EQ(pixelAt(*image, 5, 3), opaque(kBlue));
  EXPECT_EQ(pixelAt(*image, 3, 3), opaque(kWhite));
}

TEST(GifDecode, TransparentEntryIsOpaqueInItsOwnColourUnlessHonoured) {
  GifSpec picture = pictureOf(3, 1, {kRed, kGreen, kBlue, kWhite}, frameOf(3, 1, 2, {0, 1, 2}));
  picture.frames[0].transparent = 1;
  auto shown = decodeGifFirstFrame(buildGif(picture));
  auto played = decodeGifFirstFrame(buildGif(picture), true);
  ASSERT_TRUE(shown && played);
  EXPECT_EQ(pixelAt(*shown, 1, 0), opaque(kGreen));
  EXPECT_EQ(pixelAt(*played, 1, 0).a, 0);
  EXPECT_EQ(pixelAt(*played, 0, 0), opaque(kRed));
  EXPECT_EQ(pixelAt(*played, 2, 0), opaque(kBlue));
}

TEST(GifDecode, IndicesWithoutAColourAreOpaqueBlack) {
  // Two colours but codes of 2 bits, so index 3 names no entry; no table at all, likewise.
  auto twoColours =
      decodeGifFirstFrame(buildGif(pictureOf(2, 1, {kRed, kGreen}, frameOf(2, 1, 2, {3, 1}))));
  ASSERT_TRUE(twoColours);
  EXPECT_EQ(pixelAt(*twoColours, 0, 0), (Bgra{0, 0, 0, 255}));
  EXPECT_EQ(pixelAt(*twoColours, 1, 0), opaque(kGreen));

  auto noTable = decodeGifFirstFrame(buildGif(pictureOf(1, 1, {}, frameOf(1, 1, 2, {1}))));
  ASSERT_TRUE(noTable);
  EXPECT_EQ(pixelAt(*noTable, 0, 0), (Bgra{0, 0, 0, 255}));
}

TEST(GifDecode, StreamWithoutALeadingClearCodeStillDecodes) {
  // 3-bit codes: literal 1, literal 2, end (5).
  FrameSpec frame = frameOf(2, 1, 2, {});
  frame.lzwData = testing::packCodes({1, 2, 5}, 3);
  auto image = decodeGifFirstFrame(buildGif(pictureOf(2, 1, {kRed, kGreen, kBlue, kWhite}, frame)));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->complete);
  EXPECT_EQ(pixelAt(*image, 0, 0), opaque(kGreen));
  EXPECT_EQ(pixelAt(*image, 1, 0), opaque(kBlue));
}

// Long streams reach every code width up to 12 bits, strings that repeat their own code
// (long runs of one colour), a full table, and codes split across sub-blocks.
struct StreamCase {
  std::string name;
  int width;
  int height;
  int colours;        // power of two
  double runChance;   // chance that a pixel repeats the one before it
  bool clearWhenFull;
  std::size_t blockSize;
};

class GifLongStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(GifLongStream, DecodesEveryPixel) {
  const StreamCase& c = GetParam();
  std::mt19937 random(12345);
  std::vector<std::uint8_t> indices;
  std::uniform_int_distribution<int> colour(0, c.colours - 1);
  std::bernoulli_distribution repeat(c.runChance);
  for (int i = 0; i < c.width * c.height; ++i) {
    indices.push_back(i > 0 && repeat(random) ? indices.back()
                                              : static_cast<std::uint8_t>(colour(random)));
  }
  int minCodeSize = 2;
  while ((1 << minCodeSize) < c.colours) ++minCodeSize;
  auto palette = distinctPalette(static_cast<std::size_t>(c.colours));
  FrameSpec frame = frameOf(c.width, c.height, static_cast<std::uint8_t>(minCodeSize), {});
  frame.lzwData = testing::lzwEncode(indices, minCodeSize, c.clearWhenFull);
  frame.blockSize = c.blockSize;
  auto image = decodeGifFirstFrame(buildGif(pictureOf(c.width, c.height, palette, frame)));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->complete);
  for (int i = 0; i < c.width * c.height; ++i) {
    ASSERT_EQ(pixelAt(*image, i % c.width, i / c.width), opaque(palette[indices[i]]))
        << "pixel " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, GifLongStream,
    ::testing::Values(StreamCase{"OneColour", 300, 200, 2, 1.0, true, 255},
                      StreamCase{"TwoColoursNoise", 300, 200, 2, 0.0, true, 255},
                      StreamCase{"FullPaletteNoise", 200, 200, 256, 0.0, true, 255},
                      StreamCase{"TableKeptFullWithoutClear", 200, 200, 256, 0.0, false, 255},
                      StreamCase{"RunsKeptFullWithoutClear", 400, 300, 16, 0.9, false, 255},
                      StreamCase{"OneByteSubBlocks", 120, 50, 16, 0.5, true, 1},
                      StreamCase{"SevenByteSubBlocks", 120, 50, 64, 0.3, true, 7}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return info.param.name; });

TEST(GifDecode, ScreenOfTheLargestAllowedSideDecodes) {
  auto image = decodeGifFirstFrame(
      buildGif(pictureOf(kMaxGifSide, 1, {kRed, kGreen}, frameOf(1, 1, 2, {1}))));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, kMaxGifSide);
  EXPECT_EQ(pixelAt(*image, 0, 0), opaque(kGreen));
  EXPECT_EQ(pixelAt(*image, kMaxGifSide - 1, 0), opaque(kRed));
}

}  // namespace
}  // namespace kelo
