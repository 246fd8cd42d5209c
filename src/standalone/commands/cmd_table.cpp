// The table of the host's own commands, by the names they are run with.
#include "host/utf8.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {

const std::vector<HostCommandEntry>& hostCommandTable() {
  // U, UNDO and REDO move through the history rather than adding to it.
  constexpr bool kOutsideHistory = false;
  static const std::vector<HostCommandEntry> table = {
      {"LINE", "L", runLine, "Draws lines from point to point."},
      {"ARC", "A", runArc, "Draws an arc through three points, or by its centre."},
      {"CIRCLE", "C", runCircle, "Draws a circle by its centre and radius."},
      {"PLINE", "PL", runPline, "Draws a polyline of line segments."},
      {"ERASE", "E", runErase, "Erases the selected objects."},
      {"MOVE", "M", runMove, "Moves the selected objects by a displacement."},
      {"SELECT", "", runSelect, "Selects objects for the previous selection (P)."},
      {"PEDIT", "PE", runPedit,
       "Turns lines, arcs, splines and ellipses into polylines; closes, opens, joins, reverses."},
      {"ZOOM", "Z", runZoom, "Zooms to a window, the extents or the previous view."},
      {"UCS", "", runUcs, "Only the world coordinate system is available."},
      {"LAYER", "LA", runLayer, "Makes, sets, turns on and off, locks and lists layers."},
      {"OPEN", "", runOpen, "Opens a DXF drawing in place of this one."},
      {"SAVE", "", runSave, "Saves the drawing as a DXF file."},
      {"SAVEAS", "", runSave, "Saves the drawing as a DXF file under a name."},
      {"SVG", "", runSvg, "Writes a picture of the drawing as an SVG file."},
      {"LIST", "LI", runList, "Lists the properties of the selected objects."},
      {"TEXT", "DT", runText, "Writes a line of text."},
      {"HATCH", "H", runHatch, "Fills closed boundaries with a solid hatch."},
      {"U", "", runU, "Undoes the last command.", kOutsideHistory},
      {"UNDO", "", runUndo, "Undoes a number of commands, the last first.", kOutsideHistory},
      {"REDO", "", runRedo, "Brings back what the last U or UNDO undid.", kOutsideHistory},
      {"HELP", "?", runHelp, "Lists the commands."},
      {"QUIT", "EXIT", runQuit, "Ends the session, offering to save changes."},
      {"SETVAR", "", runSetvar, "Shows or sets a numeric system variable."},
  };
  return table;
}

const HostCommandEntry* findHostCommand(const std::string& name) {
  size_t start = name.find_first_not_of("'_.-");
  if (start == std::string::npos) return nullptr;
  std::string key = upperAscii(name.substr(start));
  for (const auto& entry : hostCommandTable()) {
    if (key == entry.name || key == entry.alias) return &entry;
  }
  return nullptr;
}

}  // namespace optgrind::standalone
