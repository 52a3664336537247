// Text: bytes in the ANSI code page (GBK/GB18030), never holding the byte 0, and the operations
// the Analyze command and the file-name lookup are written in. Positions count bytes from 1;
// a search that finds nothing gives -1. Out-of-range positions and counts never fail.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kelo {

// An owned Text. A missing Text is the empty string_view: every operation takes views, so a
// missing value and the empty text behave alike.
using Text = std::string;
// The body of an HTTP reply: may hold the byte 0 anywhere.
using ByteBuffer = std::string;

int32_t textLength(std::string_view text);
Text textRight(std::string_view text, int32_t count);
Text textMid(std::string_view text, int32_t start, int32_t count);
int32_t findText(std::string_view text, std::string_view search,
                 std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);
int32_t findTextReverse(std::string_view text, std::string_view search,
                        std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);
Text replaceRange(std::string_view text, int32_t start, int32_t count,
                  std::string_view replacement = {});
Text bytesToText(std::string_view buffer);

Text concatText(std::initializer_list<std::string_view> texts);
int compareText(std::string_view a, std::string_view b);

// replaceRange and bytesToText on an argument the caller hands over with std::move: the result
// is made in the argument's own storage instead of a copy, which matters for replies of many
// megabytes. Only an rvalue Text or ByteBuffer selects these; every other argument is a view.
template <typename T>
concept ExpiringText = std::same_as<T, Text>;

namespace detail {
void replaceRangeInPlace(Text& text, int32_t start, int32_t count, std::string_view replacement);
}  // namespace detail

template <ExpiringText T>
Text replaceRange(T&& text, int32_t start, int32_t count, std::string_view replacement = {}) {
  detail::replaceRangeInPlace(text, start, count, replacement);
  return std::move(text);
}

template <ExpiringText T>
Text bytesToText(T&& buffer) {
  const size_t zero = buffer.find('\0');
  if (zero != Text::npos) buffer.resize(zero);
  return std::move(buffer);
}

}  // namespace kelo
