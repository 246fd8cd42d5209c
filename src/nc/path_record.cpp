#include "nc/path_record.h"

#include <cstdio>

#include "geometry/tags.h"

namespace optgrind {
namespace {

std::string elementKey(const char* pattern, int element) {
  char key[64];
  std::snprintf(key, sizeof key, pattern, element);
  return key;
}

EntityRef wholeOf(const EntityRef& ref) {
  EntityRef whole = ref;
  whole.segment = kWholeEntity;
  whole.tagIndex = kNoTag;
  whole.valid = 1;
  return whole;
}

}  // namespace

int writePathRecord(Host& host, const EntityRef& path, const std::vector<int>& liftStarts) {
  EntityRef whole = wholeOf(path);
  int ok = 1;
  for (int k : liftStarts) {
    if (addTag(host, whole, elementKey(kRapidUpKey, k), kMarkerValue).valid != 1) ok = 0;
    if (addTag(host, whole, elementKey(kRapidMoveKey, k + 1), kMarkerValue).valid != 1) ok = 0;
    if (addTag(host, whole, elementKey(kRapidDownKey, k + 2), kMarkerValue).valid != 1) ok = 0;
  }
  if (addTag(host, whole, kPathTagKey, kMarkerValue).valid != 1) ok = 0;
  return ok;
}

bool isPath(Host& host, const EntityRef& ref) { return findTag(host, wholeOf(ref), kPathTagKey).valid == 1; }

bool markerOfElement(Host& host, const EntityRef& path, int element, const char* keyPattern) {
  return findTag(host, wholeOf(path), elementKey(keyPattern, element)).valid == 1;
}

}  // namespace optgrind
