#include "nc/path_record.h"

#include <cstdio>
#include <string_view>

#include "geometry/tags.h"

namespace optgrind {

std::string elementKey(const char* pattern, int element) {
  char key[48];
  std::snprintf(key, sizeof key, pattern, element);
  return key;
}

int writePathRecord(Host& host, const EntityRef& path, const std::vector<int>& liftStarts) {
  std::vector<TagPair> pairs;
  pairs.reserve(3 * liftStarts.size() + 1);
  for (int k : liftStarts) {
    for (const auto& [pattern, offset] :
         {std::pair{kRapidUpKey, 0}, {kRapidMoveKey, 1}, {kRapidDownKey, 2}}) {
      pairs.push_back(TagPair{elementKey(pattern, k + offset), kMarkerValue});
    }
  }
  pairs.push_back(TagPair{kPathTagKey, kMarkerValue});
  return addTags(host, path, pairs);
}

int writeOrderNumber(Host& host, const EntityRef& path, int orderNumber) {
  return addTag(host, path, kOrderNumberKey, std::to_string(orderNumber)).valid;
}

bool isPath(Host& host, const EntityRef& entity) {
  EntityRef whole = wholeEntityRef(entity.name);
  return findTag(host, whole, kPathTagKey).valid != 0;
}

bool markerOfElement(Host& host, const EntityRef& path, int element, const char* pattern) {
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

namespace {

// The element number a key names after `prefix` (or before `suffix`): decimal
// without leading zeros, as elementKey writes it; 0 when it names none.
int numberIn(std::string_view digits) {
  constexpr size_t kMostDigits = 9;
  if (digits.empty() || digits.size() > kMostDigits || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

int afterPrefix(std::string_view key, std::string_view prefix) {
  return key.substr(0, prefix.size()) == prefix ? numberIn(key.substr(prefix.size())) : 0;
}

}  // namespace

ElementMarks elementMarks(const PathTags& tags, int elementCount) {
  ElementMarks out;
  out.marks.assign(static_cast<size_t>(elementCount) + 1, 0);
  constexpr std::string_view kEndTextSuffix = "END_TEXT";
  const std::pair<std::string_view, unsigned> prefixes[] = {{"RAPID_UP", kMarkRapidUp},
                                                            {"RAPID_DN", kMarkRapidDown},
                                                            {"RAPID_MOVE", kMarkRapidMove},
                                                            {"APPROACH", kMarkApproach}};
  for (const auto& [key, value] : tags.values) {
    std::string_view k = key;
    for (const auto& [prefix, mark] : prefixes) {
      int element = afterPrefix(k, prefix);
      if (element >= 1 && element <= elementCount) out.marks[static_cast<size_t>(element)] |= mark;
    }
    if (k.size() > kEndTextSuffix.size() && k.substr(k.size() - kEndTextSuffix.size()) == kEndTextSuffix) {
      int element = numberIn(k.substr(0, k.size() - kEndTextSuffix.size()));
      if (element >= 1 && element <= elementCount) out.endTexts.emplace(element, value);
    }
  }
  return out;
}

}  // namespace optgrind
