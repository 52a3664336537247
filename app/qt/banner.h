// The About window's banner: the GIF resource, decoded once by the project's own decoder.
#pragma once

#include <QImage>

namespace kelo::qt {

// The first frame, every pixel opaque; a null image when the resource is missing or unreadable.
const QImage& bannerImage();

}  // namespace kelo::qt
