// Character classes and small text helpers of the post language. Only the
// ASCII letters and digits count as letters and digits, whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace optgrind {

inline bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool isAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
inline char toUpperAscii(char c) { return isAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
inline char toLowerAscii(char c) { return isAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
std::string toLowerAscii(std::string text);
std::string toUpperAscii(std::string text);

// The decimal integer at the start of text (blanks skipped, optional sign),
// as atoi reads it; 0 when there is none. Values beyond 32 bits saturate.
int32_t leadingInt(const char* text);
// The decimal number at the start of text, as atof reads it; 0 when none.
double leadingDouble(const char* text);

// A double converted to a 32-bit integer the way the machine's truncating
// conversion does it: NaN and values out of range give INT32_MIN.
int32_t truncToInt32(double v);

// The number of line ends in text before offset: a line feed, or a carriage
// return that no line feed follows (so CR LF, LF and CR alone each end one line).
int lineEndsBefore(std::string_view text, size_t offset);

// v printed in fixed notation with `places` decimals ("%.*f").
std::string fixedText(double v, int places);
// The same into buf (at least kFixedTextBuffer characters); returns the length.
constexpr size_t kFixedTextBuffer = 400;
size_t fixedChars(double v, int places, char* buf);
// v printed with `places` decimals and read back.
double roundedToPlaces(double v, int places);

}  // namespace optgrind
