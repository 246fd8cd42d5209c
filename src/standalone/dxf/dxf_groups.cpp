#include "standalone/dxf/dxf_groups.h"

#include <charconv>
#include <cmath>

namespace optgrind::standalone {
namespace {

bool inRange(int code, int lo, int hi) { return code >= lo && code <= hi; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

GroupKind groupKind(int code) {
  if (code == 5 || code == 105 || inRange(code, 320, 369) || inRange(code, 390, 399) ||
      inRange(code, 480, 481) || code == 1005) {
    return GroupKind::Handle;
  }
  if (inRange(code, 10, 59) || inRange(code, 110, 149) || inRange(code, 210, 239) ||
      inRange(code, 460, 469) || inRange(code, 1010, 1059)) {
    return GroupKind::Real;
  }
  if (inRange(code, 60, 79) || inRange(code, 90, 99) || inRange(code, 160, 179) || inRange(code, 270, 299) ||
      inRange(code, 370, 389) || inRange(code, 400, 409) || inRange(code, 420, 429) ||
      inRange(code, 440, 459) || inRange(code, 1060, 1071)) {
    return GroupKind::Integer;
  }
  return GroupKind::String;
}

bool isDrawingEntityType(std::string_view type) {
  static constexpr std::string_view kTypes[] = {"LINE",     "ARC",    "CIRCLE", "POINT",  "LWPOLYLINE",
                                                "POLYLINE", "TEXT",   "MTEXT",  "INSERT", "DIMENSION",
                                                "HATCH",    "LEADER", "3DSOLID"};
  for (std::string_view t : kTypes) {
    if (t == type) return true;
  }
  return false;
}

bool parseGroupInt(std::string_view text, long long& value) {
  std::string_view s = trimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

bool parseGroupReal(std::string_view text, double& value) {
  std::string_view s = trimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size() && std::isfinite(value);
}

long long groupInt(std::string_view text) {
  long long v = 0;
  if (parseGroupInt(text, v)) return v;
  double r = 0.0;
  return parseGroupReal(text, r) ? static_cast<long long>(r) : 0;
}

double groupReal(std::string_view text) {
  double v = 0.0;
  return parseGroupReal(text, v) ? v : 0.0;
}

std::string formatGroupReal(double value) {
  if (!std::isfinite(value)) return "0.0";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, ec == std::errc() ? end : buf);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

}  // namespace optgrind::standalone
