// What every part of the Windows program shares: its instance and its seam.
#pragma once

#include <windows.h>

#include "app/seam.h"

namespace kelo::win32 {

HINSTANCE programInstance();
Seam& programSeam();

// Shows the error box "错误" with the message and ends the process with exit code -1.
[[noreturn]] void fatalError(const wchar_t* message);

}  // namespace kelo::win32
