// What every part of the Windows program shares: its instance, its seam, its run and its fatal
// error box.
#pragma once

#include <windows.h>

#include "app/design.h"
#include "app/seam.h"

namespace kelo::win32 {

HINSTANCE programInstance();
Seam& programSeam();

// Starts the toolkit, loads the main window from its design and runs the message loop; the exit
// code of the process. A main window that cannot be created is fatal.
int run(HINSTANCE instance, const WindowDesign& mainWindow);

// Shows the error box "错误" with the message and ends the process with exit code -1.
[[noreturn]] void fatalError(const wchar_t* message);

}  // namespace kelo::win32
