#include "standalone/model/drawing_history.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace optgrind::standalone {

HistoryHandle::HistoryHandle() = default;
HistoryHandle::HistoryHandle(const HistoryHandle&) {}
HistoryHandle::HistoryHandle(HistoryHandle&&) noexcept = default;
HistoryHandle& HistoryHandle::operator=(const HistoryHandle& other) {
  if (this != &other) history_.reset();
  return *this;
}
HistoryHandle& HistoryHandle::operator=(HistoryHandle&&) noexcept = default;
HistoryHandle::~HistoryHandle() = default;

UndoHistory& HistoryHandle::made() {
  if (!history_) history_ = std::make_unique<UndoHistory>();
  return *history_;
}

namespace {

// A rough size of each header variable kept: the map node, its name and value.
constexpr size_t kHeaderEntryBytes = 128;

UndoHistory* recordingHistory(Drawing& d) {
  UndoHistory* h = d.history.get();
  return h && h->depth > 0 ? h : nullptr;
}

size_t resBufBytes(const ResBufList& list) {
  size_t n = list.capacity() * sizeof(ResBuf);
  for (const ResBuf& r : list) n += r.isString() ? std::get<std::string>(r.value).capacity() : 0;
  return n;
}

// The memory an entity record holds, near enough for the history's cap:
// new geometry kinds are counted by their record size.
size_t recordBytes(const EntityRecord& r) {
  size_t n = sizeof(EntityRecord) + r.layer.capacity() + r.linetype.capacity() + resBufBytes(r.xdata);
  n += visitGeom(
      [](const auto& g) {
        size_t bytes = sizeof(g);
        if constexpr (requires { g.vertices.capacity(); })
          bytes += g.vertices.capacity() * sizeof(g.vertices[0]);
        if constexpr (requires { g.loops; }) {
          for (const auto& loop : g.loops)
            bytes += sizeof(loop) + loop.vertices.capacity() * sizeof(PolyVertex);
        }
        if constexpr (requires { g.data; }) {
          for (const auto& line : g.data) bytes += sizeof(line) + line.capacity();
        }
        return bytes;
      },
      r.geom);
  return n;
}

size_t entityBytes(const DrawingEntity& e) { return recordBytes(e.record) + e.xdata.heapBytes(); }

size_t restBytes(const Drawing& rest) {
  size_t n = sizeof(Drawing) + rest.layerTable.size() * sizeof(LayerRecord) +
             rest.linetypeTable.size() * sizeof(LinetypeRecord) +
             rest.textStyleTable.size() * sizeof(TextStyleRecord) + rest.appIds.size() * sizeof(std::string);
  for (const BlockDef& b : rest.blocks) {
    n += sizeof(BlockDef);
    for (const EntityRecord& r : b.entities) n += recordBytes(r);
    for (const KeptEntity& k : b.keptEntities) n += sizeof(KeptEntity) + k.groups.size() * sizeof(KeptGroup);
  }
  for (const KeptEntity& k : rest.keptEntities) n += sizeof(KeptEntity) + k.groups.size() * sizeof(KeptGroup);
  for (const Dictionary& dict : rest.dictionaries) {
    n += sizeof(Dictionary);
    for (const auto& [key, data] : dict.xrecords) n += key.capacity() + resBufBytes(data);
  }
  return n;
}

size_t stepBytes(const UndoStep& s) {
  size_t n = sizeof(UndoStep) + s.command.capacity();
  for (const SlotImage& image : s.slots) n += sizeof(image.slot) + entityBytes(image.entity);
  for (const auto& run : s.erasedRuns) n += sizeof(run) + run.capacity() * sizeof(run[0]);
  for (const DrawingEntity& e : s.appended) n += entityBytes(e);
  if (s.header) n += s.header->size() * kHeaderEntryBytes;
  if (s.rest) n += restBytes(*s.rest);
  return n;
}

// The drawing without its entities and header: what noteTablesEdit keeps.
std::unique_ptr<Drawing> restOf(Drawing& d) {
  // Moved aside, not copied; a moved vector keeps its buffer, so pointers
  // to entities held by the caller stay good.
  std::vector<DrawingEntity> entities = std::move(d.entities);
  std::vector<uint32_t> slots = std::move(d.slotOfId);
  std::map<std::string, ResBuf> header = std::move(d.header);
  auto rest = std::make_unique<Drawing>(d);
  d.entities = std::move(entities);
  d.slotOfId = std::move(slots);
  d.header = std::move(header);
  return rest;
}

// Swaps the drawing's tables, blocks and dictionaries with those kept. What
// names things for good stays: entity and table ids go on counting, so an
// id handed out once is never handed out again.
void swapRest(Drawing& d, Drawing& kept) {
  std::swap(d, kept);
  std::swap(d.entities, kept.entities);
  std::swap(d.slotOfId, kept.slotOfId);
  std::swap(d.header, kept.header);
  std::swap(d.nextEntityId, kept.nextEntityId);
  std::swap(d.nextTableId, kept.nextTableId);
  std::swap(d.serial, kept.serial);
  std::swap(d.path, kept.path);
  std::swap(d.history, kept.history);
  std::swap(d.revivals, kept.revivals);
  std::swap(d.erasedRuns, kept.erasedRuns);
}

void swapSlot(Drawing& d, SlotImage& image) {
  std::swap(d.entities[image.slot], image.entity);
  setSlot(d, d.entities[image.slot].id, image.slot);
}

void forgetSlot(Drawing& d, long long id, size_t slot) {
  if (slotOf(d, id) == static_cast<long long>(slot)) d.slotOfId[static_cast<size_t>(id)] = 0;
}

// False when the drawing no longer has the slots the step refers to (it was
// changed outside a recorded command); a step to redo finds the drawing as
// its undoing left it.
bool fits(const Drawing& d, const UndoStep& s, bool toRedo) {
  if (d.entities.size() < s.entityCount || (toRedo && d.entities.size() != s.entityCount)) return false;
  return std::all_of(s.slots.begin(), s.slots.end(),
                     [&](const SlotImage& image) { return image.slot < s.entityCount; }) &&
         std::all_of(s.erasedRuns.begin(), s.erasedRuns.end(),
                     [&](const auto& run) { return run.back() < s.entityCount; });
}

void applyBackward(Drawing& d, UndoStep& s) {
  for (size_t i = s.entityCount; i < d.entities.size(); ++i) forgetSlot(d, d.entities[i].id, i);
  auto own = d.entities.begin() + static_cast<std::ptrdiff_t>(s.entityCount);
  s.appended.assign(std::make_move_iterator(own), std::make_move_iterator(d.entities.end()));
  d.entities.erase(own, d.entities.end());
  for (SlotImage& image : s.slots) swapSlot(d, image);
  // After the images, which hold a slot both erased and changed whole.
  for (const auto& run : s.erasedRuns) {
    for (uint32_t slot : run) d.entities[slot].erased = false;
  }
  if (s.header) std::swap(d.header, *s.header);
  if (s.rest) swapRest(d, *s.rest);
  ++d.revivals;
}

void applyForward(Drawing& d, UndoStep& s) {
  if (s.rest) swapRest(d, *s.rest);
  if (s.header) std::swap(d.header, *s.header);
  for (const auto& run : s.erasedRuns) {
    for (uint32_t slot : run) d.entities[slot].erased = true;
  }
  for (auto it = s.slots.rbegin(); it != s.slots.rend(); ++it) swapSlot(d, *it);
  for (DrawingEntity& e : s.appended) {
    setSlot(d, e.id, d.entities.size());
    d.entities.push_back(std::move(e));
  }
  s.appended.clear();
  ++d.revivals;
}

void clearUndone(UndoHistory& h) {
  for (const UndoStep& s : h.undone) h.bytes -= s.bytes;
  h.undone.clear();
  h.undoneGroups.clear();
}

void forgetAll(UndoHistory& h) {
  clearUndone(h);
  h.done.clear();
  h.bytes = 0;
}

// Moves a step between the lists after it was applied, with its size anew.
template <class To>
void moveStep(UndoHistory& h, UndoStep&& s, To& to) {
  h.bytes -= s.bytes;
  s.bytes = stepBytes(s);
  h.bytes += s.bytes;
  to.push_back(std::move(s));
}

}  // namespace

