// The NC run. In order: the paths (selected in the drawing when the run
// comes from the machine data dialog, else the defined ones), the tool
// row's layer and copies, the NC file's name, the WCF file, the events of
// every path, the return to the start, the finishing pass, the machining
// time in the tool row, the editor.
//
// The NC text goes to a temporary file next to the NC file; only a run
// that completes renames it into place, so a failed or cancelled run
// leaves an older NC file of that name as it was and no partial file.
#include "nc/pw_opt.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "datafiles/data_files.h"
#include "geometry/drawing_vars.h"
#include "geometry/entity_copy.h"
#include "geometry/layers.h"
#include "geometry/pick_prompt.h"
#include "geometry/segment_walk.h"
#include "geometry/selection.h"
#include "geometry/selection_filter.h"
#include "host/file_replace.h"
#include "nc/finishing_pass.h"
#include "nc/nc_editor.h"
#include "nc/nc_messages.h"
#include "nc/nc_name.h"
#include "nc/path_emit.h"
#include "nc/work_time.h"
#include "post/executor.h"
#include "post/keywords.h"
#include "post/program_load.h"
#include "post/settings_scan.h"
#include "settings/mis_set.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

// The pick slot of the path selection prompt.
constexpr int kSelectionPickSlot = 0;
inline constexpr const char* kPartialSelectKeyword = "S";
// A tool row's layer is drawn in this linetype.
inline constexpr const char* kToolRowLinetype = "CONTINUOUS";

int gNcFromDialog = 0;

// The lightweight polyline under a pick, or an empty reference.
EntityRef pickedPolyline(Host& host) {
  const EntityRef& picked = pickSlot(kSelectionPickSlot).ref;
  EntityRecord record;
  if (!picked.valid || host.acdbEntGet(picked.name, record) != RTNORM) return EntityRef{};
  if (record.as<PolylineGeom>() == nullptr) return EntityRef{};
  return wholeEntityRef(picked.name, kKindPolyline);
}

// The selection of the paths in the drawing; none when the user cancelled.
std::optional<EntityRefList> selectPaths(Host& host) {
  for (;;) {
    int answer = pickAndKeyword(host, chooseText(host, kMsgProcessPrompt), kSelectionPickSlot,
                                kPickPointOnEntity, kPartialSelectKeyword);
    switch (answer) {
      case kPickEnter:
        return select(host, kSelectAll, kMaskFromDrawing, kNoColorLimit, 0).value_or(EntityRefList{});
      case kPickKeyword:
        return selectInteractively(host, kMaskFromDrawing, kNoColorLimit, 0);
      case kPickOnEntity: {
        EntityRef polyline = pickedPolyline(host);
        if (polyline.valid) return EntityRefList{polyline};
        break;  // another kind of entity: ask again
      }
      case kPickPoint:
        return windowSelect(host, pickSlot(kSelectionPickSlot).point, kMaskFromDrawing, kNoColorLimit, 0);
      case kPickCancelled:
        return std::nullopt;
      default:
        break;
    }
  }
}

// A path as the run uses it.
struct RunPath {
  EntityRef ref;
  PathGeometry geometry;
  PathTags tags;
};

// The stored paths of the list that have elements, in list order; one
// read of each entity.
std::vector<EntityRef> pathsOf(Host& host, const EntityRefList& list) {
  std::vector<EntityRef> paths;
  for (const EntityRef& entry : list) {
    EntityRecord record;
    if (!entry.valid || host.acdbEntGet(entry.name, record) != RTNORM) continue;
    if (pathTagsFromXData(record.xdata).values.count(kPathTagKey) == 0) continue;
    const PolylineGeom* polyline = record.as<PolylineGeom>();
    if (polyline == nullptr || segmentCount(*polyline) <= 0) {
      printMessage(host, kMsgPathWithoutElements);
      continue;
    }
    paths.push_back(wholeEntityRef(entry.name, kKindPolyline));
  }
  return paths;
}

// The tool row's layer made current and the paths copied onto it. False
// when the layer or a copy could not be made.
bool copyToToolRowLayer(Host& host, int row, const std::vector<EntityRef>& paths) {
  std::string layer = std::to_string(row);
  makeLayer(host, layer, kToolRowLinetype, row, 0, kKeepLineweight);
  if (layerId(host, layer) < 0) return false;
  setDrawingVar(host, kUseEmodeVar, 1);
  EntityRefList list(paths.begin(), paths.end());
  EntityRefList copies = copyAll(host, list);
  if (copies.size() != list.size()) return false;
  for (const EntityRef& copied : copies)
    if (!copied.valid) return false;
  return true;
}

void reportUnwritable(Host& host, const std::string& ncFile) {
  printMessage(host, kMsgCantOpenNc);
  host.acutPrintf("\nnc_name=" + ncFile + " ");
  std::string ignored;
  host.acedGetString(false, chooseText(host, kMsgPressEnterToContinue), ignored);
}

// A new file of a unique name in the NC file's folder, with the permissions
// the NC file has (or a new file gets); null when the folder cannot take one.
std::FILE* openTemporary(const std::string& ncFile, std::string& tempName) {
  std::string dir = directoryOf(ncFile);
  tempName = (dir.empty() ? std::string("./") : dir) + "." + fileNameOf(ncFile) + ".XXXXXX";
  int fd = mkstemp(tempName.data());
  if (fd < 0) return nullptr;
  std::FILE* file = takeOverAttributes(fd, ncFile) ? fdopen(fd, "w") : nullptr;
  if (file == nullptr) {
    close(fd);
    std::remove(tempName.c_str());
  }
  return file;
}

