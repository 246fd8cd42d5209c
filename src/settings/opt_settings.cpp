#include "settings/opt_settings.h"

#include <cstdio>

#include "datafiles/data_files.h"
#include "datafiles/settings_line_file.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

OptSettings g_settings;
ChoiceLists g_choices;

constexpr const char* kFileName = "opt.set";

// The six machine data set before every load.
constexpr double kDefaultApproach = 5.0;
constexpr double kDefaultOverLen = 5.0;
constexpr double kDefaultOverAngle = 5.0;
constexpr double kDefaultSafeHeight = 20.0;
constexpr double kDefaultToolRadius = 0.05;

// Line 1 holds no value; readers skip it.
constexpr int kPlaceholderLine = 0;

// Walks the 56 lines of "opt.set" in file order. `io` reads or writes one
// line per call and answers false to stop the walk (the end of the file).
template <class LineIo>
void eachLine(OptSettings& s, LineIo& io) {
  int placeholder = kPlaceholderLine;
  bool more = io.integer(placeholder) && io.real(s.Approach_Y) && io.real(s.Approach_X) &&
              io.real(s.Over_len) && io.real(s.Over_angle) && io.real(s.Safe_height) &&
              io.real(s.Tool_radius) && io.integer(s.NC_rule) && io.text(s.pcf_name, kPcfNameCapacity) &&
              io.text(s.NC_path, kNcPathCapacity) && io.real(s.Leader_len) && io.integer(s.Return_start) &&
              io.integer(s.Coord_system) && io.text(s.NC_editor, kNcEditorCapacity) && io.real(s.Small_seg) &&
              io.real(s.Small_radius);
  for (ToolRow& row : s.tools) {
    more = more && io.text(row.Tool_no, kToolTextCapacity) && io.text(row.File_name, kToolTextCapacity) &&
           io.text(row.Thick, kToolTextCapacity) && io.integer(row.Grit) && io.real(row.Allowance) &&
           io.integer(row.Speed) && io.real(row.Feed) && io.text(row.Work_time, kToolTextCapacity);
  }
}

struct LineReader {
  std::FILE* file;
  bool integer(int& v) { return readSettingsInt(file, v); }
  bool real(double& v) { return readSettingsDouble(file, v); }
  bool text(std::string& v, size_t capacity) {
    if (!readSettingsString(file, v)) return false;
    v = utf8Cut(v, capacity - 1);
    return true;
  }
};

struct LineWriter {
  std::string out;
  bool integer(int& v) {
    writeSettingsInt(out, v);
    return true;
  }
  bool real(double& v) {
    writeSettingsDouble(out, v);
    return true;
  }
  bool text(std::string& v, size_t) {
    writeSettingsString(out, v);
    return true;
  }
};

void printFeeds(Host& host, const char* format) {
  for (const ToolRow& row : g_settings.tools) {
    char line[96];
    std::snprintf(line, sizeof line, format, row.Feed);
    host.acutPrintf(line);
  }
}

}  // namespace

OptSettings& optSettings() { return g_settings; }
ChoiceLists& choiceLists() { return g_choices; }

bool toolRowInUse(const ToolRow& row) { return row.Tool_no.find_first_of("Tt") != std::string::npos; }

int loadOptSet(Host& host) {
  OptSettings& s = g_settings;
  s.Approach_Y = kDefaultApproach;
  s.Approach_X = kDefaultApproach;
  s.Over_len = kDefaultOverLen;
  s.Over_angle = kDefaultOverAngle;
  s.Safe_height = kDefaultSafeHeight;
  s.Tool_radius = kDefaultToolRadius;
  std::FILE* f = openDataFile(host, kFileName, "rb");
  if (!f) return 0;
  LineReader reader{f};
  eachLine(s, reader);
  std::fclose(f);
  printFeeds(host, "\n load fget Feed[i]=%.3f \n");
  return 1;
}

std::string optSetText(OptSettings& settings) {
  LineWriter writer;
  eachLine(settings, writer);
  return writer.out;
}

int saveOptSet(Host& host) {
  if (!saveDataFile(host, kFileName, optSetText(g_settings))) return 0;
  printFeeds(host, "\n save  fget Feed[i]=%.3f \n");
  return 1;
}

}  // namespace optgrind
