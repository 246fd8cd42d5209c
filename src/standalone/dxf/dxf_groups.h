// DXF group codes: what kind of value each code carries, and the strict
// number parsing and exact number formatting that the reader and writer share.
#pragma once

#include <numbers>
#include <string>
#include <string_view>

namespace optgrind::standalone {

// Angles are degrees in the file and radians in the drawing. Writing divides
// by the factor reading multiplies with, so a file read and written again
// keeps its digits.
constexpr double kDegToRad = std::numbers::pi / 180.0;

// Group codes a DXF file may use.
constexpr int kMinGroupCode = 0;
constexpr int kMaxGroupCode = 1071;

enum class GroupKind { String, Real, Integer, Handle };

// The kind of value a group code carries.
GroupKind groupKind(int code);

// Whole-string parses: surrounding blanks are allowed, anything else that is
// not part of the number makes the parse fail. Reals must be finite.
bool parseGroupInt(std::string_view text, long long& value);
bool parseGroupReal(std::string_view text, double& value);

// The value as a number, 0 when it is not one (the reader sees only checked
// files, so this is for values already known to be numbers).
long long groupInt(std::string_view text);
double groupReal(std::string_view text);

// Entity types the drawing holds (each such record becomes an entity).
bool isDrawingEntityType(std::string_view type);

// The shortest text that reads back as exactly the same double; always has
// a decimal point or an exponent. Non-finite values are written as 0.0.
std::string formatGroupReal(double value);

}  // namespace optgrind::standalone
