// The About window's banner (not yet decoded: draws nothing).
#include "app/win32/banner.h"

namespace kelo::win32 {

void drawBanner(HDC, int, int) {}

}  // namespace kelo::win32
