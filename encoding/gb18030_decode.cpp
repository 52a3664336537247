// GB18030 bytes to Unicode (UTF-16, UTF-8).
#include "encoding/gb18030.h"

#include "encoding/gb18030_char.h"
#include "encoding/utf8.h"

namespace kelo {

std::u16string utf16FromGb18030(std::string_view bytes) {
  std::u16string out;
  // No character takes fewer bytes than UTF-16 units, so this is the only allocation.
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const gb18030::DecodedChar c = gb18030::decodeChar(bytes, i);
    i += c.length;
    if (c.codePoint < 0x10000) {
      out.push_back(static_cast<char16_t>(c.codePoint));
    } else {
      const char32_t v = c.codePoint - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    }
  }
  return out;
}

std::string utf8FromGb18030(std::string_view bytes) {
  std::string out;
  // Exact for ASCII and for Chinese text (two bytes become three).
  out.reserve(bytes.size() + bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size();) {
    const gb18030::DecodedChar c = gb18030::decodeChar(bytes, i);
    i += c.length;
    utf8::append(out, c.codePoint);
  }
  return out;
}

}  // namespace kelo
