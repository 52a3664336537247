// Turning the run of number bytes into an integer or a real, whatever the process locale.
#include "json/number_scan.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace kelo::json_detail {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Out-of-range numbers, where the text leaves the choice open: an integer beyond 64 bits
// saturates at the nearest of INT64_MIN / INT64_MAX (every digit is still consumed, as strtoll
// does), and a real beyond double range saturates at -DBL_MAX / DBL_MAX rather than becoming an
// infinity, so that the written form stays a number that reads back the same; a real too small
// for a double becomes 0 with its sign.
Value scanInteger(std::string_view run) {
  std::size_t i = 0;
  bool negative = false;
  if (i < run.size() && run[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == run.size() || !isDigit(run[i])) return Value::makeLiteral(Kind::Failed);
  constexpr std::uint64_t kMaxMagnitude = std::uint64_t{1} << 63;  // |INT64_MIN|
  const std::uint64_t limit = negative ? kMaxMagnitude : kMaxMagnitude - 1;
  std::uint64_t magnitude = 0;
  for (; i < run.size() && isDigit(run[i]); ++i) {
    unsigned digit = static_cast<unsigned>(run[i] - '0');
    if (magnitude > (limit - digit) / 10) {
      magnitude = limit;
      while (i < run.size() && isDigit(run[i])) ++i;
      break;
    }
    magnitude = magnitude * 10 + digit;
  }
  std::int64_t value = negative ? static_cast<std::int64_t>(0 - magnitude)
                                : static_cast<std::int64_t>(magnitude);
  if (negative && magnitude == kMaxMagnitude) value = std::numeric_limits<std::int64_t>::min();
  return Value::makeInteger(value);
}

// Whether a real that does not fit a double is too large (else too small): the position of its
// first significant digit relative to the point, plus the exponent.
bool overflows(std::string_view run) {
  std::size_t i = run.empty() || run[0] != '-' ? 0 : 1;
  std::int64_t magnitude = 0;
  bool significant = false;
  for (; i < run.size() && isDigit(run[i]); ++i) {
    if (run[i] != '0') significant = true;
    if (significant) ++magnitude;
  }
  if (i < run.size() && run[i] == '.') {
    for (++i; i < run.size() && isDigit(run[i]); ++i) {
      if (significant) continue;
      if (run[i] != '0') significant = true;
      else --magnitude;
    }
  }
  if (i + 1 < run.size() && (run[i] == 'e' || run[i] == 'E')) {
    ++i;
    bool negative = false;
    if (run[i] == '+' || run[i] == '-') negative = run[i++] == '-';
    std::int64_t exponent = 0;
    for (; i < run.size() && isDigit(run[i]); ++i) {
      if (exponent < 100000000) exponent = exponent * 10 + (run[i] - '0');
    }
    magnitude += negative ? -exponent : exponent;
  }
  return magnitude > 0;
}

Value scanReal(std::string_view run) {
  double value = 0;
  auto [end, error] = std::from_chars(run.data(), run.data() + run.size(), value);
  if (error == std::errc::invalid_argument) return Value::makeLiteral(Kind::Failed);
  if (error == std::errc::result_out_of_range) {
    bool negative = run[0] == '-';
    if (overflows(run)) {
      value = std::numeric_limits<double>::max();
    } else {
      value = 0.0;
    }
    if (negative) value = -value;
  }
  (void)end;
  return Value::makeReal(value);
}

}  // namespace

Value scanNumber(std::string_view run) {
  for (char c : run) {
    if (c == '.' || c == 'e') return scanReal(run);
  }
  return scanInteger(run);
}

}  // namespace kelo::json_detail
