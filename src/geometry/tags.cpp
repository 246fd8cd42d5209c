#include "geometry/tags.h"

#include "geometry/entity_data.h"
#include "geometry/tables.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

// The positions in xdata of the section's first item after the
// application name and one behind its last item; false when there is none.
bool tagSection(const ResBufList& xdata, size_t& begin, size_t& end) {
  for (size_t i = 0; i < xdata.size(); ++i) {
    if (xdata[i].code != kXDataApplicationCode || !equalIgnoringCase(xdata[i].asString(), kTagApplication))
      continue;
    begin = i + 1;
    end = begin;
    while (end < xdata.size() && xdata[end].code != kXDataApplicationCode) ++end;
    return true;
  }
  return false;
}

// The positions in xdata of the section's strings.
std::vector<size_t> stringPositions(const ResBufList& xdata) {
  std::vector<size_t> positions;
  size_t begin = 0, end = 0;
  if (!tagSection(xdata, begin, end)) return positions;
  for (size_t i = begin; i < end; ++i) {
    if (xdata[i].code == kXDataStringCode) positions.push_back(i);
  }
  return positions;
}

}  // namespace

bool tagStrings(const ResBufList& xdata, std::vector<std::string>& out) {
  size_t begin = 0, end = 0;
  if (!tagSection(xdata, begin, end)) return false;
  out.clear();
  for (size_t position : stringPositions(xdata)) out.push_back(xdata[position].asString());
  return true;
}

bool readTagPair(const ResBufList& xdata, int index, std::string& key, std::string& value) {
  std::vector<size_t> positions = stringPositions(xdata);
  if (index < 0 || 2 * static_cast<size_t>(index) >= positions.size()) return false;
  size_t k = 2 * static_cast<size_t>(index);
  key = xdata[positions[k]].asString();
  value = k + 1 < positions.size() ? xdata[positions[k + 1]].asString() : std::string();
  return true;
}

bool writeTagPair(ResBufList& xdata, int index, const std::string& key, const std::string& value) {
  std::vector<size_t> positions = stringPositions(xdata);
  if (index < 0 || 2 * static_cast<size_t>(index) >= positions.size()) return false;
  size_t k = 2 * static_cast<size_t>(index);
  xdata[positions[k]] = ResBuf::ofString(kXDataStringCode, key);
  ResBuf cutValue = ResBuf::ofString(kXDataStringCode, utf8Cut(value, kTagValueRoom));
  if (k + 1 < positions.size()) {
    xdata[positions[k + 1]] = cutValue;
  } else {
    xdata.insert(xdata.begin() + static_cast<long>(positions[k] + 1), cutValue);
  }
  return true;
}

bool removeTagPair(ResBufList& xdata, int index) {
  std::vector<size_t> positions = stringPositions(xdata);
  if (index < 0 || 2 * static_cast<size_t>(index) >= positions.size()) return false;
  size_t k = 2 * static_cast<size_t>(index);
  // The value first: erasing it does not move the key.
  if (k + 1 < positions.size()) xdata.erase(xdata.begin() + static_cast<long>(positions[k + 1]));
  xdata.erase(xdata.begin() + static_cast<long>(positions[k]));
  return true;
}

namespace {

// Appends the pairs to the record's section, made when missing; the index
// the first pair takes.
int appendPairs(Host& host, EntityRecord& record, const std::vector<TagPair>& pairs) {
  size_t begin = 0, end = 0;
  int pairsBefore = 0;
  if (!tagSection(record.xdata, begin, end)) {
    // RTERROR here only says that the name is registered already.
    host.acdbRegApp(kTagApplication);
    record.xdata.push_back(ResBuf::ofString(kXDataApplicationCode, kTagApplication));
    end = record.xdata.size();
  } else {
    pairsBefore = static_cast<int>(stringPositions(record.xdata).size() / 2);
  }
  ResBufList added;
  added.reserve(2 * pairs.size());
  for (const TagPair& pair : pairs) {
    added.push_back(ResBuf::ofString(kXDataStringCode, upperAscii(pair.key)));
    added.push_back(ResBuf::ofString(kXDataStringCode, utf8Cut(pair.value, kTagValueRoom)));
  }
  record.xdata.insert(record.xdata.begin() + static_cast<long>(end), added.begin(), added.end());
  return pairsBefore;
}

}  // namespace

EntityRef addTag(Host& host, const EntityRef& ref, const std::string& key, const std::string& value) {
  EntityRef result = ref;
  result.valid = 0;
  LayerUnlock unlock(host);
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return result;
  int index = appendPairs(host, record, {TagPair{key, value}});
  if (host.acdbEntMod(ref.name, record) != RTNORM) return result;
  result.kind = kKindTag;
  result.tagIndex = index;
  result.valid = 1;
  return result;
}

int addTags(Host& host, const EntityRef& ref, const std::vector<TagPair>& pairs) {
  {
    LayerUnlock unlock(host);
    EntityRecord record;
    if (host.acdbEntGet(ref.name, record) != RTNORM) return 0;
    appendPairs(host, record, pairs);
    if (host.acdbEntMod(ref.name, record) == RTNORM) return 1;
  }
  // Refused as a whole: pair by pair, so that those the host takes are kept.
  int ok = 1;
  for (const TagPair& pair : pairs) {
    if (!addTag(host, ref, pair.key, pair.value).valid) ok = 0;
  }
  return ok;
}

EntityRef findTag(Host& host, const EntityRef& ref, const std::string& key) {
  EntityRef result = ref;
  result.valid = 0;
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return result;
  std::vector<std::string> strings;
  if (!tagStrings(record.xdata, strings)) return result;
  std::string wanted = upperAscii(key);
  int pairs = static_cast<int>((strings.size() + 1) / 2);
  for (int i = 0; i < pairs && i < kMaxTagPairsSearched; ++i) {
    if (i <= ref.tagIndex) continue;
    if (strings[2 * static_cast<size_t>(i)] == wanted) {
      result.kind = kKindTag;
      result.tagIndex = i;
      result.valid = 1;
      return result;
    }
  }
  return result;
}

}  // namespace optgrind
