// The seam of the Windows program: control texts through the wide API, WinINet, the clipboard,
// ShellExecuteA, the skin and the modal loop.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "app/seam.h"

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
  // The bytes last written into each control and the UTF-16 the control was given for them.
  // While the control still shows that UTF-16, reading it gives back those very bytes, also
  // where they are not valid GB18030 and the conversion could not carry them both ways.
  struct Written {
    Text bytes;
    std::wstring wide;
  };
  std::map<HWND, Written> written_;
};

}  // namespace kelo::win32
