// Selecting entities through the drawing's selection settings and turning
// the selection into a reference list.
#pragma once

#include <optional>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// select's modes other than the user's own selection.
constexpr int kSelectPrevious = -1;
constexpr int kSelectAll = -2;
// pick at point takes any candidate whole with either of these masks.
constexpr int kPickAnyMask = 0xFFFF;
constexpr int kPickAnyMaskWide = 0xFFFFF;

// 1 when the last interactive selection was cancelled, else 0.
int selectionCancelled();

// The accepted entities of the set as whole-entity entries, from the last
// of the set to the first; empty unless status is RTNORM. linetypeId 0 or
// 0xFFFF sets no linetype limit.
EntityRefList listFromSelection(Host& host, const SelectionSet& set, int status, int mask, int color,
                                int linetypeId);
// kSelectPrevious: the host's previous set; kSelectAll: every entity; any
// other mode: the user selects. None when the host reports no success.
std::optional<EntityRefList> select(Host& host, int mode, int mask, int color, int linetypeId);
// The user selects with the host's prompts; none (and the cancelled flag
// set) when the user cancels.
std::optional<EntityRefList> selectInteractively(Host& host, int mask, int color, int linetypeId);
// The host asks for the opposite corner; a window to the right selects what
// lies inside, to the left what crosses; the user may then go on selecting
// with the host's "select" command.
EntityRefList windowSelect(Host& host, const PointRec& firstCorner, int mask, int color, int linetypeId);

// The entity under the pick box at p, cycling through the candidates with
// USERI4; empty (with point p) when nothing fits the mask.
EntityRef pickAtPoint(Host& host, const PointRec& p, int mask);

}  // namespace optgrind
