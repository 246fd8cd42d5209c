#include "post/output_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "post/post_error.h"
#include "post/text_util.h"

namespace optgrind {
namespace {

constexpr double kPowersOfTen[10] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// Half a step beyond the 32-bit range: rounding half away from zero takes
// anything closer to zero than these into the range.
constexpr double kInt32RoundingFloor = -2147483648.5;
constexpr double kInt32RoundingCeiling = 2147483647.5;

double scaleFactor(int digits) { return kPowersOfTen[digits < 0 ? 0 : (digits > 9 ? 9 : digits)]; }

// Rounded half away from zero: truncate, then one step away from zero when
// the dropped part is 0.5 or more in size.
int32_t roundHalfAway(double v) {
  int32_t k = truncToInt32(v);
  if (k == INT32_MIN) return k;
  double dropped = v - static_cast<double>(k);
  if (std::fabs(dropped) >= 0.5) {
    if (v > 0 && k < INT32_MAX) ++k;
    if (v < 0) --k;
  }
  return k;
}

// Changed since the last written value. With a tolerance of 0 only a
// different value counts, so a modal word set twice to the same value is
// written once; above 0 a difference of the tolerance or more counts.
bool changed(double current, double last, double tolerance) {
  if (tolerance > 0.0) return std::fabs(current - last) >= tolerance;
  return current != last;
}

// The integer form rounds half away from zero into a signed 32-bit integer:
// these are the values whose rounding stays inside it (NaN is not).
bool roundsIntoInt32(double v) { return v > kInt32RoundingFloor && v < kInt32RoundingCeiling; }

// The report of a word that cannot be written: the variable and its value.
void reportUnwritable(int index, double value, bool finite) {
  char number[40];
  if (std::isnan(value)) {
    std::snprintf(number, sizeof number, "nan");
  } else {
    std::snprintf(number, sizeof number, "%.12g", value);
  }
  postReportHere(variableLabel(index) + " = " + number + " cannot be written: " +
                 (finite ? "too large for its format" : "not a finite number") + ", word left out");
}

bool isAxis(int index) { return index == kVarX || index == kVarY; }
bool isMirrored(int index) { return isAxis(index) || index == kVarI || index == kVarJ; }

}  // namespace

std::string variableLabel(int index) {
  if (index >= 1 && index <= 26) return std::string(1, static_cast<char>('A' + index - 1));
  return "variable " + std::to_string(index);
}

void ncWrite(const std::string& text) {
  Interpreter& in = interp();
  if (in.outputOn && in.sink != nullptr && !text.empty()) in.sink->write(text);
}

void appendInteger(std::string& out, const PostVariable& v, int32_t k) {
  char buf[16];
  int64_t magnitude = k < 0 ? -static_cast<int64_t>(k) : k;
  char* digitsEnd = std::to_chars(buf, buf + sizeof buf, magnitude).ptr;
  int count = static_cast<int>(digitsEnd - buf);
  if (v.showPlus && k >= 0) out += '+';
  if (k < 0) out += '-';
  if (count < v.integerDigits) out.append(static_cast<size_t>(v.integerDigits - count), '0');
  out.append(buf, digitsEnd);
}

void appendDecimal(std::string& out, const PostVariable& v, double value) {
  char buf[kFixedTextBuffer];
  size_t length = fixedChars(value, v.decimalPlaces, buf);
  std::string_view printed(buf, length);
  bool negative = !printed.empty() && printed[0] == '-';
  if (negative && printed.find_first_not_of("-0.") == std::string_view::npos) {
    // What rounds to zero from below (or is a negative zero) is zero: no sign.
    printed.remove_prefix(1);
    negative = false;
    value = 0.0;
  }
  // The point stands decimalPlaces + 1 characters from the end, when there is one.
  size_t places = static_cast<size_t>(v.decimalPlaces > 0 ? v.decimalPlaces : 0);
  size_t point = (places > 0 && length > places && buf[length - places - 1] == '.') ? length - places - 1
                                                                                    : std::string_view::npos;
  size_t intEnd = point == std::string_view::npos ? printed.size() : point;
  int intLength = static_cast<int>(intEnd) - (negative ? 1 : 0);
  size_t start = out.size();
  if (v.showPlus && !(value < 0)) out += '+';
  if (intLength < v.integerDigits) {
    if (value < 0) out += '-';
    if (v.showPlus || value < 0) out.append(static_cast<size_t>(v.integerDigits - intLength), '0');
    out += printed.substr(negative ? 1 : 0);
  } else {
    out += printed;
  }
  // With no decimals the point is still written: the point is what tells
  // the control that the number is not a scaled integer.
  if (point == std::string_view::npos) {
    out += '.';
  } else if (v.trimZeros) {
    while (out.size() > start && out.back() == '0') out.pop_back();
  }
}

std::string formatInteger(const PostVariable& v, int32_t k) {
  std::string out;
  appendInteger(out, v, k);
  return out;
}

std::string formatDecimal(const PostVariable& v, double value) {
  std::string out;
  appendDecimal(out, v, value);
  return out;
}

void writeVariable(int index, int mode) {
  if (index < 0 || index >= kPostVariableCount) return;
  Interpreter& in = interp();
  PostVariable& v = postVariable(index);
  // One buffer for every output: no allocation per written word.
  static std::string text;
  text.clear();
  if (v.letter != '!') text += v.letter;
  bool formatted = false;
  bool unwritable = false;  // a value the format cannot express: nothing is written
  bool counted = v.step != 0;
  double roundedCurrent = v.current;
  double diff = 0.0;
  bool madePositive = false;

  if (counted) {
    // The count is truncated toward zero: it fits where its truncation does.
    if (std::isfinite(v.current) && std::trunc(v.current) >= INT32_MIN &&
        std::trunc(v.current) <= INT32_MAX) {
      appendInteger(text, v, truncToInt32(v.current));
      formatted = true;
      v.current += v.step;
    } else {
      unwritable = true;
    }
  } else {
    if (v.positive && v.current < 0) {
      v.current = -v.current;
      madePositive = true;
    }
    double factor = scaleFactor(v.scaleDigits);
    double scaled = v.current * factor;
    diff = v.current - v.last;
    if (in.coordSystem == 1 && isMirrored(index)) {
      scaled = -scaled;
      diff = -diff;
    }
    if (isAxis(index)) {
      if (v.decimalPlaces <= 0) v.decimalPlaces = v.scaleDigits;
      diff = roundedToPlaces(diff, v.decimalPlaces);
      roundedCurrent = roundedToPlaces(v.current, v.decimalPlaces);
    }
    double scaledDiff = diff * factor;
    double modalTolerance = postVariable(kVarModalTolerance).initial;
    bool moved = changed(v.current, v.last, modalTolerance);
    auto emit = [&](double decimalValue, double integerValue) {
      bool fits = v.decimalPoint ? std::isfinite(decimalValue) : roundsIntoInt32(integerValue);
      if (!fits) {
        unwritable = true;
        return;
      }
      if (v.decimalPoint) {
        appendDecimal(text, v, decimalValue);
      } else {
        appendInteger(text, v, roundHalfAway(integerValue));
      }
      formatted = true;
    };
    double value = v.absolute ? scaled : scaledDiff;
    if (mode == kPrefixLast) {
      emit(scaled, scaled);
    } else if (mode == kPrefixModal) {
      double tolerance = v.intEps ? kInternalTolerance : modalTolerance;
      if (!v.modal || changed(v.current, v.last, tolerance)) emit(value, value);
    } else if (mode == kPrefixCurrent) {
      bool write = true;
      if (isAxis(index)) {
        double g = postVariable(kVarG).current;
        write = moved || (!v.decimalPoint && (g == 2 || g == 3));
      }
      if (write) emit(value, value);
    }
  }

  if (unwritable) {
    // The machine must never get a word it would misread; the last value
    // stays what was last written.
    if (madePositive) v.current = -v.current;
    reportUnwritable(index, v.current, std::isfinite(v.current));
    return;
  }
  if (formatted) {
    ncWrite(text);
    if (!counted && isAxis(index)) {
      v.last = v.absolute ? roundedCurrent : v.last + diff;
    } else {
      v.last = v.current;
    }
  }
  if (madePositive) v.current = -v.current;
}

}  // namespace optgrind
