// The short extra elements of a grinding path: the entry lead-in, the
// approach that brings the wheel down onto the profile and the over-cut
// that runs it past the point where it lifts. Pure geometry: angles in
// degrees, lengths in drawing units.
#pragma once

#include "geometry/records.h"

namespace optgrind {

// One element of the profile: a line from b to e, or an arc about k.
struct ElementGeom {
  int isArc = 0;
  PointRec b;
  PointRec e;
  PointRec k;
  double radius = 0.0;
  double sweep = 0.0;  // radians, negative clockwise
  int valid = 0;
};

// A line from `from` to `to`, or the arc from `from` through `mid` to `to`.
struct ExtraElement {
  PointRec from;
  PointRec mid;
  PointRec to;
  int isArc = 0;
  int valid = 0;
};

// What the side rules need of the job.
struct SideRules {
  double referenceX = 0.0;  // X of the path's start point
  double v81 = 0.0;         // the offset the post file sets (post variable 81)
  int linearApproach = 0;   // the post file asks for straight approaches on arcs
};

// An arc's over-cut or approach runs at most this share of the element.
constexpr double kArcShareOfElement = 0.6;
// Below this an over-cut length counts as none.
constexpr double kNoOverCut = 1e-6;

double elementLength(const ElementGeom& el);
// The direction of a line, or of an arc at p (tangent in running order),
// in [0, 360).
double directionAt(const ElementGeom& el, const PointRec& p);
// The side angle of the lead-in for a straight element of direction a.
double leadInSideAngle(double a, const PointRec& p, double referenceX);

// The entry lead-in ending at s on the first element.
ExtraElement entryLeadIn(const ElementGeom& el, const PointRec& s, double approachX, double approachY,
                         double referenceX);
// The approach ending at tool-down point p on el, with over-cut length o.
ExtraElement approachElement(const ElementGeom& el, const PointRec& p, double o, const SideRules& rules);
// The over-cut beginning at tool-up point p. `next` is the element after el
// (valid 0 when el is the last of an open profile). overAngle in degrees.
ExtraElement overCutElement(const ElementGeom& el, const ElementGeom& next, const PointRec& p, double o,
                            double overAngle, const SideRules& rules);
// The horizontal over-cut away from the start side, used when the over-cut
// along a following arc would cut the profile.
ExtraElement horizontalOverCut(const PointRec& p, double o, double referenceX);

}  // namespace optgrind
