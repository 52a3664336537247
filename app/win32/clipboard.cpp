// The clipboard: plain ANSI text, the box's bytes as they are.
#include "app/win32/clipboard.h"

#include <windows.h>

#include <cstring>

#include "app/win32/win_handles.h"

namespace kelo::win32 {

bool setClipboardText(std::string_view text) {
  ClipboardScope clipboard(nullptr);
  if (!clipboard.isOpen()) return false;
  EmptyClipboard();

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  if (void* bytes = GlobalLock(block)) {
    std::memcpy(bytes, text.data(), text.size());
    static_cast<char*>(bytes)[text.size()] = '\0';
    GlobalUnlock(block);
  }
  // The clipboard owns the block once it has taken it; the outcome is not examined.
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  return true;
}

}  // namespace kelo::win32
