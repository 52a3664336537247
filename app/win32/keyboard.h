// The keyboard rules of the program's windows, applied before a key message is dispatched:
// Tab and Shift+Tab follow the design's tab order, Escape closes, Enter and F1 do nothing.
#pragma once

#include <windows.h>

namespace kelo::win32 {

// True when the message was a key the window handles itself; it is then not dispatched.
bool translateWindowKey(const MSG& msg);

}  // namespace kelo::win32
