// Texts (GBK bytes) to and from the UTF-16 of the wide window API.
#include "app/win32/wide_text.h"

#include "encoding/gb18030.h"

namespace kelo::win32 {

std::wstring toWide(std::string_view text) {
  std::u16string u = utf16FromGb18030(text);
  return std::wstring(u.begin(), u.end());
}

Text fromWide(std::wstring_view text) {
  std::u16string u(text.begin(), text.end());
  Text bytes = gb18030FromUtf16(u);
  // A Text never holds the byte 0; a U+0000 typed into a box ends its text there.
  if (auto nul = bytes.find('\0'); nul != Text::npos) bytes.resize(nul);
  return bytes;
}

std::wstring windowTextWide(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

}  // namespace kelo::win32
