#include "post/text_util.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace optgrind {

std::string toLowerAscii(std::string text) {
  for (char& c : text) c = toLowerAscii(c);
  return text;
}

std::string toUpperAscii(std::string text) {
  for (char& c : text) c = toUpperAscii(c);
  return text;
}

int32_t leadingInt(const char* text) {
  long long v = std::strtoll(text, nullptr, 10);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

double leadingDouble(const char* text) {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' || *text == '\f')
    ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  // Decimal notation only: no hexadecimal, no "inf" or "nan" words.
  if (!isAsciiDigit(*text) && !(*text == '.' && isAsciiDigit(text[1]))) return 0.0;
  const char* end = text;
  while (*end != '\0' && (isAsciiDigit(*end) || *end == '.' || *end == 'e' || *end == 'E' ||
                          ((*end == '+' || *end == '-') && (end[-1] == 'e' || end[-1] == 'E')))) {
    ++end;
  }
  double v = 0.0;
  auto result = std::from_chars(text, end, v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) v = std::strtod(std::string(text, end).c_str(), nullptr);
  return negative ? -v : v;
}

int lineEndsBefore(std::string_view text, size_t offset) {
  int count = 0;
  size_t end = std::min(offset, text.size());
  for (size_t i = 0; i < end; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++count;
  }
  return count;
}

int32_t truncToInt32(double v) {
  constexpr double kLimit = 2147483648.0;  // 2^31
  if (!(v > -kLimit - 1.0 && v < kLimit)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

namespace {

constexpr double kPowersOfTen[10] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// Below this size a double's spacing is at most 1/2, so the nearest whole
// number of x is a tie only when x itself stands on the half.
constexpr double kExactIntegerRange = 4503599627370496.0;  // 2^52

// The decimal digits of v with `places` decimals as a whole number, rounded
// from v's exact binary value to the nearest (ties to even), as the fixed
// printing rounds them. False when v is too large, not finite, or places is
// out of 0..9; the caller then prints.
bool decimalDigits(double v, int places, double& digits) {
  if (places < 0 || places > 9 || !std::isfinite(v)) return false;
  double scale = kPowersOfTen[places];
  double x = v * scale;
  if (!(std::fabs(x) < kExactIntegerRange)) return false;
  // The nearest whole number, ties to even (x + 2^52 - 2^52 rounds in the
  // default rounding mode without a library call).
  double n =
      x >= 0 ? (x + kExactIntegerRange) - kExactIntegerRange : (x - kExactIntegerRange) + kExactIntegerRange;
  double offset = x - n;
  if (offset == 0.5 || offset == -0.5) {
    // x stands on a half: the rounding error of the product decides.
    double error = std::fma(v, scale, -x);
    if (offset == 0.5 && error > 0) n += 1;
    if (offset == -0.5 && error < 0) n -= 1;
  }
  digits = n;
  return true;
}

}  // namespace

double roundedToPlaces(double v, int places) {
  double digits = 0.0;
  if (decimalDigits(v, places, digits)) return std::copysign(digits / kPowersOfTen[places], v);
  return leadingDouble(fixedText(v, places).c_str());
}

size_t fixedChars(double v, int places, char* buf) {
  double digits = 0.0;
  if (decimalDigits(v, places, digits)) {
    char tmp[40];
    char* end = tmp + sizeof tmp;
    char* p = end;
    uint64_t rest = static_cast<uint64_t>(std::fabs(digits));
    for (int i = 0; i < places; ++i, rest /= 10) *--p = static_cast<char>('0' + rest % 10);
    if (places > 0) *--p = '.';
    do {
      *--p = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    if (std::signbit(v)) *--p = '-';
    size_t n = static_cast<size_t>(end - p);
    std::memcpy(buf, p, n);
    return n;
  }
  // The largest doubles print 309 digits before the point: within the buffer.
  int n = std::snprintf(buf, kFixedTextBuffer, "%.*f", places < 0 ? 0 : places, v);
  return n < 0 ? 0 : std::min(static_cast<size_t>(n), kFixedTextBuffer - 1);
}

std::string fixedText(double v, int places) {
  char buf[kFixedTextBuffer];
  return std::string(buf, fixedChars(v, places, buf));
}

}  // namespace optgrind
