// Unicode (a code point, UTF-16, UTF-8) to GB18030 bytes.
#include "encoding/gb18030.h"

#include "encoding/gb18030_char.h"
#include "encoding/utf8.h"

namespace kelo {

void appendGb18030(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, gb18030::encodeChar(cp, bytes));
}

std::string gb18030FromCodePoint(char32_t cp) {
  std::string out;
  appendGb18030(out, cp);
  return out;
}

std::string gb18030FromUtf16(std::u16string_view text) {
  std::string out;
  // Two bytes per unit covers ASCII and everything of the two-byte area in one allocation.
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    appendGb18030(out, cp);
  }
  return out;
}

std::string gb18030FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const utf8::Decoded d = utf8::next(text, i);
    i += d.length;
    if (d.codePoint == utf8::kInvalid) {
      out.push_back('?');
    } else {
      appendGb18030(out, d.codePoint);
    }
  }
  return out;
}

}  // namespace kelo
