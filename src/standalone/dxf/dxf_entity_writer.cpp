#include "standalone/dxf/dxf_entity_writer.h"

#include <cmath>
#include <initializer_list>
#include <type_traits>

#include "standalone/dxf/dxf_curve_records.h"
#include "standalone/dxf/dxf_extra_groups.h"
#include "standalone/dxf/dxf_groups.h"

namespace optgrind::standalone {
namespace {

double degrees(double radians) { return radians / kDegToRad; }
constexpr int kDimBlockOnlyFlag = 32;  // the geometry block belongs to this dimension alone
constexpr int kDimOrdinateXFlag = 64;
constexpr int kHatchPolylineLoop = 2;
constexpr int kSolidModelerVersion = 1;

bool upperEquals(const std::string& a, const char* b) {
  std::size_t n = std::char_traits<char>::length(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

constexpr int kXDataHandleCode = 1005;

// A database handle (1005) names a record of the file: it is mapped.
void writeXdata(DxfOut& out, const ResBufList& xdata, const HandleMap& links) {
  bool started = false;
  for (const ResBuf& rb : xdata) {
    if (rb.code == kXDataApplicationCode) started = true;
    if (!started || rb.code < kXDataStringCode || rb.code > kXDataLastCode) continue;
    unsigned long now = rb.code == kXDataHandleCode && rb.isString() ? links.find(rb.asString()) : 0;
    if (now != 0) {
      out.handle(rb.code, now);
    } else {
      out.resbuf(rb);
    }
  }
}

void writeVertices(DxfOut& out, const std::vector<PolyVertex>& vertices, bool withWidths) {
  for (const PolyVertex& v : vertices) {
    out.real(10, v.x);
    out.real(20, v.y);
    if (withWidths && (v.startWidth != 0.0 || v.endWidth != 0.0)) {
      out.real(40, v.startWidth);
      out.real(41, v.endWidth);
    }
    if (v.bulge != 0.0) out.real(42, v.bulge);
  }
}

class EntityBody {
 public:
  EntityBody(DxfOut& out, const std::string& dimensionBlock) : out_(out), dimensionBlock_(dimensionBlock) {}

  void operator()(const LineGeom& g) {
    out_.str(100, "AcDbLine");
    if (g.thickness != 0.0) out_.real(39, g.thickness);
    out_.point(10, g.start);
    out_.point(11, g.end);
  }

  void operator()(const ArcGeom& g) {
    circle(g.center, g.radius, g.thickness);
    out_.str(100, "AcDbArc");
    out_.real(50, degrees(g.startAngle));
    out_.real(51, degrees(g.endAngle));
  }

  void operator()(const CircleGeom& g) { circle(g.center, g.radius, g.thickness); }

  void operator()(const PointGeom& g) {
    out_.str(100, "AcDbPoint");
    out_.point(10, g.position);
  }

  void operator()(const PolylineGeom& g) {
    out_.str(100, "AcDbPolyline");
    out_.integer(90, static_cast<long long>(g.vertices.size()));
    out_.integer(70, g.closed ? 1 : 0);
    if (g.constantWidth != 0.0) out_.real(43, g.constantWidth);
    if (g.elevation != 0.0) out_.real(38, g.elevation);
    if (g.thickness != 0.0) out_.real(39, g.thickness);
    writeVertices(out_, g.vertices, true);
  }

  void operator()(const TextGeom& g) {
    out_.str(100, "AcDbText");
    out_.point(10, g.position);
    out_.real(40, g.height);
    out_.str(1, g.text);
    if (g.rotation != 0.0) out_.real(50, degrees(g.rotation));
    if (g.widthFactor != 1.0) out_.real(41, g.widthFactor);
    if (g.oblique != 0.0) out_.real(51, degrees(g.oblique));
    out_.str(7, g.style);
    if (g.hAlign != 0) out_.integer(72, g.hAlign);
    if (g.hAlign != 0 || g.vAlign != 0) out_.point(11, g.alignPoint);
    out_.str(100, "AcDbText");
    if (g.vAlign != 0) out_.integer(73, g.vAlign);
  }

  void operator()(const MTextGeom& g) {
    out_.str(100, "AcDbMText");
    out_.point(10, g.location);
    out_.real(40, g.height);
    out_.real(41, g.width);
    out_.integer(71, g.attachment);
    out_.integer(72, 1);  // left to right
    out_.chunksEndingWith(3, 1, g.contents);
    out_.str(7, g.style);
    if (g.rotation != 0.0) out_.real(50, degrees(g.rotation));
    out_.integer(73, 1);  // at least the spacing factor
    out_.real(44, g.lineSpacing);
  }

  void operator()(const InsertGeom& g) {
    out_.str(100, "AcDbBlockReference");
    out_.str(2, g.block);
    out_.point(10, g.position);
    if (g.xScale != 1.0) out_.real(41, g.xScale);
    if (g.yScale != 1.0) out_.real(42, g.yScale);
    if (g.zScale != 1.0) out_.real(43, g.zScale);
    if (g.rotation != 0.0) out_.real(50, degrees(g.rotation));
  }

  void operator()(const DimensionGeom& g) {
    out_.str(100, "AcDbDimension");
    out_.str(2, dimensionBlock_);
    out_.point(10, g.definition);
    out_.point(11, g.textPosition);
    out_.point(12, g.blockPosition);
    int type = static_cast<int>(g.kind) | kDimBlockOnlyFlag;
    if (g.kind == DimKind::Ordinate && g.ordinateX) type |= kDimOrdinateXFlag;
    out_.integer(70, type);
    out_.integer(71, 5);  // text attached at its middle
    out_.real(42, g.measurement);
    out_.str(1, g.text);
    if (g.textRotation != 0.0) out_.real(53, degrees(g.textRotation));
    out_.str(3, g.style);
    switch (g.kind) {
      case DimKind::Linear:
        subclassWithPoints("AcDbAlignedDimension", g, {13, 14});
        out_.real(50, g.angle);
        out_.str(100, "AcDbRotatedDimension");
        break;
      case DimKind::Aligned:
        subclassWithPoints("AcDbAlignedDimension", g, {13, 14});
        break;
      case DimKind::Angular:
        subclassWithPoints("AcDb2LineAngularDimension", g, {13, 14, 15, 16});
        break;
      case DimKind::Angular3P:
        subclassWithPoints("AcDb3PointAngularDimension", g, {13, 14, 15});
        break;
      case DimKind::Diameter:
      case DimKind::Radius:
        subclassWithPoints(g.kind == DimKind::Diameter ? "AcDbDiametricDimension" : "AcDbRadialDimension", g,
                           {15});
        out_.real(40, g.leaderLength);
        break;
      case DimKind::Ordinate:
        subclassWithPoints("AcDbOrdinateDimension", g, {13, 14});
        break;
    }
  }

  void operator()(const HatchGeom& g) {
    out_.str(100, "AcDbHatch");
    out_.point(10, {});
    out_.point(210, {0.0, 0.0, 1.0});
    out_.str(2, g.pattern);
    out_.integer(70, g.solid ? 1 : 0);
    out_.integer(71, 0);  // not associative
    out_.integer(91, static_cast<long long>(g.loops.size()));
    for (const HatchLoop& loop : g.loops) {
      bool bulges = false;
      for (const PolyVertex& v : loop.vertices) bulges = bulges || v.bulge != 0.0;
      out_.integer(92, kHatchPolylineLoop);
      out_.integer(72, bulges ? 1 : 0);
      out_.integer(73, 1);  // closed
      out_.integer(93, static_cast<long long>(loop.vertices.size()));
      writeVertices(out_, loop.vertices, false);
      out_.integer(97, 0);
    }
    out_.integer(75, 1);  // odd parity
    out_.integer(76, 1);  // predefined pattern
    if (!g.solid) {
      out_.real(52, degrees(g.patternAngle));
      out_.real(41, g.patternScale);
      out_.integer(77, 0);
      out_.integer(78, 0);
    }
    out_.integer(98, 0);
  }

  void operator()(const LeaderGeom& g) {
    out_.str(100, "AcDbLeader");
    out_.str(3, g.style);
    out_.integer(71, g.arrowhead ? 1 : 0);
    out_.integer(72, 0);  // straight segments
    out_.integer(73, 3);  // no annotation
    out_.integer(74, 0);
    out_.integer(75, 0);
    out_.integer(76, static_cast<long long>(g.vertices.size()));
    for (const Point3& p : g.vertices) out_.point(10, p);
  }

  void operator()(const Solid3dGeom& g) {
    out_.str(100, "AcDbModelerGeometry");
    out_.integer(70, kSolidModelerVersion);
    for (const std::string& line : g.data) out_.chunksStartingWith(1, 3, line);
  }

  void operator()(const SplineGeom& g) { writeSplineBody(out_, g); }
  void operator()(const EllipseGeom& g) { writeEllipseBody(out_, g); }

 private:
  // A dimension's subclass marker and its defining points by group code.
  void subclassWithPoints(const char* subclass, const DimensionGeom& g, std::initializer_list<int> codes) {
    out_.str(100, subclass);
    for (int code : codes) {
      switch (code) {
        case 13:
          out_.point(13, g.defPoint2);
          break;
        case 14:
          out_.point(14, g.defPoint3);
          break;
        case 15:
          out_.point(15, g.defPoint4);
          break;
        default:
          out_.point(16, g.arcPoint);
          break;
      }
    }
  }

  void circle(const Point3& center, double radius, double thickness) {
    out_.str(100, "AcDbCircle");
    if (thickness != 0.0) out_.real(39, thickness);
    out_.point(10, center);
    out_.real(40, radius);
  }

  DxfOut& out_;
  const std::string& dimensionBlock_;
};

}  // namespace

bool isByLayerLinetype(const std::string& name) { return name.empty() || upperEquals(name, "BYLAYER"); }

void writeEntity(DxfOut& out, const EntityRecord& e, const EntityHandles& h,
                 const std::string& dimensionBlock, const ExtraGroups* extra, const HandleMap& links) {
  static const ExtraGroups kNone;
  const ExtraGroups& more = extra ? *extra : kNone;
  out.str(0, entityDxfName(e.type()));
  out.handle(5, h.self);
  writeExtraGroups(out, more, ExtraPart::Head, e.color, links);
  out.handle(330, h.owner);
  out.str(100, "AcDbEntity");
  if (h.paperSpace) out.integer(67, 1);
  out.str(8, e.layer.empty() ? std::string("0") : e.layer);
  if (!isByLayerLinetype(e.linetype)) out.str(6, e.linetype);
  if (e.color != kColorByLayer) out.integer(62, e.color);
  writeExtraGroups(out, more, ExtraPart::Common, e.color, links);
  visitGeom(EntityBody(out, dimensionBlock), e.geom);
  writeExtraGroups(out, more, ExtraPart::Body, e.color, links);
  writeXdata(out, e.xdata, links);
}

}  // namespace optgrind::standalone