void beginCommand(Drawing& d, const std::string& name) {
  UndoHistory& h = d.history.made();
  if (h.depth++ > 0) return;
  h.open = UndoStep{};
  h.open.command = name;
  h.open.entityCount = d.entities.size();
  // A fresh set: clearing one that once held a big join's slots would
  // clear all its buckets for each command after.
  h.keptSlots = std::unordered_set<size_t>();
}

void endCommand(Drawing& d) {
  UndoHistory* h = recordingHistory(d);
  if (!h || --h->depth > 0) return;
  UndoStep step = std::move(h->open);
  h->open = UndoStep{};
  h->keptSlots = std::unordered_set<size_t>();
  if (step.header && *step.header == d.header) step.header.reset();
  auto added =
      d.entities.begin() + static_cast<std::ptrdiff_t>(std::min(step.entityCount, d.entities.size()));
  bool addedLive = std::any_of(added, d.entities.end(), [](const DrawingEntity& e) { return !e.erased; });
  if (step.slots.empty() && step.erasedRuns.empty() && !addedLive && !step.header && !step.rest) return;
  clearUndone(*h);
  step.bytes = stepBytes(step);
  h->bytes += step.bytes;
  h->done.push_back(std::move(step));
  h->changed = true;
  while (h->bytes > kUndoHistoryBytes && h->done.size() > 1) {
    h->bytes -= h->done.front().bytes;
    h->done.pop_front();
  }
}

