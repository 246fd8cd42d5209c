// OPEN, SAVE and SVG: the drawing as a DXF file, and its picture.
#include <filesystem>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/dxf/dxf_io.h"
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

std::string defaultSvgName(const Drawing& d) {
  if (d.path.empty()) return "Drawing1.svg";
  return std::filesystem::path(d.path).replace_extension(".svg").string();
}

}  // namespace

int runOpen(StandaloneHost& host, Answers& in) {
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
  host.setDrawing(std::move(loaded));
  CommandAccess::forgetViews(host);
  in.message("Opened \"" + path + "\": " + std::to_string(liveEntityCount(host.drawing())) + " objects.\n");
  if (!result.message.empty()) in.message(result.message + "\n");
  return RTNORM;
}

int runSave(StandaloneHost& host, Answers& in) {
  const std::string& current = host.drawing().path;
  std::string path;
  int rc = askFileName(
      in, current.empty() ? "Save drawing as: " : "Save drawing as <" + current + ">: ", current, path);
  if (rc == RTNONE) {
    in.message("The drawing has no file name yet; give one.\n");
    return RTERROR;
  }
  if (rc != RTNORM) return rc;
  Outcome result = saveDxf(host.drawing(), path);
  if (!result.ok) {
    in.message("Cannot save \"" + path + "\": " + result.where() + "\n");
    return RTERROR;
  }
  host.drawing().path = path;
  in.message("Saved \"" + path + "\".\n");
  return RTNORM;
}

int runSvg(StandaloneHost& host, Answers& in) {
  std::string fallback = defaultSvgName(host.drawing());
  std::string path;
  int rc = askFileName(in, "Enter SVG file name <" + fallback + ">: ", fallback, path);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  std::string error;
  if (!writeSvg(host.drawing(), path, error)) {
    in.message("Cannot write \"" + path + "\": " + error + "\n");
    return RTERROR;
  }
  in.message("Wrote \"" + path + "\".\n");
  return RTNORM;
}

}  // namespace optgrind::standalone
