// Lists of entity references: inserting, joining lists, erasing what they
// name, selection sets made from them, and their extents.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// insert's position that appends behind the kept entries.
constexpr int kAppendPosition = -999;

// Erases what ref names: a reference of kind 11 its tag pair, any other
// the entity. ref then becomes an empty entry. 1 when something was
// erased, 0 when nothing was (ref is then left as it was when the entity
// cannot be read).
int erase(Host& host, EntityRef& ref);
// Compacts the list, erases every listed entity and gives the list up
// (it is empty afterwards). Returns the number of entities erased.
int eraseAll(Host& host, EntityRefList& list);

// The compacted list with ref placed at position (kAppendPosition or at
// least the count: behind the others; negative: at the front). Unchanged
// when ref names no existing entity or its entity is listed already (as
// any segment or tag pair).
EntityRefList insert(Host& host, EntityRefList list, const EntityRef& ref, int position);
// The first reference, then each following one for as long as it names an
// existing entity.
EntityRefList listFromReferences(Host& host, const std::vector<EntityRef>& refs);
// Every entity of a, then every entity of b that a does not hold, as
// whole-entity entries.
EntityRefList unionLists(Host& host, const EntityRefList& a, const EntityRefList& b);

// A new selection set holding the entity of every entry whose name halves
// are both positive. RTNORM, or RTERROR when the host could not make it.
int selectionSetFromList(Host& host, const EntityRefList& list, SelectionSet& out);

// The entity's box: start the lower-left, end the upper-right corner;
// invalid when the entity cannot be read.
LineRec extents(Host& host, const EntityRef& ref);
// The box holding the boxes of every listed entity that can be read.
LineRec extents(Host& host, const EntityRefList& list);

}  // namespace optgrind
