// The windows of the program that exist now, each with its design, its controls and the fonts
// its controls use. Closing the last one ends the message loop.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/design.h"
#include "app/win32/win_handles.h"

namespace kelo::win32 {

struct LiveWindow {
  const WindowDesign* design = nullptr;
  HWND hwnd = nullptr;
  std::map<ControlId, HWND> controls;
  std::map<ControlId, UniqueFont> fonts;  // the controls' own fonts
  HWND lastFocus = nullptr;               // the focus when the window was last deactivated
};

// Registers a window being created; the registry owns its record until the window is destroyed.
LiveWindow& addLiveWindow(const WindowDesign& design, HWND hwnd);
// Forgets a destroyed window; posts the quit message (code 0) when it was the last one.
void removeLiveWindow(HWND hwnd);

LiveWindow* liveWindow(HWND topLevel);
LiveWindow* liveWindow(WindowId id);
std::vector<HWND> liveWindowHandles();

// The control of any live window with that id, or nullptr.
HWND controlHandle(ControlId id);
// The design record of a control window of ours, or nullptr.
const ControlDesign* controlDesignOf(HWND control);
// The font a control draws with: its own, or the default GUI font.
HFONT controlFont(HWND control);

}  // namespace kelo::win32
