// Modal display: a window shown while every other window of the program is disabled.
#pragma once

#include <windows.h>

#include "app/design.h"

namespace kelo::win32 {

// Loads the window, disables the others (remembering whether each was enabled), runs a nested
// message loop until the window is destroyed, then gives each its enabled state back.
void showModalWindow(const WindowDesign& design);

// Called when a window is about to close: when it is the modal one, the others are enabled
// again first, so the activation goes back to the window below rather than to another program.
void restoreBeforeModalCloses(HWND closing);

}  // namespace kelo::win32
