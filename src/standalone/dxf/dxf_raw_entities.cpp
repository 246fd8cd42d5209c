#include "standalone/dxf/dxf_raw_entities.h"

#include <cmath>

#include "standalone/dxf/dxf_groups.h"

namespace optgrind::standalone {
namespace {

constexpr int kDimTypeMask = 0x07;
constexpr int kDimOrdinateXFlag = 64;
constexpr int kHatchPolylineLoop = 2;
constexpr int kHatchEdgeLine = 1;
constexpr int kHatchEdgeArc = 2;

// Walks a record's pairs in order, taking groups only when they come as
// expected.
class PairCursor {
 public:
  PairCursor(const RawRecord& r, std::size_t start) : r_(r), i_(start) {}
  bool done() const { return i_ >= r_.size(); }
  bool at(int code) const { return !done() && r_[i_].code == code; }
  // Takes the group when it has this code; false (nothing taken) otherwise.
  bool take(int code, double& value) {
    if (!at(code)) return false;
    value = groupReal(r_[i_++].value);
    return true;
  }
  bool takeInt(int code, long long& value) {
    if (!at(code)) return false;
    value = groupInt(r_[i_++].value);
    return true;
  }
  void skip() { ++i_; }

 private:
  const RawRecord& r_;
  std::size_t i_;
};

// Bulge of an arc of this sweep (radians, signed).
double bulgeOfSweep(double sweep) { return std::tan(sweep / 4.0); }

// One boundary loop; false when it holds an edge that cannot be kept.
bool readHatchLoop(PairCursor& c, HatchLoop& loop) {
  long long flags = 0;
  if (!c.takeInt(92, flags)) return false;
  if (flags & kHatchPolylineLoop) {
    long long hasBulge = 0, closed = 0, count = 0;
    c.takeInt(72, hasBulge);
    c.takeInt(73, closed);
    if (!c.takeInt(93, count)) return false;
    for (long long v = 0; v < count; ++v) {
      PolyVertex pv;
      if (!c.take(10, pv.x) || !c.take(20, pv.y)) return false;
      c.take(42, pv.bulge);
      loop.vertices.push_back(pv);
    }
  } else {
    long long edges = 0;
    if (!c.takeInt(93, edges)) return false;
    for (long long e = 0; e < edges; ++e) {
      long long type = 0;
      if (!c.takeInt(72, type)) return false;
      PolyVertex pv;
      if (type == kHatchEdgeLine) {
        double x2 = 0.0, y2 = 0.0;
        if (!c.take(10, pv.x) || !c.take(20, pv.y) || !c.take(11, x2) || !c.take(21, y2)) return false;
      } else if (type == kHatchEdgeArc) {
        double cx = 0.0, cy = 0.0, r = 0.0, a0 = 0.0, a1 = 0.0;
        long long ccw = 1;
        if (!c.take(10, cx) || !c.take(20, cy) || !c.take(40, r) || !c.take(50, a0) || !c.take(51, a1))
          return false;
        c.takeInt(73, ccw);
        double sweep = std::fmod(a1 - a0, 360.0);
        if (sweep <= 0.0) sweep += 360.0;
        // A clockwise edge lists its angles mirrored about the X axis.
        double start = ccw ? a0 : -a0;
        pv.x = cx + r * std::cos(start * kDegToRad);
        pv.y = cy + r * std::sin(start * kDegToRad);
        pv.bulge = bulgeOfSweep((ccw ? sweep : -sweep) * kDegToRad);
      } else {
        return false;
      }
      loop.vertices.push_back(pv);
    }
  }
  long long sources = 0;
  if (c.takeInt(97, sources)) {
    for (long long s = 0; s < sources && c.at(330); ++s) c.skip();
  }
  return true;
}

}  // namespace

DimensionGeom rawDimension(const RawRecord& r) {
  DimensionGeom g;
  long long type = r.integer(70, 0);
  g.kind = static_cast<DimKind>(type & kDimTypeMask);
  if ((type & kDimTypeMask) > static_cast<int>(DimKind::Ordinate)) g.kind = DimKind::Linear;
  g.ordinateX = (type & kDimOrdinateXFlag) != 0;
  g.block = r.text(2, "");
  g.style = r.text(3, "Standard");
  g.text = r.text(1, "");
  g.measurement = r.real(42, 0.0);
  g.definition = r.point(10);
  g.textPosition = r.point(11);
  g.blockPosition = r.point(12);
  g.defPoint2 = r.point(13);
  g.defPoint3 = r.point(14);
  g.defPoint4 = r.point(15);
  g.arcPoint = r.point(16);
  g.angle = r.real(50, 0.0);
  g.textRotation = r.real(53, 0.0) * kDegToRad;
  g.leaderLength = r.real(40, 0.0);
  return g;
}

HatchGeom rawHatch(const RawRecord& r) {
  HatchGeom g;
  g.pattern = r.text(2, "SOLID");
  g.solid = r.integer(70, 1) != 0;
  g.patternScale = r.real(41, 1.0);
  g.patternAngle = r.real(52, 0.0) * kDegToRad;
  std::size_t start = 0;
  while (start < r.size() && r[start].code != 91) ++start;
  PairCursor c(r, start);
  long long loops = 0;
  if (!c.takeInt(91, loops)) return g;
  for (long long i = 0; i < loops; ++i) {
    HatchLoop loop;
    if (!readHatchLoop(c, loop)) break;
    g.loops.push_back(std::move(loop));
  }
  return g;
}

Solid3dGeom rawSolid3d(const RawRecord& r) {
  Solid3dGeom g;
  for (const RawPair& p : r) {
    if (p.code == 1) {
      g.data.push_back(p.value);
    } else if (p.code == 3 && !g.data.empty()) {
      g.data.back() += p.value;  // continuation of a long data line
    }
  }
  return g;
}

std::vector<PolyVertex> rawLwVertices(const RawRecord& r) {
  std::vector<PolyVertex> out;
  for (const RawPair& p : r) {
    if (p.code == 10) {
      out.push_back({});
      out.back().x = groupReal(p.value);
    } else if (!out.empty()) {
      PolyVertex& v = out.back();
      if (p.code == 20) v.y = groupReal(p.value);
      if (p.code == 40) v.startWidth = groupReal(p.value);
      if (p.code == 41) v.endWidth = groupReal(p.value);
      if (p.code == 42) v.bulge = groupReal(p.value);
    }
  }
  return out;
}

std::string rawMTextContents(const RawRecord& r) {
  std::string text;
  for (const RawPair& p : r) {
    if (p.code == 3) text += p.value;
  }
  return text + r.text(1, "");
}

double rawMTextRotation(const RawRecord& r) {
  if (r.has(50)) return r.real(50, 0.0) * kDegToRad;
  if (r.has(11)) return std::atan2(r.real(21, 0.0), r.real(11, 1.0));
  return 0.0;
}

std::size_t rawVertexCount(const RawRecord& r) {
  std::size_t n = 0;
  for (const RawPair& p : r) n += p.code == 10 ? 1 : 0;
  return n;
}

}  // namespace optgrind::standalone
