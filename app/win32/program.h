// What every part of the Windows program shares: its instance and its seam.
#pragma once

#include <windows.h>

#include "app/seam.h"

namespace kelo::win32 {

HINSTANCE programInstance();
Seam& programSeam();

}  // namespace kelo::win32
