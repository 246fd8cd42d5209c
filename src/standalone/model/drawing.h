// The standalone host's drawing: entities in drawing order, tables, blocks,
// the named-object dictionary and the header variables kept in a file.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/host_types.h"
#include "host/utf8.h"  // names compare with equalIgnoringCase
#include "standalone/model/packed_xdata.h"

namespace optgrind::standalone {

// A group of a record as the file gave it.
struct KeptGroup {
  int code = 0;
  std::string value;
};

// What a modelled entity carried beyond the model (line weight, true colour,
// transparency, other applications' groups), written back around the
// groups the model writes: the head's before the common part, the common
// part's after layer and colour, the body's after the geometry.
struct ExtraGroups {
  std::vector<KeptGroup> groups;  // head, then common part, then body
  uint32_t commonFrom = 0;
  uint32_t bodyFrom = 0;
  int colorWhenRead = kColorByLayer;  // a true colour holds only while this colour stays
  uint64_t fileHandle = 0;            // its handle in the file, when a kept record names it; 0 for none
};

// An entity of model space. Its id is its entity name's first half and never
// changes or comes back while the drawing lives; an erased entity keeps its
// slot so that names stay stable. Its extended data is kept packed beside
// the record, whose own xdata stays empty: entityRecord() gives the whole
// entity and storeRecord() takes one.
struct DrawingEntity {
  long long id = 0;
  bool erased = false;
  uint32_t extra = 0;  // its groups beyond the model: index + 1 in Drawing::extraGroups, 0 for none
  PackedXdata xdata;
  EntityRecord record;
};

// The entity as the host hands it out: the record with its extended data.
EntityRecord entityRecord(const DrawingEntity& e);
// Takes a record as the entity's new state, its extended data packed.
void storeRecord(DrawingEntity& e, EntityRecord record);

// An entity the drawing does not model kept as the groups it came with (its
// vertices, attributes and SEQEND included) and written back as it came,
// with a new handle and owner, before the modelled entity of slot
// `position` of its list (after all of them when there is none).
struct KeptEntity {
  std::vector<KeptGroup> groups;
  std::size_t position = 0;
};

struct BlockDef {
  std::string name;
  Point3 base;
  int flags = 0;
  std::string layer = "0";
  std::vector<EntityRecord> entities;
  std::vector<uint32_t> entityExtras;  // like DrawingEntity::extra, by index in entities; may be shorter
  std::vector<KeptEntity> keptEntities;
};

// A paper-space layout: its tab name, its block ("*Paper_Space" for the
// active one, "*Paper_Space0"... for the others), its LAYOUT object as it
// came (plot settings; empty: written afresh) and its entities.
struct PaperLayout {
  std::string name;
  std::string blockName;
  std::vector<KeptGroup> layoutGroups;
  std::vector<KeptEntity> entities;
};

// A dictionary of the named-object dictionary, with its xrecords in the
// order they were added.
struct Dictionary {
  std::string name;
  std::vector<std::pair<std::string, ResBufList>> xrecords;
};

// A block record of the file, by its block's name: what kept records name
// it by, and its extension dictionary (draw order), both handles.
struct FileBlockRecord {
  std::string block;
  uint64_t handle = 0;
  uint64_t xdictionary = 0;
};

// The OBJECTS section's records the drawing does not model (groups, image
// definitions, draw-order tables...), kept as they came, and the handles of
// the file that they and the kept entities name. The writer gives every
// record a new handle and maps every link through one table.
struct KeptObjects {
  std::vector<KeptEntity> records;  // file order, one record each
  // Entries of the named-object dictionary that name one of them.
  std::vector<std::pair<std::string, uint64_t>> rootEntries;
  uint64_t root = 0;  // the named-object dictionary
  std::vector<FileBlockRecord> blockRecords;
  // Handles of the table entries (layers, styles...), by type and name
  // (tableRecordKey() of the DXF layer).
  std::unordered_map<std::string, uint64_t> tableRecords;
};

struct UndoHistory;  // drawing_history.h

// Holds a drawing's undo history, made when the first command is recorded.
// A copy of a drawing is another drawing: it starts without a history.
class HistoryHandle {
 public:
  HistoryHandle();
  HistoryHandle(const HistoryHandle&);
  HistoryHandle(HistoryHandle&&) noexcept;
  HistoryHandle& operator=(const HistoryHandle&);
  HistoryHandle& operator=(HistoryHandle&&) noexcept;
  ~HistoryHandle();
  UndoHistory* get() const { return history_.get(); }
  UndoHistory& made();

