// The drawing's selection settings (selectable types, layer limit, layer
// list), the host filter built from them, and the same rules applied to
// one entity.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

// Mask argument: the low 16 bits are the selectable types (bit order of
// the type table); this value takes the drawing's SELMASK setting.
constexpr int kMaskFromDrawing = 0xFFFF;
// Within the effective mask: test types entity by entity, not in the filter.
constexpr int kMaskTestPerEntity = 0x2000;
constexpr int kNoColorLimit = 0xFFFF;
constexpr int kNoLinetypeLimit = 0xFFFF;  // 0 means no limit as well
// SNAPFLAG bit: selection is limited to the listed layers.
constexpr int kSnapFlagLayerLimit = 0x2000;

inline constexpr const char* kSelMaskVar = "SELMASK";
inline constexpr const char* kSnapFlagVar = "SNAPFLAG";
inline constexpr const char* kSelMaskDict = "SELMASK_DICT";
inline constexpr const char* kSelMaskLayerKey = "SELMASK_LAYER";
inline constexpr const char* kAllLayers = "%ALL%";
inline constexpr const char* kNoLayer = "*";

// The types the mask argument makes selectable (16 bits).
int effectiveMask(Host& host, int mask);
// True when the drawing limits selection by layer.
bool layerLimitOn(Host& host);
// The names of "SELMASK_LAYER"; false when the dictionary or the xrecord is missing.
bool selectableLayerNames(Host& host, std::vector<std::string>& out);

// The host filter for the mask, or false when nothing limits the selection.
// A colour or linetype limit alone gives an empty filter: those limits are
// tested entity by entity (accept).
bool buildFilter(Host& host, int mask, int color, int linetypeId, ResBufList& out);

// 1 when the entity passes the layer, colour, linetype and (with bit
// 0x2000 in the effective mask) type tests, else 0. An empty linetype name sets no limit.
int accept(Host& host, const EntityName& entity, int mask, int color, const std::string& linetypeName);
// 1 when the entity's layer is on and allowed by the layer limit.
int layerSelectable(Host& host, const EntityName& entity);

}  // namespace optgrind
