// The definition of one grinding path, from the origin prompt to the
// stored path and its NC output, and its steps.
#pragma once

#include "host/host.h"

namespace optgrind {

// Results of the steps: go on, or the definition ends here.
constexpr int kStepDone = 1;
constexpr int kStepEnded = 0;

// The whole definition. kStepDone when the path was stored, checked and
// handed to NC output.
int runPathDefinition(Host& host);

// Command echo off, working state reset, the origin asked for, every
// entity moved from it to (0,0) and the view kept on the same geometry.
int prepareDrawing(Host& host);
// The start pick, the profile as one polyline, the direction question and
// the break at the start point.
int takeStartPoint(Host& host);
// The lead-in, the leader and the colour of the whole path.
int addEntryMoves(Host& host);
// The tool-up and tool-down prompts with their pieces and extra elements.
int takeToolPoints(Host& host);

// Deletes the circle and cross that mark a reversed start, when there are.
void deleteDirectionMarkers(Host& host);

}  // namespace optgrind
