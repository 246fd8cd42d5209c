#include "host/angles.h"

#include <cmath>

namespace optgrind {

bool isStraightBulge(double bulge) { return !(std::fabs(bulge) >= kStraightBulge) || !std::isfinite(bulge); }

double normalizeAngle(double radians) {
  if (!std::isfinite(radians)) return 0.0;
  double r = std::fmod(radians, kTwoPi);
  if (r < 0.0) r += kTwoPi;
  // fmod of a tiny negative angle plus a full turn rounds up to 2*pi.
  return r >= kTwoPi ? 0.0 : r;
}

double counterClockwiseSweep(double from, double to) { return normalizeAngle(to - from); }

bool angleWithinSweep(double angle, double start, double sweep, double slack) {
  if (sweep >= kTwoPi) return true;
  double fromStart = counterClockwiseSweep(start, angle);
  return fromStart <= sweep + slack || fromStart >= kTwoPi - slack;
}

bool angleWithinRange(double angle, double start, double end) {
  return angleWithinSweep(angle, start, counterClockwiseSweep(start, end), kSameDirection);
}

}  // namespace optgrind
