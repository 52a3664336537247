// The seam of the Windows program.
#include "app/win32/win32_seam.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>

#include "app/win32/clipboard.h"
#include "app/win32/live_window.h"
#include "app/win32/modal.h"
#include "app/win32/skin.h"
#include "app/win32/wide_text.h"
#include "app/win32/wininet_client.h"

namespace kelo::win32 {

Text Win32Seam::controlText(ControlId id) {
  HWND control = controlHandle(id);
  if (!control) return {};
  const std::wstring wide = windowTextWide(control);
  if (std::optional<Text> bytes = written_.recall(id, control, wide)) return *std::move(bytes);
  return fromWide(wide);
}

void Win32Seam::setControlText(ControlId id, std::string_view text) {
  HWND control = controlHandle(id);
  if (!control) return;
  const std::wstring wide = toWide(text);
  SetWindowTextW(control, wide.c_str());
  written_.wrote(id, control, text, wide, windowTextWide(control));
  InvalidateRect(control, nullptr, TRUE);
}

ByteBuffer Win32Seam::httpReadFile(std::string_view url) { return win32::httpReadFile(url); }

bool Win32Seam::setClipboardText(std::string_view text) { return win32::setClipboardText(text); }

void Win32Seam::shellOpen(std::string_view address) {
  std::string file(address);
  ShellExecuteA(nullptr, "open", file.c_str(), "", "", SW_SHOWNORMAL);
}

void Win32Seam::setSkinScheme(int scheme) {
  skin::setScheme(scheme);
  for (HWND window : liveWindowHandles()) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void Win32Seam::showModal(WindowId window) { showModalWindow(windowDesign(window)); }

}  // namespace kelo::win32
