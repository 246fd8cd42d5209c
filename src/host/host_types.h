// Value records that travel through the Host interface: points, entity
// names, result buffers, entity records, table records, forms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "host/vertex_list.h"

namespace optgrind {

// Host result codes.
constexpr int RTNORM = 5100;    // success
constexpr int RTNONE = 5000;    // empty answer (Enter)
constexpr int RTCAN = -5002;    // cancelled
constexpr int RTERROR = -5001;  // failure
constexpr int RTKWORD = -5005;  // a keyword was given
constexpr int RTSTR = 5005;     // free text was given (arbitrary input)

// Result-buffer value types, as the host numbers them.
constexpr int RTREAL = 5001;
constexpr int RTPOINT = 5002;
constexpr int RTSHORT = 5003;
constexpr int RTENAME = 5006;
constexpr int RTPICKS = 5007;
constexpr int RT3DPOINT = 5009;
constexpr int RTLONG = 5010;

// acedInitGet flags.
constexpr int RSG_NONULL = 1;
constexpr int RSG_NOZERO = 2;
constexpr int RSG_NONEG = 4;
constexpr int RSG_OTHER = 128;  // arbitrary input is answered with RTSTR

// acedCommand's pause: the answer is taken from the user.
inline constexpr const char* PAUSE = "\\";

// A setter given this value only reads the variable.
constexpr int kReadOnlyMarker = -9999;

struct Point3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  bool operator==(const Point3&) const = default;
};

// The host's entity name: two halves, both positive for a live entity.
struct EntityName {
  long long a = -1;
  long long b = -1;
  bool isNull() const { return a <= 0 || b <= 0; }
  bool operator==(const EntityName&) const = default;
};

// The host's selection set handle; 0 is no set.
struct SelectionSet {
  long long id = 0;
  bool operator==(const SelectionSet&) const = default;
};

// One link of a result-buffer chain: filter lists, extended data, xrecord
// data, system variable values and the arguments of a host command.
// `code` is a DXF group code or an RT* value type.
struct ResBuf {
  int code = 0;
  std::variant<std::monostate, long long, double, std::string, Point3, EntityName, SelectionSet> value;

  static ResBuf ofInt(int c, long long v) { return {c, v}; }
  static ResBuf ofReal(int c, double v) { return {c, v}; }
  static ResBuf ofString(int c, std::string v) { return {c, std::move(v)}; }
  static ResBuf ofPoint(int c, Point3 v) { return {c, v}; }
  static ResBuf ofName(EntityName v) { return {RTENAME, v}; }
  static ResBuf ofSet(SelectionSet v) { return {RTPICKS, v}; }

  bool isInt() const { return std::holds_alternative<long long>(value); }
  bool isReal() const { return std::holds_alternative<double>(value); }
  bool isString() const { return std::holds_alternative<std::string>(value); }
  bool isPoint() const { return std::holds_alternative<Point3>(value); }
  long long asInt() const {
    return isInt() ? std::get<long long>(value)
                   : (isReal() ? static_cast<long long>(std::get<double>(value)) : 0);
  }
  double asReal() const {
    return isReal() ? std::get<double>(value)
                    : (isInt() ? static_cast<double>(std::get<long long>(value)) : 0.0);
  }
  std::string asString() const { return isString() ? std::get<std::string>(value) : std::string(); }
  Point3 asPoint() const { return isPoint() ? std::get<Point3>(value) : Point3{}; }
  bool operator==(const ResBuf&) const = default;
};
using ResBufList = std::vector<ResBuf>;

// ---- Entity geometry, one record per entity type -------------------------

struct LineGeom {
  Point3 start;
  Point3 end;
  double thickness = 0.0;
};

// Angles in radians, counter-clockwise from start to end.
struct ArcGeom {
  Point3 center;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  double thickness = 0.0;
};

struct CircleGeom {
  Point3 center;
  double radius = 0.0;
  double thickness = 0.0;
};

struct PointGeom {
  Point3 position;
};

// Lightweight polyline.
struct PolylineGeom {
  VertexList vertices;
  bool closed = false;
  double elevation = 0.0;
  double thickness = 0.0;
  double constantWidth = 0.0;
};

struct TextGeom {
  Point3 position;
  Point3 alignPoint;
  double height = 2.5;
  double rotation = 0.0;  // radians
  double widthFactor = 1.0;
  double oblique = 0.0;  // radians
  int hAlign = 0;
  int vAlign = 0;
  std::string style = "Standard";
  std::string text;
};

struct MTextGeom {
  Point3 location;
  double height = 2.5;
  double width = 0.0;  // reference rectangle width, 0 = no wrapping
  double rotation = 0.0;
  int attachment = 1;
  double lineSpacing = 1.0;
  std::string style = "Standard";
  std::string contents;
};

