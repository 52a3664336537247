// The project's own GB18030 codec: one Unicode code point to its GB18030 bytes, and GB18030
// bytes back to Unicode. Generated tables, no platform call, the same bytes everywhere.
//
// The mapping is GB18030-2022 (tools/gen_gb18030_tables.py), one-to-one between every code
// point but the surrogates and every valid byte sequence. Single bytes 0x80 and 0xFF are not
// characters in it (as in glibc's converter), so they decode to U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace kelo {

// Appends the GB18030 bytes of code point `cp` (1, 2 or 4 bytes) to `out`; allocates nothing
// beyond `out`'s own growth. A code point GB18030 cannot represent (a lone surrogate, above
// U+10FFFF) appends '?'.
void appendGb18030(std::string& out, char32_t cp);
std::string gb18030FromCodePoint(char32_t cp);

// GB18030 bytes to UTF-16 / UTF-8. A malformed or cut-off sequence, or a four-byte code that is
// not assigned, yields U+FFFD for its first byte and decoding goes on with the next byte, so
// nothing past it is lost.
std::u16string utf16FromGb18030(std::string_view bytes);
std::string utf8FromGb18030(std::string_view bytes);
// UTF-16 / UTF-8 to GB18030. An unpaired surrogate becomes '?'; so does each ill-formed UTF-8
// sequence (its longest valid beginning, at least one byte).
std::string gb18030FromUtf16(std::u16string_view text);
std::string gb18030FromUtf8(std::string_view text);

}  // namespace kelo
