// The drawing work of the path definition: reading the element under a
// point, making extra elements, counting where they cut the profile,
// joining them to the path polyline and colouring pieces.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"
#include "pathdef/extra_elements.h"

namespace optgrind {

// Two intersection points closer than this are one point (the two
// segments that meet at a vertex both report it).
constexpr double kSameCrossingTolerance = 0.001;
// A joined polyline whose first vertex lies this close to the expected
// start runs the expected way.
constexpr double kOrientTolerance = 0.01;

constexpr int kColorRed = 1;
constexpr int kColorYellow = 2;
constexpr int kColorGreen = 3;

// ref as a valid reference to its whole entity, whatever it named; valid 0
// only for a null name.
EntityRef asWhole(const EntityRef& ref);

// The element of segment `segment` of the polyline; valid 0 when unreadable.
ElementGeom readElement(Host& host, const EntityRef& polyline, int segment);
// The same from the polyline's record, read once for several questions:
// a long path is not copied out of the drawing for each.
ElementGeom readElement(Host& host, const EntityRef& polyline, const EntityRecord& record, int segment);
// Every element of the polyline in order, read at once.
std::vector<ElementGeom> readElements(Host& host, const EntityRef& polyline);
// The first segment of the polyline that carries p, or -1.
int segmentUnder(Host& host, const EntityRef& polyline, const PointRec& p);
int segmentUnder(const EntityRecord& record, const PointRec& p);
// The segment after `segment` (the wrap of a closed polyline included).
ElementGeom elementAfter(Host& host, const EntityRef& polyline, const EntityRecord& record, int segment);
// The first and last points of the polyline.
bool polylineEnds(Host& host, const EntityRef& polyline, PointRec& first, PointRec& last);
bool polylineEnds(const EntityRecord& record, PointRec& first, PointRec& last);
bool isClosedPolyline(Host& host, const EntityRef& polyline);
bool isClosedPolyline(const EntityRecord& record);

// Adds the element to the drawing as a line or an arc; empty when refused.
EntityRef makeExtraEntity(Host& host, const ExtraElement& element);
// The points where the element meets the path polyline. Runs along the
// profile count no points; points closer than kSameCrossingTolerance count
// once; so more than one means the element cuts the profile a second time.
int countCrossings(Host& host, const EntityRef& element, const EntityRef& path);

// Joins the element to the path polyline with the host's PEDIT (the
// element picked first, PEDITACCEPT 1 meanwhile). The result is the joined
// polyline, turned round when it does not begin at expectedStart; empty
// when the host made nothing.
EntityRef joinToPath(Host& host, const EntityRef& element, const EntityRef& path,
                     const PointRec& expectedStart);
// Turns the polyline round when its first point is not `start`.
void orientToStart(Host& host, const EntityRef& polyline, const PointRec& start);
// The same with the polyline as just read.
void orientToStart(Host& host, const EntityRef& polyline, const PolylineGeom& geom, const PointRec& start);

// A circle with the drawing's current properties; empty when refused.
EntityRef makeCircleEntity(Host& host, const PointRec& centre, double radius, int color = -1);

// Sets the entity's colour index.
void setColor(Host& host, const EntityRef& ref, int color);
// Deletes the entity when it still exists.
void deleteEntity(Host& host, const EntityRef& ref);

}  // namespace optgrind