struct InsertGeom {
  std::string block;
  Point3 position;
  double xScale = 1.0;
  double yScale = 1.0;
  double zScale = 1.0;
  double rotation = 0.0;  // radians
};

// Dimension kinds as the DXF type field numbers them (low bits of code 70).
enum class DimKind {
  Linear = 0,
  Aligned = 1,
  Angular = 2,
  Diameter = 3,
  Radius = 4,
  Angular3P = 5,
  Ordinate = 6
};

struct DimensionGeom {
  DimKind kind = DimKind::Linear;
  bool ordinateX = false;  // ordinate dimension measures X (else Y)
  std::string block;       // the anonymous block holding the picture
  std::string style = "Standard";
  std::string text;  // text override; "" = the measurement
  double measurement = 0.0;
  Point3 definition;          // 10: dimension line / definition point
  Point3 textPosition;        // 11: middle of the text
  Point3 blockPosition;       // 12: insertion point of the block
  Point3 defPoint2;           // 13: first extension point; ordinate defining point
  Point3 defPoint3;           // 14: second extension point; ordinate leader end
  Point3 defPoint4;           // 15: radial and angular point
  Point3 arcPoint;            // 16: angular arc location
  double angle = 0.0;         // 50: rotation of a linear dimension, degrees
  double textRotation = 0.0;  // 53: radians
  double leaderLength = 0.0;  // 40
};

// Hatch boundaries as closed polyline loops.
struct HatchLoop {
  std::vector<PolyVertex> vertices;
};

struct HatchGeom {
  std::string pattern = "SOLID";
  bool solid = true;
  double patternScale = 1.0;
  double patternAngle = 0.0;
  std::vector<HatchLoop> loops;
};

struct LeaderGeom {
  std::vector<Point3> vertices;
  bool arrowhead = true;
  std::string style = "Standard";
};

// A 3D solid is kept as it came: its modeler data lines.
struct Solid3dGeom {
  std::vector<std::string> data;
};

// A NURBS curve as a DXF SPLINE holds it, in world coordinates. Knots number
// controlPoints + degree + 1; weights are empty (all 1) or one per control
// point. Fit points and end tangents are kept for writing back; the curve
// itself is the control points'.
struct SplineGeom {
  int degree = 3;
  std::vector<double> knots;
  std::vector<Point3> controlPoints;
  std::vector<double> weights;
  std::vector<Point3> fitPoints;
  bool closed = false;
  bool periodic = false;
  bool rational = false;
  int otherFlags = 8;  // DXF flag bits beyond those three, kept as they came (8 planar)
  bool hasStartTangent = false;
  bool hasEndTangent = false;
  Point3 startTangent;
  Point3 endTangent;
  Point3 normal{0.0, 0.0, 1.0};
  // Negative: not given.
  double knotTolerance = -1.0;
  double controlTolerance = -1.0;
  double fitTolerance = -1.0;
};

// An ellipse in world coordinates: the major axis runs from the centre to
// centre + majorAxis, the minor one is ratio times as long, a quarter turn
// counter-clockwise about the normal. The parameters run from start to end
// counter-clockwise about the normal (0 to 2 pi: the whole ellipse), so a
// normal of (0,0,-1) runs clockwise in the XY plane.
struct EllipseGeom {
  Point3 center;
  Point3 majorAxis{1.0, 0.0, 0.0};
  double ratio = 1.0;
  double startParam = 0.0;
  double endParam = 6.283185307179586;  // 2 pi
  Point3 normal{0.0, 0.0, 1.0};
};

enum class EntityType {
  Line,
  Arc,
  Circle,
  Point,
  Polyline,
  Text,
  MText,
  Insert,
  Dimension,
  Hatch,
  Leader,
  Solid3d,
  Spline,
  Ellipse
};

// A value kept on the heap, copied deeply. The large, rarer geometry records
// live in one, so that a drawing of many lines and arcs stays small: every
// entity record is as large as its largest geometry alternative.
template <class T>
class Boxed {
 public:
  Boxed() : value_(std::make_unique<T>()) {}
  Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}  // NOLINT: converts implicitly
  Boxed(const Boxed& other) : value_(std::make_unique<T>(other.get())) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    if (this != &other) value_ = std::make_unique<T>(other.get());
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;

  // A moved-from box reads as a default value.
  const T& get() const {
    static const T kEmpty{};
    return value_ ? *value_ : kEmpty;
  }
  T& get() {
    if (!value_) value_ = std::make_unique<T>();
    return *value_;
  }

 private:
  std::unique_ptr<T> value_;
};

