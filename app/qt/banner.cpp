// The About window's banner, decoded by the same code as in the Windows program, so that both
// show the same pixels: a one-frame picture opaque, its transparent entry in its own colour.
#include "app/qt/banner.h"

#include <QByteArray>
#include <QFile>

#include <optional>
#include <span>

#include "app/gif_image.h"

namespace kelo::qt {
namespace {

QImage decodeBanner() {
  QFile file(QStringLiteral(":/kelo/banner.gif"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  const std::optional<GifImage> gif = decodeGifFirstFrame(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                static_cast<size_t>(bytes.size())),
      false);
  if (!gif || gif->width <= 0 || gif->height <= 0) return {};
  // Blue, green, red, alpha bytes are one 0xAARRGGBB word on a little-endian machine, which is
  // Format_ARGB32 there; building the pixel words keeps it right on any byte order.
  QImage image(gif->width, gif->height, QImage::Format_ARGB32);
  for (int y = 0; y < gif->height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint8_t* src = gif->bgra.data() + static_cast<size_t>(y) * gif->width * 4;
    for (int x = 0; x < gif->width; ++x, src += 4) line[x] = qRgba(src[2], src[1], src[0], src[3]);
  }
  return image;
}

}  // namespace

const QImage& bannerImage() {
  static const QImage image = decodeBanner();
  return image;
}

}  // namespace kelo::qt