 private:
  std::unique_ptr<UndoHistory> history_;
};

// Runs of erased slots that walks of the live entities pass over whole: a
// drawing that has been joined, or has drawn and erased its markers, holds
// thousands of erased slots that every pick would otherwise visit. Found
// by a walk and kept true without help from appends and erasures, which
// never make an erased slot live; undo and redo, which can, count a
// revival and so drop them.
struct ErasedRuns {
  std::vector<std::pair<uint32_t, uint32_t>> runs;  // [first, end) slots, ascending
  size_t covered = 0;                               // the slots they were looked for in
  uint64_t revivals = 0;                            // the drawing's count when they were found
  bool stale = true;
};

struct Drawing {
  std::vector<DrawingEntity> entities;    // drawing order
  std::vector<KeptEntity> keptEntities;   // model space, in place among the entities
  std::vector<PaperLayout> paperLayouts;  // tab order
  // Groups beyond the model of the entities that came with some, as read
  // (never changed, so copies of an entity may share them).
  std::vector<ExtraGroups> extraGroups;
  // Where each id stands in entities: index + 1 by id, 0 for none. Ids are
  // handed out in sequence, so a plain vector is the smallest map.
  std::vector<uint32_t> slotOfId;
  long long nextEntityId = 1;
  long long serial = 1;  // the entity names' second half

  std::vector<LayerRecord> layerTable;  // table order
  std::vector<LinetypeRecord> linetypeTable;
  std::vector<TextStyleRecord> textStyleTable;
  std::vector<std::string> appIds;  // registered application names
  std::vector<BlockDef> blocks;
  std::vector<Dictionary> dictionaries;  // entries of the named-object dictionary
  KeptObjects keptObjects;
  int nextTableId = 1;

  // Header variables kept in the file, by name with its "$" ("$INSUNITS").
  // The ResBuf code is the DXF group code of the value (a point uses 10).
  std::map<std::string, ResBuf> header;

  std::string path;  // the file it was opened from or last saved to
  HistoryHandle history;

  uint64_t revivals = 0;  // counted by undo and redo
  mutable ErasedRuns erasedRuns;
};

// The groups beyond the model that `extra` names, or null.
const ExtraGroups* extraGroupsOf(const Drawing& d, uint32_t extra);

// The name of the active paper-space layout's block.
inline constexpr const char* kActivePaperBlock = "*Paper_Space";

// The index in entities of the entity of that id, erased or not; -1 when
// the id was never handed out.
long long slotOf(const Drawing& d, long long id);
void setSlot(Drawing& d, long long id, size_t slot);

// A new drawing: layer "0", the linetypes ByBlock, ByLayer and Continuous,
// the text style Standard, the application ACAD, millimetre units.
Drawing newDrawing();

// Appends an entity as the last; returns its id.
long long appendEntity(Drawing& d, const EntityRecord& record);
long long appendEntity(Drawing& d, EntityRecord&& record);
// The live entity of that id, or null. The writable form is for changing
// it: the command being recorded keeps the entity as it was for UNDO, so
// code that only reads takes the const form.
DrawingEntity* findEntity(Drawing& d, long long id);
const DrawingEntity* findEntity(const Drawing& d, long long id);
// Marks the entity erased; false when there is no live entity of that id.
bool eraseEntity(Drawing& d, long long id);
// Marks the entities of these slots erased, slots in ascending order; the
// undo history keeps only which slots they were.
void eraseSlots(Drawing& d, std::vector<uint32_t> slots);
// Live entities counted.
size_t liveEntityCount(const Drawing& d);

// The runs of erased slots, brought up to date for a walk.
const ErasedRuns& erasedRunsFor(const Drawing& d);
// Erased slots a walk met outside the runs: past kStrayLimit the runs are
// found again before the next walk.
constexpr size_t kStrayLimit = 256;
void noteStrays(const Drawing& d, size_t strays);

// Calls visit(e) for each live entity, in drawing order.
template <class Visit>
void forEachLiveEntity(const Drawing& d, Visit&& visit) {
  const ErasedRuns& skip = erasedRunsFor(d);
  size_t strays = 0, next = 0;
  for (size_t slot = 0; slot < d.entities.size();) {
    if (next < skip.runs.size() && skip.runs[next].first == slot) {
      slot = skip.runs[next++].second;
      continue;
    }
    const DrawingEntity& e = d.entities[slot++];
    if (e.erased) {
      ++strays;
      continue;
    }
    visit(e);
  }
  noteStrays(d, strays);
}

LayerRecord* findLayer(Drawing& d, const std::string& name);  // names without case
const LayerRecord* findLayer(const Drawing& d, const std::string& name);
// True when the entities of that layer are shown: the layer is neither off
// nor frozen (a layer missing from the table counts as shown).
bool layerShown(const Drawing& d, const std::string& name);
// A name the host accepts for a table record or an application: 1 to 255
// characters, none of < > / \ " : ; ? * | , = `
bool validTableName(const std::string& name);
LayerRecord* findLayerById(Drawing& d, int id);
// Adds the layer when no layer of that name exists; returns the table's record.
LayerRecord& ensureLayer(Drawing& d, const std::string& name);
LinetypeRecord* findLinetype(Drawing& d, const std::string& name);
LinetypeRecord& ensureLinetype(Drawing& d, const std::string& name);
TextStyleRecord* findTextStyle(Drawing& d, const std::string& name);
BlockDef* findBlock(Drawing& d, const std::string& name);
const BlockDef* findBlock(const Drawing& d, const std::string& name);
Dictionary* findDictionary(Drawing& d, const std::string& name);
void registerApp(Drawing& d, const std::string& name);

}  // namespace optgrind::standalone
