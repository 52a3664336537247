// The system clipboard in the plain ANSI text format.
#pragma once

#include <string_view>

namespace kelo::win32 {

// Empties the clipboard and puts the text's bytes on it as CF_TEXT, unconverted. False when the
// clipboard could not be opened (it stays as it was) or the block could not be allocated (it
// stays empty).
bool setClipboardText(std::string_view text);

}  // namespace kelo::win32
