// Handles of the file read, and the ones the writer gives the same records:
// every link of a kept record goes through this one table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "standalone/dxf/dxf_out.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// A handle's hexadecimal text as a number; 0 (no record) when it is none.
uint64_t parseHandle(std::string_view text);

// Handles of other records (owner, styles, definitions, reactors).
bool isObjectLink(int code);

// "LAYER\nNAME": a table entry's type and its name in upper case, the key
// of KeptObjects::tableRecords.
std::string tableRecordKey(std::string_view type, const std::string& name);

class HandleMap {
 public:
  // The first record written for a handle of the file keeps it.
  void add(uint64_t fileHandle, unsigned long written);
  // The handle written for it, 0 when the saved file does not hold it.
  unsigned long find(uint64_t fileHandle) const;
  unsigned long find(std::string_view fileHandle) const { return find(parseHandle(fileHandle)); }

 private:
  std::unordered_map<uint64_t, unsigned long> map_;
};

// Writes groups of a kept record with every link mapped. A link to nothing
// the saved file holds is left out with what belongs to it: the entry name
// before a dictionary entry, the sort handle after a draw-order entry, a
// 102 group left empty.
void writeLinkedGroups(DxfOut& out, const KeptGroup* first, const KeptGroup* last, const HandleMap& links);

// One kept record (from its 0 group to the next) with its handle and owner
// replaced by `self` and `owner` and its other links mapped.
void writeKeptRecord(DxfOut& out, const KeptGroup* first, const KeptGroup* last, unsigned long self,
                     unsigned long owner, const HandleMap& links);

}  // namespace optgrind::standalone
