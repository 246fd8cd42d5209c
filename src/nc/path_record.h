// The stored path record: a lightweight polyline whose segments are the
// grinding path's elements in machining order, and tag pairs in its
// "my_tag" data that mark the special elements. Element numbers count
// from 1 and stand in keys in decimal without leading zeros.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

inline constexpr const char* kPathTagKey = "OPT_PATH";
inline constexpr const char* kRapidUpKey = "RAPID_UP%d";
inline constexpr const char* kRapidMoveKey = "RAPID_MOVE%d";
inline constexpr const char* kRapidDownKey = "RAPID_DN%d";
inline constexpr const char* kApproachKey = "APPROACH%d";
inline constexpr const char* kEndTextKey = "%dEND_TEXT";
inline constexpr const char* kOrderNumberKey = "ORDNO";
// The value of the marker tags.
inline constexpr const char* kMarkerValue = " ";

// The key of a pattern above for element `element`.
std::string elementKey(const char* pattern, int element);

// Adds the three tags of every lift (k, k + 1, k + 2 for each start k, in
// order) and then "OPT_PATH". 1 when every tag was written.
int writePathRecord(Host& host, const EntityRef& path, const std::vector<int>& liftStarts);
// Adds "ORDNO" with the order number. 1 when written.
int writeOrderNumber(Host& host, const EntityRef& path, int orderNumber);

// True when the entity carries "OPT_PATH".
bool isPath(Host& host, const EntityRef& entity);
// True when the path carries the key of pattern for element.
bool markerOfElement(Host& host, const EntityRef& path, int element, const char* pattern);
// The value of the path's "%dEND_TEXT" tag of element; false when none.
bool elementEndText(Host& host, const EntityRef& path, int element, std::string& out);

// Every tag of a path read at once, for the element walk: the first value
// of each key. Keys match as stored, as find tag matches them.
struct PathTags {
  std::unordered_map<std::string, std::string> values;
  int valid = 0;
};
PathTags readPathTags(Host& host, const EntityRef& path);
PathTags pathTagsFromXData(const ResBufList& xdata);
bool hasElementTag(const PathTags& tags, const char* pattern, int element);
// The value of the element's tag, or null when it has none.
const std::string* elementTag(const PathTags& tags, const char* pattern, int element);

// The markers of every element of a path, found by reading each key once.
constexpr unsigned kMarkRapidUp = 1;
constexpr unsigned kMarkRapidDown = 2;
constexpr unsigned kMarkRapidMove = 4;
constexpr unsigned kMarkApproach = 8;
struct ElementMarks {
  std::vector<unsigned char> marks;               // by element number, [0] unused
  std::unordered_map<int, std::string> endTexts;  // by element number
};
// The marks of elements 1 to elementCount; keys of other elements are left out.
ElementMarks elementMarks(const PathTags& tags, int elementCount);

}  // namespace optgrind
