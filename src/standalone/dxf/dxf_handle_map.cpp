#include "standalone/dxf/dxf_handle_map.h"

#include <charconv>

#include "host/utf8.h"

namespace optgrind::standalone {
namespace {

constexpr int kHandleCode = 5;
constexpr int kOwnerCode = 330;
constexpr int kAppGroupCode = 102;
constexpr int kEntryNameCode = 3;
constexpr int kXdataHandleCode = 1005;
constexpr int kSortEntityCode = 331;  // a draw-order entry: the entity, then its sort handle (5)

bool opensAppGroup(const KeptGroup& g) {
  return g.code == kAppGroupCode && !g.value.empty() && g.value[0] == '{';
}

bool isDictionaryEntry(int code) { return code == 350 || code == 360; }

}  // namespace

uint64_t parseHandle(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::string tableRecordKey(std::string_view type, const std::string& name) {
  return std::string(type) + "\n" + upperAscii(name);
}

bool isObjectLink(int code) {
  return (code >= 320 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

void HandleMap::add(uint64_t fileHandle, unsigned long written) {
  if (fileHandle != 0) map_.emplace(fileHandle, written);
}

unsigned long HandleMap::find(uint64_t fileHandle) const {
  auto it = map_.find(fileHandle);
  return it == map_.end() ? 0 : it->second;
}

void writeLinkedGroups(DxfOut& out, const KeptGroup* first, const KeptGroup* last, const HandleMap& links) {
  for (const KeptGroup* g = first; g < last; ++g) {
    if (opensAppGroup(*g)) {
      const KeptGroup* close = g + 1;
      while (close < last && close->code != kAppGroupCode) ++close;
      bool opened = false;
      for (const KeptGroup* in = g + 1; in < close; ++in) {
        unsigned long now = isObjectLink(in->code) ? links.find(in->value) : 1;
        if (now == 0) continue;
        if (!opened) out.kept(g->code, g->value);
        opened = true;
        if (isObjectLink(in->code)) {
          out.handle(in->code, now);
        } else {
          out.kept(in->code, in->value);
        }
      }
      if (opened) out.kept(kAppGroupCode, "}");
      g = close < last ? close : last - 1;
      continue;
    }
    const KeptGroup* next = g + 1 < last ? g + 1 : nullptr;
    if (g->code == kEntryNameCode && next && isDictionaryEntry(next->code)) {
      if (unsigned long now = links.find(next->value)) {
        out.kept(g->code, g->value);
        out.handle(next->code, now);
      }
      ++g;
      continue;
    }
    if (g->code == kSortEntityCode && next && next->code == kHandleCode) {
      if (unsigned long now = links.find(g->value)) {
        unsigned long sort = links.find(next->value);
        out.handle(g->code, now);
        out.handle(kHandleCode, sort != 0 ? sort : now);
      }
      ++g;
      continue;
    }
    if (isObjectLink(g->code)) {
      if (unsigned long now = links.find(g->value)) out.handle(g->code, now);
      continue;
    }
    if (g->code == kXdataHandleCode) {
      unsigned long now = links.find(g->value);
      if (now != 0) {
        out.handle(g->code, now);
      } else {
        out.kept(g->code, g->value);
      }
      continue;
    }
    out.kept(g->code, g->value);
  }
}

void writeKeptRecord(DxfOut& out, const KeptGroup* first, const KeptGroup* last, unsigned long self,
                     unsigned long owner, const HandleMap& links) {
  if (first == last) return;
  out.kept(first->code, first->value);
  bool hasHandle = false;
  bool hasOwner = false;
  for (const KeptGroup* g = first + 1; g < last; ++g) {
    hasHandle = hasHandle || g->code == kHandleCode;
    hasOwner = hasOwner || g->code == kOwnerCode;
  }
  if (!hasHandle) out.handle(kHandleCode, self);
  if (!hasOwner) out.handle(kOwnerCode, owner);
  bool handleDone = false;
  bool ownerDone = false;
  const KeptGroup* from = first + 1;
  for (const KeptGroup* g = first + 1; g < last; ++g) {
    if (opensAppGroup(*g)) {
      const KeptGroup* close = g + 1;
      while (close < last && close->code != kAppGroupCode) ++close;
      g = close < last ? close : last - 1;
      continue;
    }
    bool own = (!handleDone && g->code == kHandleCode) || (!ownerDone && g->code == kOwnerCode);
    if (!own) continue;
    writeLinkedGroups(out, from, g, links);
    if (g->code == kHandleCode) {
      out.handle(kHandleCode, self);
      handleDone = true;
    } else {
      out.handle(kOwnerCode, owner);
      ownerDone = true;
    }
    from = g + 1;
  }
  writeLinkedGroups(out, from, last, links);
}

}  // namespace optgrind::standalone
