#include "standalone/dxf/dxf_named_objects.h"

namespace optgrind::standalone {
namespace {

constexpr int kHandleCode = 5;
constexpr int kEntryNameCode = 3;
constexpr int kSoftOwnerCode = 350;
constexpr int kHardOwnerCode = 360;
constexpr int kSubclassCode = 100;
constexpr int kCloningFlagCode = 280;

}  // namespace

bool isHostDictionaryName(const std::string& name) {
  return name.rfind("ACAD_", 0) == 0 || name.rfind("AcDb", 0) == 0;
}

void NamedObjectCollector::addDictionary(const RawRecord& record) {
  std::string handle = record.text(kHandleCode, "");
  if (handle.empty()) return;
  if (rootHandle_.empty()) rootHandle_ = handle;
  Entries entries;
  std::string pendingName;
  for (const RawPair& p : record) {
    if (p.code == kEntryNameCode) {
      pendingName = p.value;
    } else if ((p.code == kSoftOwnerCode || p.code == kHardOwnerCode) && !pendingName.empty()) {
      entries.emplace_back(pendingName, p.value);
      pendingName.clear();
    }
  }
  dictionaries_[handle] = std::move(entries);
}

void NamedObjectCollector::addXrecord(const RawRecord& record) {
  std::string handle = record.text(kHandleCode, "");
  if (handle.empty()) return;
  // The data follow the AcDbXrecord subclass marker and its cloning flag.
  const RawPair* first = record.begin();
  while (first != record.end() && !(first->code == kSubclassCode && first->value == "AcDbXrecord")) ++first;
  if (first == record.end()) return;
  ++first;
  if (first != record.end() && first->code == kCloningFlagCode) ++first;
  xrecords_[handle] = groupsToResBufs(first, record.end());
}

// A dictionary of the drawing's own holds xrecords only; one holding other
// objects is kept as it came with them.
bool NamedObjectCollector::modelled(const std::string& name, const Entries& entries) const {
  if (isHostDictionaryName(name)) return false;
  for (const auto& entry : entries) {
    if (!xrecords_.count(entry.second)) return false;
  }
  return true;
}

std::vector<Dictionary> NamedObjectCollector::dictionaries() const {
  std::vector<Dictionary> out;
  auto root = dictionaries_.find(rootHandle_);
  if (root == dictionaries_.end()) return out;
  for (const auto& [name, handle] : root->second) {
    auto dict = dictionaries_.find(handle);
    if (dict == dictionaries_.end() || !modelled(name, dict->second)) continue;
    Dictionary d;
    d.name = name;
    for (const auto& [xname, xhandle] : dict->second) {
      auto xr = xrecords_.find(xhandle);
      if (xr != xrecords_.end()) d.xrecords.emplace_back(xname, xr->second);
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> NamedObjectCollector::rootEntries() const {
  auto root = dictionaries_.find(rootHandle_);
  return root == dictionaries_.end() ? Entries() : root->second;
}

std::vector<std::string> NamedObjectCollector::modelledHandles() const {
  std::vector<std::string> out;
  auto root = dictionaries_.find(rootHandle_);
  if (root == dictionaries_.end()) return out;
  out.push_back(rootHandle_);
  for (const auto& [name, handle] : root->second) {
    auto dict = dictionaries_.find(handle);
    if (dict == dictionaries_.end()) continue;
    // The writer makes these afresh: the layouts, and the groups when there are none.
    if (name == "ACAD_LAYOUT" || (name == "ACAD_GROUP" && dict->second.empty())) out.push_back(handle);
    if (!modelled(name, dict->second)) continue;
    out.push_back(handle);
    for (const auto& entry : dict->second) {
      if (xrecords_.count(entry.second)) out.push_back(entry.second);
    }
  }
  return out;
}

}  // namespace optgrind::standalone
