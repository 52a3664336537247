// The control skin: draws push buttons, group boxes and edit-box frames in a colour scheme, for
// every window of the thread, those that exist and those created later.
#pragma once

#include <windows.h>

#include <string_view>

#include "app/design.h"

namespace kelo::win32::skin {

// 1, 2 or 3: that colour scheme; anything else: the skin off (classic drawing).
void setScheme(int scheme);
bool isOn();

// WM_DRAWITEM of an owner-drawn push button. `hot` while the pointer is over it.
void drawButton(const DRAWITEMSTRUCT& item, std::wstring_view caption, HFONT font, bool hot);

// A group box's frame and caption, over a background already filled.
void drawGroupBox(HDC dc, const RECT& bounds, std::wstring_view caption, HFONT font, Rgb captionColour);

// Repaints the two-pixel client edge of an edit box in the scheme's frame colour (skin on only).
void drawEditFrame(HWND edit);

}  // namespace kelo::win32::skin