void setToolVariables(const OptSettings& s, const ToolRow* row, MachiningClock& clock) {
  constexpr int kVarA = 1, kVar35 = 35, kVar49 = 49;
  postVariable(kVarA).current = s.Tool_radius;
  postVariable(kVar35).current = 0.0;
  if (row != nullptr) {
    postVariable(kVarAllowance).last = row->Allowance;
    postVariable(kVarFeed).last = row->Feed;
    // A feed of zero would give an endless machining time.
    clock.feedRate = row->Feed > 0.0 ? row->Feed : 1.0;
  }
  postVariable(kVar49).current = 0.0;
}

// Everything from the open NC file to the finished one, through the
// finishing pass. False after a user break; `wrote` false when a write failed.
bool emitProgram(Host& host, const OptSettings& settings, const std::vector<EntityRef>& paths,
                 const ToolRow* row, std::FILE* file, MachiningClock& clock, bool& wrote) {
  FinishingNcSink sink(file);
  setNcSink(&sink);
  if (postState().options.has(WcfOption::DateOut)) {
    LocalDate date = host.platform().localDate();
    char line[48];
    std::snprintf(line, sizeof line, ";(%d.%d.%d)\n", date.year, date.month, date.day);
    sink.write(line);
  }
  runEvent(host, kEvProgramStart);
  runEvent(host, kEvNcName);
  PointRec start;
  size_t count = row != nullptr ? 1 : paths.size();
  bool broken = false;
  for (size_t i = 0; i < count && !broken; ++i) {
    EntityRecord record;
    if (host.acdbEntGet(paths[i].name, record) != RTNORM || record.as<PolylineGeom>() == nullptr) continue;
    PathGeometry geometry = pathGeometryFromPolyline(*record.as<PolylineGeom>());
    PathTags tags = pathTagsFromXData(record.xdata);
    if (i == 0 && !geometry.elements.empty()) start = geometry.elements.front().start;
    ElementMarks marks = elementMarks(tags, static_cast<int>(geometry.elements.size()));
    emitPath(host, geometry, marks, sink, clock);
    broken = host.acedUsrBrk();
  }
  if (!broken) {
    if (settings.Return_start) returnToStart(host, start, clock);
    runEvent(host, kEvProgramEnd);
  }
  setNcSink(nullptr);
  wrote = sink.finish() != 0;
  return !broken;
}

}  // namespace

EntityRefList& definedPaths() {
  static EntityRefList paths;
  return paths;
}

int ncFromDialog() { return gNcFromDialog; }

int runPwOpt(Host& host, int fromDialog) {
  gNcFromDialog = fromDialog;
  OptSettings& settings = optSettings();
  EntityRefList candidates;
  if (fromDialog) {
    std::optional<EntityRefList> selected = selectPaths(host);
    if (!selected) return kPwOptCancelled;
    candidates = std::move(*selected);
  } else {
    candidates = definedPaths();
  }
  std::vector<EntityRef> paths = pathsOf(host, candidates);
  if (paths.empty()) {
    host.messageBox("", chooseText(host, kMsgNoOpticalPath), {"OK"}, BoxIcon::Information);
    return kPwOptNoPath;
  }
  int rowNumber = settings.Sel_row >= 1 && settings.Sel_row <= kToolRowCount ? settings.Sel_row : 0;
  ToolRow* row = rowNumber ? &settings.tools[static_cast<size_t>(rowNumber - 1)] : nullptr;
  if (row != nullptr && !copyToToolRowLayer(host, rowNumber, paths)) {
    printMessage(host, kMsgCopyToRowLayerFailed, rowNumber);
    return kPwOptFailed;
  }
  std::string ncFile;
  if (settleNcFile(host, settings, ncFile) != kNcNameSettled) return kPwOptCancelled;
  if (!wcfSettingsScan(host, settings.pcf_name).valid) return kPwOptFailed;
  wcfProgramLoad(host, settings.pcf_name);
  MachiningClock clock;
  setToolVariables(settings, row, clock);
  setNcFileName(ncFile);
  setCoordSystem(settings.Coord_system);

  // A link to the NC file stays a link: its target is what gets replaced.
  std::string target = resolveLinks(ncFile);
  std::string tempName;
  std::FILE* file = openTemporary(target, tempName);
  if (file == nullptr) {
    reportUnwritable(host, ncFile);
    return kPwOptFailed;
  }
  bool wrote = false;
  bool complete = emitProgram(host, settings, paths, row, file, clock, wrote);
  bool written = std::fclose(file) == 0 && wrote && complete;
  written = written && std::rename(tempName.c_str(), target.c_str()) == 0;
  if (!written) {
    std::remove(tempName.c_str());
    if (complete) reportUnwritable(host, ncFile);
    return complete ? kPwOptFailed : kPwOptCancelled;
  }
  if (row != nullptr) {
    row->Work_time = workTimeText(clock.minutes);
    saveOptSet(host);
  }
  openInNcEditor(host, settings.NC_editor, ncFile);
  return kPwOptWritten;
}

int runPwOptCommand(Host& host) {
  loadMisSet(host);
  loadOptSet(host);
  return runPwOpt(host, gNcFromDialog);
}

}  // namespace optgrind
