// Texts (GBK bytes) to and from the UTF-16 of the wide window API, through the project's codec.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "analysis/text.h"

namespace kelo::win32 {

std::wstring toWide(std::string_view text);
Text fromWide(std::wstring_view text);

// The current text of a window, as UTF-16.
std::wstring windowTextWide(HWND hwnd);

}  // namespace kelo::win32
