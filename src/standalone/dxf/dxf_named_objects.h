// The OBJECTS section as the drawing keeps it: the dictionaries named in the
// named-object dictionary and the xrecords they hold.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "standalone/dxf/dxf_raw_record.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

class NamedObjectCollector {
 public:
  // Takes a DICTIONARY or XRECORD record of the OBJECTS section.
  void addDictionary(const RawRecord& record);
  void addXrecord(const RawRecord& record);

  // The dictionaries named in the first (root) dictionary, with their
  // xrecords; the host's own dictionaries (ACAD_*, AcDb*) are left out,
  // the writer makes those afresh.
  std::vector<Dictionary> dictionaries() const;

  // Handles of the records the drawing models or the writer makes afresh:
  // the root, ACAD_LAYOUT, the dictionaries above and their xrecords.
  std::vector<std::string> modelledHandles() const;
  const std::string& rootHandle() const { return rootHandle_; }
  // The root's entries, name and handle.
  std::vector<std::pair<std::string, std::string>> rootEntries() const;

 private:
  using Entries = std::vector<std::pair<std::string, std::string>>;  // name, handle
  bool modelled(const std::string& name, const Entries& entries) const;
  std::string rootHandle_;
  std::unordered_map<std::string, Entries> dictionaries_;
  std::unordered_map<std::string, ResBufList> xrecords_;
};

// Names of the dictionaries the writer makes itself.
bool isHostDictionaryName(const std::string& name);

}  // namespace optgrind::standalone