using EntityGeom = std::variant<LineGeom, ArcGeom, CircleGeom, PointGeom, PolylineGeom, Boxed<TextGeom>,
                                Boxed<MTextGeom>, Boxed<InsertGeom>, Boxed<DimensionGeom>, Boxed<HatchGeom>,
                                Boxed<LeaderGeom>, Solid3dGeom, Boxed<SplineGeom>, Boxed<EllipseGeom>>;

// The geometry record a variant alternative holds, boxed or not.
template <class G>
const G& unboxed(const G& g) {
  return g;
}
template <class G>
const G& unboxed(const Boxed<G>& g) {
  return g.get();
}
template <class G>
G& unboxed(G& g) {
  return g;
}
template <class G>
G& unboxed(Boxed<G>& g) {
  return g.get();
}

// How a geometry record type is stored in EntityGeom: boxed exactly when
// the variant lists it boxed, so the list above is the one place that says.
template <class T, class Variant>
struct IsAlternative : std::false_type {};
template <class T, class... Ts>
struct IsAlternative<T, std::variant<Ts...>> : std::bool_constant<(std::is_same_v<T, Ts> || ...)> {};
template <class G>
struct GeomStorage {
  using type = std::conditional_t<IsAlternative<Boxed<G>, EntityGeom>::value, Boxed<G>, G>;
};

// Colour indexes: 0 by block, 1..255 the palette, 256 by layer.
// Extended data: each application's group begins with its name under
// kXDataApplicationCode; strings use kXDataStringCode; every item's code lies
// between kXDataStringCode and kXDataLastCode.
constexpr int kXDataStringCode = 1000;
constexpr int kXDataApplicationCode = 1001;
constexpr int kXDataLastCode = 1071;

constexpr int kColorByBlock = 0;
constexpr int kColorByLayer = 256;

// One entity as a plain value: common properties, extended data (a chain
// of 1001 application names each followed by its items) and the geometry.
struct EntityRecord {
  std::string layer = "0";
  int color = kColorByLayer;
  std::string linetype = "BYLAYER";
  ResBufList xdata;
  EntityGeom geom = LineGeom{};

  EntityType type() const { return static_cast<EntityType>(geom.index()); }
  // The geometry as G, or null when the entity is of another type.
  template <class G>
  G* as() {
    auto* stored = std::get_if<typename GeomStorage<G>::type>(&geom);
    return stored ? &unboxed(*stored) : nullptr;
  }
  template <class G>
  const G* as() const {
    const auto* stored = std::get_if<typename GeomStorage<G>::type>(&geom);
    return stored ? &unboxed(*stored) : nullptr;
  }
};

// Calls visitor with the entity's geometry record, unboxed.
template <class Visitor>
decltype(auto) visitGeom(Visitor&& visitor, const EntityGeom& geom) {
  return std::visit([&](const auto& g) -> decltype(auto) { return visitor(unboxed(g)); }, geom);
}

// The host's class name of an entity type ("AcDbLine", ...).
const char* entityClassName(EntityType type);
// The DXF name of an entity type ("LINE", "LWPOLYLINE", ...).
const char* entityDxfName(EntityType type);

// ---- Table records -------------------------------------------------------

// Lineweight -3 is "default"; positive values are hundredths of a millimetre.
struct LayerRecord {
  int id = -1;
  std::string name;
  int color = 7;
  std::string linetype = "CONTINUOUS";
  int lineweight = -3;
  bool off = false;
  bool frozen = false;
  bool locked = false;
};

struct LinetypeRecord {
  int id = -1;
  std::string name;
  std::string description;
  std::vector<double> pattern;
};

struct TextStyleRecord {
  int id = -1;
  std::string name;
  std::string font = "txt";
  std::string bigFont;
  double fixedHeight = 0.0;
  double widthFactor = 1.0;
  double oblique = 0.0;
};

// ---- Dialogs -------------------------------------------------------------

// A modal settings form: labels and push-button fields on a character grid.
// Fields are numbered from 1 in the order they appear in `fields`.
struct FormLabel {
  int row = 0;
  int col = 0;
  std::string text;
};

struct FormField {
  int row = 0;
  int col = 0;
  int width = 10;
  int height = 1;
  std::string caption;
};

struct FormSpec {
  std::string title;
  int rows = 20;
  int cols = 60;
  std::vector<FormLabel> labels;
  std::vector<FormField> fields;
};

// How a clicked form field takes its new value.
enum class FormEditor { Number, Text, List, Toggle, Check };

enum class BoxIcon { None, Information, Warning, Question, Stop };

struct LocalDate {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

}  // namespace optgrind