bool commandRunning(const Drawing& d) { return d.history.get() && d.history.get()->depth > 0; }

void noteEntityEdit(Drawing& d, size_t slot) {
  UndoHistory* h = recordingHistory(d);
  if (!h || slot >= h->open.entityCount || slot >= d.entities.size()) return;
  if (!h->keptSlots.insert(slot).second) return;
  SlotImage& image = h->open.slots.emplace_back(SlotImage{slot, d.entities[slot]});
  // A slot erased earlier in the step is kept whole from now on, as it was
  // before the step.
  for (const auto& run : h->open.erasedRuns) {
    if (std::binary_search(run.begin(), run.end(), static_cast<uint32_t>(slot))) image.entity.erased = false;
  }
}

void noteSlotsErased(Drawing& d, std::vector<uint32_t>&& slots) {
  UndoHistory* h = recordingHistory(d);
  if (!h) return;
  // The command's own slots go with it. A slot also kept whole is restored
  // by its image, so it may stay in the run.
  slots.erase(std::lower_bound(slots.begin(), slots.end(), h->open.entityCount), slots.end());
  if (!slots.empty()) h->open.erasedRuns.push_back(std::move(slots));
}

void noteHeaderEdit(Drawing& d) {
  UndoHistory* h = recordingHistory(d);
  if (h && !h->open.header) h->open.header = std::make_unique<std::map<std::string, ResBuf>>(d.header);
}

void noteTablesEdit(Drawing& d) {
  UndoHistory* h = recordingHistory(d);
  if (h && !h->open.rest) h->open.rest = restOf(d);
}

std::vector<std::string> undoCommands(Drawing& d, size_t count) {
  std::vector<std::string> names;
  UndoHistory* h = d.history.get();
  if (!h || h->depth > 0) return names;
  while (names.size() < count && !h->done.empty()) {
    UndoStep s = std::move(h->done.back());
    h->done.pop_back();
    if (!fits(d, s, false)) {
      forgetAll(*h);
      break;
    }
    applyBackward(d, s);
    names.push_back(s.command);
    moveStep(*h, std::move(s), h->undone);
  }
  if (!names.empty()) {
    h->undoneGroups.push_back(names.size());
    h->changed = true;
  }
  return names;
}

std::vector<std::string> redoCommands(Drawing& d) {
  std::vector<std::string> names;
  UndoHistory* h = d.history.get();
  if (!h || h->depth > 0 || h->undoneGroups.empty()) return names;
  size_t group = h->undoneGroups.back();
  h->undoneGroups.pop_back();
  for (size_t i = 0; i < group && !h->undone.empty(); ++i) {
    UndoStep s = std::move(h->undone.back());
    h->undone.pop_back();
    if (!fits(d, s, true)) {
      forgetAll(*h);
      break;
    }
    applyForward(d, s);
    names.push_back(s.command);
    moveStep(*h, std::move(s), h->done);
  }
  h->changed = true;
  return names;
}

size_t undoableCount(const Drawing& d) { return d.history.get() ? d.history.get()->done.size() : 0; }

size_t historyBytes(const Drawing& d) { return d.history.get() ? d.history.get()->bytes : 0; }

bool drawingChanged(const Drawing& d) { return d.history.get() && d.history.get()->changed; }

void markSaved(Drawing& d) {
  if (UndoHistory* h = d.history.get()) h->changed = false;
}

}  // namespace optgrind::standalone
