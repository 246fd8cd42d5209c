// OPEN, SAVE, SVG and QUIT: the drawing as a DXF file, its picture, and the
// question whether to save changes before the drawing goes.
#include <filesystem>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/dxf/dxf_io.h"
#include "standalone/model/drawing_history.h"
#include "standalone/svg/svg_writer.h"

namespace optgrind::standalone {
namespace {

// A file name as typed: blanks around it and enclosing quotes go.
std::string fileNameAnswer(std::string name) {
  size_t b = name.find_first_not_of(" \t");
  size_t e = name.find_last_not_of(" \t");
  name = b == std::string::npos ? "" : name.substr(b, e - b + 1);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  return name;
}

// The file name answered, or `fallback` for Enter. RTNONE when both are empty.
int askFileName(Answers& in, const std::string& prompt, const std::string& fallback, std::string& out) {
  std::string typed;
  int rc = in.text(prompt, typed);
  if (rc != RTNORM && rc != RTNONE) return rc;
  out = rc == RTNORM ? fileNameAnswer(typed) : "";
  if (out.empty()) out = fallback;
  return out.empty() ? RTNONE : RTNORM;
}

// The name a drawing that was never saved goes by.
const char* const kUnnamedDrawing = "Drawing1.dxf";

int saveTo(Session& session, Answers& in, const std::string& path) {
  Outcome result = saveDxf(session.drawing, path);
  if (!result.ok) {
    in.message("Cannot save \"" + path + "\": " + result.where() + "\n");
    return RTERROR;
  }
  session.drawing.path = path;
  markSaved(session.drawing);
  in.message("Saved \"" + path + "\".\n");
  return RTNORM;
}

std::string defaultSvgName(const Drawing& d) {
  if (d.path.empty()) return "Drawing1.svg";
  return std::filesystem::path(d.path).replace_extension(".svg").string();
}

}  // namespace

int runOpen(Session& session, Answers& in) {
  std::string path;
  int rc = askFileName(in, "Enter name of drawing to open: ", "", path);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  Drawing loaded = newDrawing();
  Outcome result = loadDxf(path, loaded);
  if (!result.ok) {
    in.message("Cannot open \"" + path + "\": " + result.where() + "\n");
    return RTERROR;
  }
  loaded.path = path;
  rc = offerToSave(session, in);
  if (rc != RTNORM) return rc;
  session.setDrawing(std::move(loaded));
  in.message("Opened \"" + path + "\": " + std::to_string(liveEntityCount(session.drawing)) + " objects.\n");
  if (!result.message.empty()) in.message(result.message + "\n");
  return RTNORM;
}

int runSave(Session& session, Answers& in) {
  const std::string& current = session.drawing.path;
  std::string path;
  int rc = askFileName(
      in, current.empty() ? "Save drawing as: " : "Save drawing as <" + current + ">: ", current, path);
  if (rc == RTNONE) {
    in.message("The drawing has no file name yet; give one.\n");
    return RTERROR;
  }
  if (rc != RTNORM) return rc;
  return saveTo(session, in, path);
}

int offerToSave(Session& session, Answers& in) {
  if (session.console.scripted() || !drawingChanged(session.drawing)) return RTNORM;
  const std::string& path = session.drawing.path;
  std::string name = path.empty() ? kUnnamedDrawing : std::filesystem::path(path).filename().string();
  std::string answer;
  int rc = in.keyword("Save changes to " + name + "? [Yes/No/Cancel] <Yes>: ", "Yes No Cancel", answer);
  if (rc != RTNONE && (rc != RTNORM || answer == "Cancel")) return RTCAN;
  if (answer == "No") return RTNORM;
  if (path.empty()) {
    std::string typed;
    rc = askFileName(in, "Save drawing as: ", "", typed);
    if (rc != RTNORM) return RTCAN;
    return saveTo(session, in, typed) == RTNORM ? RTNORM : RTCAN;
  }
  // A failed save keeps the session, so the changes are not lost.
  return saveTo(session, in, path) == RTNORM ? RTNORM : RTCAN;
}

int runQuit(Session& session, Answers& in) {
  int rc = offerToSave(session, in);
  if (rc == RTNORM) session.quitRequested = true;
  return rc;
}

int runSvg(Session& session, Answers& in) {
  std::string fallback = defaultSvgName(session.drawing);
  std::string path;
  int rc = askFileName(in, "Enter SVG file name <" + fallback + ">: ", fallback, path);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  Outcome written = writeSvg(session.drawing, path);
  if (!written) {
    in.message("Cannot write \"" + path + "\": " + written.message + "\n");
    return RTERROR;
  }
  in.message("Wrote \"" + path + "\".\n");
  return RTNORM;
}

}  // namespace optgrind::standalone
