#include "nc/path_record.h"

#include <cstdio>

#include "geometry/tags.h"

namespace optgrind {

std::string elementKey(const char* pattern, int element) {
  char key[48];
  std::snprintf(key, sizeof key, pattern, element);
  return key;
}

int writePathRecord(Host& host, const EntityRef& path, const std::vector<int>& liftStarts) {
  int ok = 1;
  for (int k : liftStarts) {
    for (const auto& [pattern, offset] :
         {std::pair{kRapidUpKey, 0}, {kRapidMoveKey, 1}, {kRapidDownKey, 2}}) {
      if (!addTag(host, path, elementKey(pattern, k + offset), kMarkerValue).valid) ok = 0;
    }
  }
  if (!addTag(host, path, kPathMarkerKey, kMarkerValue).valid) ok = 0;
  return ok;
}

int writeOrderNumber(Host& host, const EntityRef& path, int orderNumber) {
  return addTag(host, path, kOrderNumberKey, std::to_string(orderNumber)).valid;
}

bool isPath(Host& host, const EntityRef& entity) {
  EntityRef whole = wholeEntityRef(entity.name);
  return findTag(host, whole, kPathMarkerKey).valid != 0;
}

bool elementMarker(Host& host, const EntityRef& path, int element, const char* pattern) {
  return findTag(host, wholeEntityRef(path.name), elementKey(pattern, element)).valid != 0;
}

bool elementEndText(Host& host, const EntityRef& path, int element, std::string& out) {
  PathTags tags = readPathTags(host, path);
  const std::string* text = elementTag(tags, kEndTextKey, element);
  if (text == nullptr) return false;
  out = *text;
  return true;
}

PathTags pathTagsFromXData(const ResBufList& xdata) {
  PathTags tags;
  std::vector<std::string> strings;
  if (!tagStrings(xdata, strings)) return tags;
  tags.valid = 1;
  for (size_t i = 0; i + 1 <= strings.size(); i += 2) {
    const std::string& key = strings[i];
    std::string value = i + 1 < strings.size() ? strings[i + 1] : std::string();
    tags.values.emplace(key, value);
  }
  return tags;
}

PathTags readPathTags(Host& host, const EntityRef& path) {
  EntityRecord record;
  if (host.acdbEntGet(path.name, record) != RTNORM) return PathTags{};
  return pathTagsFromXData(record.xdata);
}

const std::string* elementTag(const PathTags& tags, const char* pattern, int element) {
  auto it = tags.values.find(elementKey(pattern, element));
  return it == tags.values.end() ? nullptr : &it->second;
}

bool hasElementTag(const PathTags& tags, const char* pattern, int element) {
  return elementTag(tags, pattern, element) != nullptr;
}

}  // namespace optgrind
