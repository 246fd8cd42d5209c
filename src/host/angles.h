// Angles and bulges as every geometric query of the system and of the
// standalone host's model reads them: one pi, one normalisation, one test
// of a direction against a counter-clockwise range, one straight bulge.
#pragma once

namespace optgrind {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;

// A bulge smaller than this in magnitude is a straight segment: its arc's
// centre would lie so far away that no point of the segment is found on
// it. (A bulge of 1e-8 on a chord of 1000 bows out by 5e-6.)
constexpr double kStraightBulge = 1e-8;

// True for a bulge that every query takes as a straight segment, also for
// a bulge that is not a finite number.
bool isStraightBulge(double bulge);

// The angle in [0, 2*pi): drawings from other programs hold arc angles
// such as -10 degrees or 370 degrees.
double normalizeAngle(double radians);

// The counter-clockwise turn from `from` to `to`, in [0, 2*pi).
double counterClockwiseSweep(double from, double to);

// True when the direction `angle` lies on the counter-clockwise range that
// begins at `start` and turns by `sweep` (0 to 2*pi; 2*pi or more is the
// whole circle), allowing `slack` radians beyond either end. Every angle is
// taken modulo 2*pi.
bool angleWithinSweep(double angle, double start, double sweep, double slack = 0.0);

// Directions this close (radians) are the same: the normalisation of an
// arc's end angle and of the direction to its end point round apart.
constexpr double kSameDirection = 1e-12;

// The same for the range from `start` counter-clockwise to `end`, its ends
// included within kSameDirection; equal angles make a range of one
// direction.
bool angleWithinRange(double angle, double start, double end);

}  // namespace optgrind
