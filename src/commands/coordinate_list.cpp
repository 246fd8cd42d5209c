#include "commands/coordinate_list.h"

#include <algorithm>
#include <cstdio>

#include "commands/drawing_commands.h"
#include "commands/mark_lines.h"
#include "geometry/entity_data.h"
#include "geometry/primitives.h"
#include "host/messages.h"

namespace optgrind {
namespace {

// Layout of labels and list, in multiples of the text height H.
constexpr double kLabelOffset = 0.3;       // label distance from its point, at 45 degrees
constexpr double kLabelHeight = 0.8;       // label text height
constexpr double kLineSpacing = 1.42;      // list line pitch
constexpr double kListWidth = 0.7 * 24.0;  // frame width: 24 characters of 0.7 H

// The frame's top-left corner before the user moves it: the top-right corner
// of the profile's box, so the list starts beside the part, not over it.
PointRec firstFrameCorner(const PolylineGeom& polyline) {
  double maxX = polyline.vertices.front().x, maxY = polyline.vertices.front().y;
  for (const PolyVertex& v : polyline.vertices) {
    maxX = std::max(maxX, v.x);
    maxY = std::max(maxY, v.y);
  }
  return makePoint(maxX, maxY, polyline.elevation);
}

// Where the frame's top-left corner is now.
PointRec frameTopLeft(Host& host, const EntityRef& frame) {
  EntityRecord record;
  Point3 min, max;
  if (host.acdbEntGet(frame.name, record) != RTNORM || host.getGeomExtents(record, min, max) != RTNORM) {
    return PointRec{};
  }
  return makePoint(min.x, max.y, min.z);
}

}  // namespace

std::vector<PointRec> listedPoints(const PolylineGeom& polyline, double shortLimit) {
  std::vector<PointRec> points;
  std::vector<MarkSegment> segments = markSegments(polyline);
  for (const MarkSegment& s : segments) {
    points.push_back(s.start);
    if (hasMiddlePoint(s, shortLimit)) points.push_back(segmentMiddle(s));
  }
  if (!segments.empty() && pointsDiffer(segments.back().end, segments.front().start)) {
    points.push_back(segments.back().end);
  }
  return points;
}

std::string coordinateLine(int number, const PointRec& point) {
  char line[96];
  std::snprintf(line, sizeof line, "P%d X=%7.3f Y=%7.3f ", number, point.x, point.y);
  return line;
}

int drawCoordinateList(Host& host, const PolylineGeom& polyline, double height, double shortLimit) {
  std::vector<PointRec> points = listedPoints(polyline, shortLimit);
  if (points.empty()) return RTNORM;
  int number = 1;
  for (const PointRec& p : points) {
    int rc = drawText(host, polarDeg(p, 45.0, kLabelOffset * height), kLabelHeight * height,
                      "P" + std::to_string(number++));
    if (rc != RTNORM) return rc;
  }
  PointRec corner = firstFrameCorner(polyline);
  double pitch = kLineSpacing * height;
  PointRec opposite = makePoint(corner.x + kListWidth * height,
                                corner.y - pitch * static_cast<double>(points.size()), corner.z);
  EntityRef frame = makeRectangle(host, corner, opposite);
  if (frame.valid != 1) return RTERROR;
  int ortho = shortVariable(host, "ORTHOMODE", 0);
  setShortVariable(host, "ORTHOMODE", 0);
  int rc = moveByUser(host, frame.name, corner);
  setShortVariable(host, "ORTHOMODE", ortho);
  if (rc != RTNORM) {
    // A placement the user cancelled leaves no empty frame behind.
    host.acdbEntDel(frame.name);
    return rc;
  }
  PointRec topLeft = frameTopLeft(host, frame);
  int osmode = shortVariable(host, "OSMODE", 0);
  setShortVariable(host, "OSMODE", 0);
  number = 1;
  for (const PointRec& p : points) {
    PointRec at = makePoint(topLeft.x, topLeft.y - pitch * number, topLeft.z);
    rc = drawText(host, at, height, coordinateLine(number, p));
    ++number;
    if (rc != RTNORM) break;
  }
  setShortVariable(host, "OSMODE", osmode);
  return rc;
}

}  // namespace optgrind
