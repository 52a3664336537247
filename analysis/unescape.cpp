// One-pass unescaping of "\/": the repeated search-and-replace rewritten as a left-to-right scan.
#include "analysis/unescape.h"

#include <cstring>

namespace kelo {
namespace {

constexpr unsigned char kBackslash = 0x5C;
constexpr unsigned char kSlash = 0x2F;

}  // namespace

// Why one pass gives the same result as the repeated replacement: the replacement always hits
// the first aligned pair, so everything before it is final except its own trailing backslashes.
// Replacing a pair by "/" leaves a slash at a character start; if the byte before it is a
// backslash that is itself a character start, the two form a new first pair, and so on. So a
// slash at a character start (written or produced) swallows the run of character-start
// backslashes right before it, and nothing else ever changes. A backslash that is the second
// byte of a double-byte character is not a character start and never pairs.
Text unescapeSlashes(std::string_view text) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = in + text.size();
  // The result is never longer than the text: written through a pointer, trimmed at the end.
  Text result(text.size(), '\0');
  auto* const first = reinterpret_cast<unsigned char*>(result.data());
  unsigned char* out = first;
  // Character-start backslashes right before `out`, in one unbroken run.
  size_t pendingBackslashes = 0;
  // `in` always starts a character.
  while (in < end) {
    const auto* found = static_cast<const unsigned char*>(
        std::memchr(in, kBackslash, static_cast<size_t>(end - in)));
    const unsigned char* backslash = found != nullptr ? found : end;
    if (backslash > in) {
      // A pending backslash was not followed by a slash (that would have been a pair), so
      // this run cannot start with one: the run only ends the pending backslashes.
      pendingBackslashes = 0;
      std::memcpy(out, in, static_cast<size_t>(backslash - in));
      out += backslash - in;
    }
    if (backslash == end) break;
    // A byte below 0x80 ends a character, so only the high bytes right before the backslash
    // decide whether it starts one: an odd run means its last byte takes the backslash.
    const unsigned char* runStart = backslash;
    while (runStart > in && runStart[-1] >= 0x80) --runStart;
    const bool startsCharacter = (backslash - runStart) % 2 == 0;
    if (startsCharacter && end - backslash >= 2 && backslash[1] == kSlash) {
      out -= pendingBackslashes;
      pendingBackslashes = 0;
      *out++ = kSlash;
      in = backslash + 2;
    } else {
      *out++ = kBackslash;
      pendingBackslashes = startsCharacter ? pendingBackslashes + 1 : 0;
      in = backslash + 1;
    }
  }
  result.resize(static_cast<size_t>(out - first));
  return result;
}

}  // namespace kelo
