#include <array>

#include "host/host_types.h"

namespace optgrind {
namespace {

struct TypeNames {
  const char* className;
  const char* dxfName;
};

// In the order of EntityType.
constexpr std::array<TypeNames, 14> kNames = {{
    {"AcDbLine", "LINE"},
    {"AcDbArc", "ARC"},
    {"AcDbCircle", "CIRCLE"},
    {"AcDbPoint", "POINT"},
    {"AcDbPolyline", "LWPOLYLINE"},
    {"AcDbText", "TEXT"},
    {"AcDbMText", "MTEXT"},
    {"AcDbBlockReference", "INSERT"},
    {"AcDbRotatedDimension", "DIMENSION"},
    {"AcDbHatch", "HATCH"},
    {"AcDbLeader", "LEADER"},
    {"AcDb3dSolid", "3DSOLID"},
    {"AcDbSpline", "SPLINE"},
    {"AcDbEllipse", "ELLIPSE"},
}};

}  // namespace

const char* entityClassName(EntityType type) { return kNames[static_cast<size_t>(type)].className; }
const char* entityDxfName(EntityType type) { return kNames[static_cast<size_t>(type)].dxfName; }

}  // namespace optgrind
