// The note-table text height step: before the tool table is drawn the user
// settles its text height (the drawing's text size, a typed height, or one
// taken from a text, a dimension or a drawing frame) and may first change
// the note text's scale ratio and colour kept in "mis_set.set".
#pragma once

#include "host/host.h"

namespace optgrind {

// The proposal when the drawing's text size is 0, and a frame's scale factor.
constexpr double kDefaultNoteHeight = 2.5;
// The pick slot of the question.
constexpr int kNoteHeightSlot = 7;

// Runs the step; TEXTSIZE is h afterwards and "mis_set.set" is saved.
double noteTextHeight(Host& host);

}  // namespace optgrind
