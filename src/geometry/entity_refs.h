// References to drawing entities: whole-entity references, the host's last
// and next entity, existence, and the compaction of a reference list.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// ref as a reference to its whole entity (valid) when it names a segment or
// a tag pair; otherwise ref with valid 0.
EntityRef wholeEntity(const EntityRef& ref);
// The drawing's last entity as a whole-entity reference, or an empty one.
EntityRef lastEntity(Host& host);
// The entity after `after` in drawing order, or an empty reference.
EntityRef nextEntity(Host& host, const EntityName& after);
// True when ref is valid, both halves of its name are positive and the host
// can read the entity.
bool entityExists(Host& host, const EntityRef& ref);

// Keeps the entries whose name halves are both not negative and whose valid
// is exactly 1, in order, at the front; an entry that moves becomes a
// whole-entity reference (its point is not carried). The places behind are
// reset to empty entries. Returns the number kept.
int compact(EntityRefList& list);

}  // namespace optgrind
