// The seam of the Windows program: control texts through the wide API, WinINet, the clipboard,
// ShellExecuteA, the skin and the modal loop.
#pragma once

#include <windows.h>

#include <string>

#include "app/seam.h"
#include "app/written_texts.h"

namespace kelo::win32 {

class Win32Seam final : public Seam {
 public:
  Text controlText(ControlId id) override;
  void setControlText(ControlId id, std::string_view text) override;
  ByteBuffer httpReadFile(std::string_view url) override;
  bool setClipboardText(std::string_view text) override;
  void shellOpen(std::string_view address) override;
  void setSkinScheme(int scheme) override;
  void showModal(WindowId window) override;

 private:
  WrittenTexts<HWND, std::wstring> written_;
};

}  // namespace kelo::win32
