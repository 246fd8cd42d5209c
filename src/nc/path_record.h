// The stored path record: a lightweight polyline whose segments are the
// path's elements in machining order, with tag pairs that mark the tool
// lifts and the path itself.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

inline constexpr const char* kPathTagKey = "OPT_PATH";
inline constexpr const char* kRapidUpKey = "RAPID_UP%d";
inline constexpr const char* kRapidMoveKey = "RAPID_MOVE%d";
inline constexpr const char* kRapidDownKey = "RAPID_DN%d";
inline constexpr const char* kApproachKey = "APPROACH%d";
inline constexpr const char* kOrderNumberKey = "ORDNO";
// The value of every marker tag.
inline constexpr const char* kMarkerValue = " ";

// Adds the three lift tags of every lift start number k (in order: up at k,
// rapid at k + 1, down at k + 2), then "OPT_PATH". 1 when every tag was
// written.
int writePathRecord(Host& host, const EntityRef& path, const std::vector<int>& liftStarts);
// True when the entity carries an "OPT_PATH" tag.
bool isPath(Host& host, const EntityRef& ref);
// True when a tag whose key is the pattern formatted with the element
// number exists on the path.
bool markerOfElement(Host& host, const EntityRef& path, int element, const char* keyPattern);

}  // namespace optgrind
