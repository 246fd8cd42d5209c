#include "geometry/selection_filter.h"

#include <array>

#include "geometry/drawing_vars.h"
#include "geometry/entity_data.h"
#include "geometry/tables.h"

namespace optgrind {
namespace {

constexpr int kTypeBits = 16;
constexpr int kLowBits = 0xFFFF;
// A stored SELMASK of this or more counts as nothing masked.
constexpr int kSelMaskLimit = 65535;
constexpr int kTextBit = 6;
constexpr int kLastTypeTested = 14;
constexpr int kFilterOperator = -4;
constexpr int kFilterType = 0;
constexpr int kFilterLayer = 8;

// The type names the filter uses, by mask bit.
constexpr std::array<const char*, kTypeBits> kTypeNames = {
    "LWPOLYLINE", "POINT",     "LINE",    "ARC", "CIRCLE", "LINE3D",       "TEXT",  "BLOCK",
    "INSERT",     "DIMENSION", "3DSolid", "TAG", "SYMBOL", "CWireCutPath", "HATCH", "LEADER"};

int drawingVar(Host& host, const char* name) {
  int value = 0;
  getDrawingVar(host, name, value);
  return value;
}

ResBuf op(const char* text) { return ResBuf::ofString(kFilterOperator, text); }

void appendTypePart(int mask, ResBufList& out) {
  out.push_back(op("<or"));
  for (int bit = 0; bit < kTypeBits; ++bit) {
    if (!(mask & (1 << bit))) continue;
    out.push_back(ResBuf::ofString(kFilterType, kTypeNames[static_cast<size_t>(bit)]));
    if (bit == kTextBit) out.push_back(ResBuf::ofString(kFilterType, "MTEXT"));
  }
  out.push_back(op("or>"));
}

void appendLayerPart(const std::vector<std::string>& names, ResBufList& out) {
  if (names.front() == kNoLayer) {
    out.push_back(op("<not"));
    out.push_back(ResBuf::ofString(kFilterLayer, kNoLayer));
    out.push_back(op("not>"));
    return;
  }
  out.push_back(op("<or"));
  for (const std::string& name : names) out.push_back(ResBuf::ofString(kFilterLayer, name));
  out.push_back(op("or>"));
}

// The type index accept tests: the entity's kind for the kinds it knows
// (bit numbers of the mask, 17 for multi-line text), else -1.
int typeIndex(const EntityRecord& record) {
  EntityKind kind = recordKind(record);
  switch (kind) {
    case kKindPolyline:
    case kKindPoint:
    case kKindLine:
    case kKindArc:
    case kKindCircle:
    case kKindText:
    case kKindMText:
    case kKindDimension:
    case kKindSolid3d:
      return kind;
    default:
      return -1;
  }
}

}  // namespace

int effectiveMask(Host& host, int mask) {
  if ((mask & kLowBits) != kMaskFromDrawing) return mask & kLowBits;
  int stored = drawingVar(host, kSelMaskVar);
  if (stored >= kSelMaskLimit) stored = 0;
  return ~stored & kLowBits;
}

bool layerLimitOn(Host& host) { return (drawingVar(host, kSnapFlagVar) & kSnapFlagLayerLimit) != 0; }

bool selectableLayerNames(Host& host, std::vector<std::string>& out) {
  ResBufList chain;
  if (host.dictExists(kSelMaskDict) != RTNORM ||
      host.dictGetXRecord(kSelMaskDict, kSelMaskLayerKey, chain) != RTNORM) {
    return false;
  }
  out.clear();
  for (const ResBuf& item : chain) {
    if (item.isString()) out.push_back(item.asString());
  }
  return true;
}

bool buildFilter(Host& host, int mask, int color, int linetypeId, ResBufList& out) {
  out.clear();
  int m = effectiveMask(host, mask);
  bool layerLimit = layerLimitOn(host);
  bool colorLimit = color != kNoColorLimit;
  bool linetypeLimit = linetypeId != 0 && linetypeId != kNoLinetypeLimit;
  if (m == kLowBits && !colorLimit && !linetypeLimit && !layerLimit) return false;
  std::vector<std::string> names;
  if (selectableLayerNames(host, names) && !names.empty() && names.front() == kAllLayers) names.clear();
  bool typePart = m < kLowBits && !(m & kMaskTestPerEntity);
  bool layerPart = layerLimit && !names.empty();
  if (typePart && layerPart) out.push_back(op("<and"));
  if (typePart) appendTypePart(m, out);
  if (layerPart) appendLayerPart(names, out);
  if (typePart && layerPart) out.push_back(op("and>"));
  return true;
}

int accept(Host& host, const EntityName& entity, int mask, int color, const std::string& linetypeName) {
  EntityRecord record;
  if (host.acdbEntGet(entity, record) != RTNORM) return 0;
  LayerRecord layer;
  bool haveLayer = findLayerByName(host, record.layer, layer);
  int type = typeIndex(record);
  if (haveLayer && layer.off) return 0;
  if (color != kNoColorLimit) {
    bool byLayerMatch = record.color == kColorByLayer && haveLayer && layer.color == color;
    if (record.color != color && !byLayerMatch) return 0;
  }
  if (!linetypeName.empty()) {
    std::string linetype = record.linetype;
    if (sameTableName(linetype, "BYLAYER")) linetype = haveLayer ? layer.linetype : std::string();
    if (linetype != linetypeName) return 0;
  }
  // The drawing's mask is resolved first, so that a SELMASK that leaves
  // the per-entity bit selectable still limits the types.
  int m = effectiveMask(host, mask);
  if (m != kLowBits && (m & kMaskTestPerEntity)) {
    if (type < 0 || type > kLastTypeTested || !(m & (1 << type))) return 0;
  }
  return 1;
}

int layerSelectable(Host& host, const EntityName& entity) {
  EntityRecord record;
  if (host.acdbEntGet(entity, record) != RTNORM) return 0;
  LayerRecord layer;
  bool haveLayer = findLayerByName(host, record.layer, layer);
  if (haveLayer && layer.off) return 0;
  const std::string& layerName = haveLayer ? layer.name : record.layer;
  std::vector<std::string> names;
  if (!layerLimitOn(host) || !selectableLayerNames(host, names) || names.empty() ||
      names.front() == kAllLayers) {
    return 1;
  }
  if (names.front() == kNoLayer) return 0;
  for (const std::string& name : names) {
    if (name == layerName) return 1;
  }
  return 0;
}

}  // namespace optgrind
