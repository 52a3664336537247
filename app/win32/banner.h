// The About window's banner: the GIF resource decoded once and drawn at its natural size.
#pragma once

#include <windows.h>

namespace kelo::win32 {

// Draws the banner opaque with its top-left corner at (x, y); draws nothing when the resource
// is missing or cannot be decoded.
void drawBanner(HDC dc, int x, int y);

}  // namespace kelo::win32
