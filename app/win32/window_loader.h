// Builds a window from its design, in the toolkit's order: window and controls created hidden,
// controls shown, the created event, then the window shown centred on the screen.
#pragma once

#include <windows.h>

#include "app/design.h"

namespace kelo::win32 {

// The new window, or nullptr when it or one of its controls could not be created.
// `owner` keeps an owned window off the task bar.
HWND loadWindow(const WindowDesign& design, HWND owner);

}  // namespace kelo::win32
