// The settings of the grinding job: the machine data, the global settings
// and the five tool rows, stored together in "opt.set" in the data
// directory; and the thickness and grit choice lists of the tool rows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

constexpr int kToolRowCount = 5;
// String capacities in characters, the terminator of the original fixed
// buffers included: a value keeps at most one character less.
constexpr size_t kToolTextCapacity = 30;
constexpr size_t kPcfNameCapacity = 80;
constexpr size_t kNcEditorCapacity = 160;
constexpr size_t kNcPathCapacity = 256;
// A choice list has 16 slots; the first empty slot ends it.
constexpr size_t kChoiceSlots = 16;
constexpr size_t kChoiceEntries = kChoiceSlots - 1;
constexpr size_t kChoiceTextCapacity = 30;

// One tool of the job. A row is in use when Tool_no holds the letter T.
struct ToolRow {
  std::string Tool_no;
  std::string File_name;  // NC file name when NC output starts from this row
  std::string Thick;      // one of the thickness list's entries
  int Grit = 0;
  double Allowance = 0.0;
  int Speed = 0;
  double Feed = 0.0;      // mm/min
  std::string Work_time;  // NC output writes the machining time here
};

struct OptSettings {
  // Machine data (drawing units; Over_angle in degrees).
  double Leader_len = 0.0;
  double Approach_Y = 0.0;
  double Approach_X = 0.0;
  double Over_len = 0.0;
  double Over_angle = 0.0;
  double Safe_height = 0.0;
  double Tool_radius = 0.0;
  // Global settings.
  std::string pcf_name;  // post configure file: base name + ".WCF"
  std::string NC_path;
  int NC_rule = 0;       // 0 NC files by the drawing, 1 into NC_path
  int Return_start = 0;  // 1 returns to the start point at the end
  int Coord_system = 0;  // 1 inverts the sign of X, Y, I and J
  std::string NC_editor;
  double Small_seg = 0.0;
  double Small_radius = 0.0;
  std::array<ToolRow, kToolRowCount> tools{};
  // Not stored: 1 to 5 when NC output was started from that tool row's own
  // button, else 0.
  int Sel_row = 0;
};

// The entries of the tool rows' picks, filled from "opt_sel.dat".
struct ChoiceLists {
  std::vector<std::string> thick;
  std::vector<std::string> grit;
};

// The one record of the process: zero at load of the module.
OptSettings& optSettings();
ChoiceLists& choiceLists();

// Sets the six defaults, then reads "opt.set" when it opens; a file that
// ends early keeps the later fields. A missing file is silent. Returns 1
// when the file was read.
int loadOptSet(Host& host);
// Writes the 56 lines of "opt.set". A file that cannot be written is not
// reported. Returns 1 when written.
int saveOptSet(Host& host);

// The text of "opt.set" for the settings; the doubles and strings are
// brought into the file's rules, in the record too.
std::string optSetText(OptSettings& settings);

// Whether a tool row is in use: its Tool_no holds "T" or "t".
bool toolRowInUse(const ToolRow& row);

}  // namespace optgrind
