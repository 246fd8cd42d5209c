// The undo history of a drawing. One step is one command typed at
// "Command:", with everything it did through host commands it ran inside
// (PEDIT and BREAK inside `opt` belong to `opt`); a command that changed
// nothing leaves no step. A step keeps only what its command touched: the
// entity slots it changed as they were, the entities it added, and the
// header or the rest of the drawing (tables, blocks, dictionaries) when it
// changed them, so recording a few edits of a large drawing stays cheap.
// Undoing restores the whole drawing state as it was before the command:
// entities with their extended data, tables and layers, blocks,
// dictionaries and the system variables kept in the drawing's header (the
// file name it was saved to stays, and so do ids handed out).
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// The most memory the history keeps, as estimated from its steps: past it
// the oldest steps are forgotten. The newest step stays even when it alone
// is larger, so that the last command can always be undone.
constexpr size_t kUndoHistoryBytes = size_t{256} << 20;

// An entity slot as the step found it; once the step is undone, as the
// step left it. Applying a step swaps these with the drawing, so one record
// serves for undoing and redoing.
struct SlotImage {
  size_t slot = 0;
  DrawingEntity entity;
};

struct UndoStep {
  std::string command;
  size_t entityCount = 0;                                 // slots before the command; later ones are its own
  std::vector<SlotImage> slots;                           // the earlier slots it changed
  std::vector<std::vector<uint32_t>> erasedRuns;          // earlier live slots it only erased, ascending
  std::vector<DrawingEntity> appended;                    // its own slots, while it is undone
  std::unique_ptr<std::map<std::string, ResBuf>> header;  // when it changed the header
  std::unique_ptr<Drawing> rest;                          // when it changed tables, blocks or dictionaries
  size_t bytes = 0;                                       // estimated memory held
};

struct UndoHistory {
  int depth = 0;                         // commands running; nested ones belong to the outermost
  UndoStep open;                         // the step of the running command
  std::unordered_set<size_t> keptSlots;  // slots the open step keeps already
  std::deque<UndoStep> done;             // oldest first
  std::vector<UndoStep> undone;          // the next to redo last
  std::vector<size_t> undoneGroups;      // steps each U or UNDO undid, the latest last
  size_t bytes = 0;                      // estimated memory of done and undone steps
  bool changed = false;                  // since the drawing was opened or saved
};

// A command begins and ends. A command that ends records its step when it
// changed anything, and a recorded step clears what could be redone.
void beginCommand(Drawing& d, const std::string& name);
void endCommand(Drawing& d);
bool commandRunning(const Drawing& d);

// What is about to change while a command runs; each part is kept once per
// step, before its first change. Outside a command these do nothing.
void noteEntityEdit(Drawing& d, size_t slot);
// Slots of live entities just erased and not otherwise changed, in
// ascending order: kept as their numbers only.
void noteSlotsErased(Drawing& d, std::vector<uint32_t>&& slots);
// The header variables.
void noteHeaderEdit(Drawing& d);
// Everything but the entities and the header: tables, application names,
// blocks, kept entities, dictionaries.
void noteTablesEdit(Drawing& d);

// Undoes up to count steps, the newest first, as one operation that REDO
// reverses; the names of the commands undone in order. Nothing while a
// command runs.
std::vector<std::string> undoCommands(Drawing& d, size_t count);
// Reverses the latest U or UNDO; the names of the commands redone.
std::vector<std::string> redoCommands(Drawing& d);
size_t undoableCount(const Drawing& d);
size_t historyBytes(const Drawing& d);

// A drawing has changed when a step was recorded, undone or redone since it
// was opened or saved.
bool drawingChanged(const Drawing& d);
void markSaved(Drawing& d);

}  // namespace optgrind::standalone
