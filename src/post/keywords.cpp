#include "post/keywords.h"

#include <unordered_map>

#include "post/text_util.h"

namespace optgrind {

const std::vector<NamedCode>& keywordTable() {
  static const std::vector<NamedCode> table = {
      {"tbl_open", kKwTblOpen},
      {"tbl_read", kKwTblRead},
      {"tbl_close", kKwTblClose},
      {"mem_on", kKwMemOn},
      {"mem_off", kKwMemOff},
      {"clr_modal", kKwClrModal},
      {"abs", kKwAbs},
      {"tan", kKwTan},
      {"atan", kKwAtan},
      {"sin", kKwSin},
      {"cos", kKwCos},
      {"sqrt", kKwSqrt},
      {"beep", kKwBeep},
      {"sub_command", kKwSubCommand},
      {"getval", kKwGetVal},
      {"getstr2", kKwGetStr2},
  };
  return table;
}

const std::vector<NamedCode>& eventTable() {
  static const std::vector<NamedCode> table = {
      {"program_start", 0},
      {"main_coordinate", 1},
      {"path_start", 2},
      {"wire_on", 3},
      {"wire_off", 4},
      {"path_end", 5},
      {"program_end", 6},
      {"first_cut_in_feed", 7},
      {"approching", 8},
      {"escape_in_feed", 9},
      {"rapid_move", 10},
      {"linear_feed", 11},
      {"circular_cw", 12},
      {"circular_ccw", 13},
      {"departure", 14},
      {"escape_out_feed", 15},
      {"insert_at_pre_stop", 16},
      {"insert_at_cut_through", 17},
      {"insert_at_over_cut", 18},
      {"forward_tilt", 19},
      {"backward_tilt", 20},
      {"turn_off_tilt", 21},
      {"optional_block", 22},
      {"auto_fillet", 24},
      {"auto_fillet_2", 84},
      {"offset_off", 25},
      {"offset_left", 26},
      {"offset_right", 27},
      {"offset_off_0", 28},
      {"offset_left_0", 29},
      {"offset_right_0", 30},
      {"offset_off_1", 31},
      {"offset_left_1", 32},
      {"offset_right_1", 33},
      {"offset_off_2", 34},
      {"offset_left_2", 35},
      {"offset_right_2", 36},
      {"offset_off_3", 37},
      {"offset_left_3", 38},
      {"offset_right_3", 39},
      {"offset_off_4", 40},
      {"offset_left_4", 41},
      {"offset_right_4", 42},
      {"offset_off_5", 43},
      {"offset_left_5", 44},
      {"offset_right_5", 45},
      {"offset_off_6", 46},
      {"offset_left_6", 47},
      {"offset_right_6", 48},
      {"offset_off_7", 49},
      {"offset_left_7", 50},
      {"offset_right_7", 51},
      {"offset_off_8", 52},
      {"offset_left_8", 53},
      {"offset_right_8", 54},
      {"sub_coordinate", 55},
      {"auto_undercut", 23},
      {"over_cut_insert_2", 56},
      {"3d_main_coordinate", 57},
      {"3d_path_start", 58},
      {"3d_approching", 59},
      {"3d_departure", 60},
      {"3d_path_end", 61},
      {"3d_linear_feed", 62},
      {"3d_isoradius_cw", 63},
      {"3d_isoradius_ccw", 64},
      {"3d_std_conic_cw", 65},
      {"3d_escape_out_feed", 66},
      {"3d_prog_radius_cw", 67},
      {"3d_prog_radius_ccw", 68},
      {"3d_angle_change", 69},
      {"3d_general_cut", 70},
      {"path_data", 71},
      {"offset_head", 72},
      {"3d_rapid_move", 73},
      {"absolute_mode", 74},
      {"increment_mode", 75},
      {"insert_key", 76},
      {"3d_offset_off", 77},
      {"3d_offset_left", 78},
      {"3d_offset_right", 79},
      {"3d_aux_linear_feed", 80},
      {"3d_aux_isoradius_cw", 81},
      {"3d_aux_isoradius_ccw", 82},
      {"3d_aux_approching", 83},
      {"insert_at_pre2_stop", 85},
      {"nc_name", 86},
      {"sub_program", 87},
      {"sub_path_start", 88},
      {"sub_path_end", 89},
      {"sub_program_end", 90},
      {"3d_offset_left_0", 91},
      {"3d_offset_right_0", 92},
      {"3d_offset_left_1", 93},
      {"3d_offset_right_1", 94},
      {"3d_offset_left_2", 95},
      {"3d_offset_right_2", 96},
      {"3d_offset_left_3", 97},
      {"3d_offset_right_3", 98},
      {"3d_escape_in_feed", 99},
      {"opt_move_up0_feed", 90},
      {"opt_move_up_feed", 91},
      {"opt_move_dn0_feed", 92},
      {"opt_move_dn_feed", 93},
      {"opt_rapid_move", 94},
      {"opt_approach", 95},
      {"3d_offset_left_4", 100},
      {"3d_offset_right_4", 101},
      {"rapid_move0", 102},
      {"path_start2", 103},
      {"uty_sub_program1", 104},
      {"uty_sub_program2", 105},
      {"uty_end_sub_program", 106},
      {"auto_cut_off", 107},
  };
  return table;
}

namespace {

using CodeIndex = std::unordered_map<std::string_view, int>;

// The table as a hash index; the first entry of a name wins, as in a
// search from the first entry.
CodeIndex indexOf(const std::vector<NamedCode>& table) {
  CodeIndex index;
  for (const NamedCode& entry : table) index.emplace(entry.name, entry.code);
  return index;
}

// The first characters that names of a table begin with: most words are
// turned away before any hashing.
struct FirstCharacters {
  bool is[256] = {};
  explicit FirstCharacters(const std::vector<NamedCode>& table) {
    for (const NamedCode& entry : table) is[static_cast<unsigned char>(entry.name[0])] = true;
  }
};

int find(const CodeIndex& index, const FirstCharacters& first, std::string_view lowerWord, int notFound) {
  if (lowerWord.empty() || !first.is[static_cast<unsigned char>(lowerWord[0])]) return notFound;
  auto it = index.find(lowerWord);
  return it == index.end() ? notFound : it->second;
}

}  // namespace

int lookupLowerKeyword(std::string_view lowerWord) {
  static const CodeIndex index = indexOf(keywordTable());
  static const FirstCharacters first(keywordTable());
  return find(index, first, lowerWord, 0);
}

int lookupLowerEvent(std::string_view lowerWord) {
  static const CodeIndex index = indexOf(eventTable());
  static const FirstCharacters first(eventTable());
  return find(index, first, lowerWord, -1);
}

int lookupKeyword(const std::string& word) { return lookupLowerKeyword(toLowerAscii(word)); }
int lookupEvent(const std::string& word) { return lookupLowerEvent(toLowerAscii(word)); }

std::vector<std::string> eventNames(int code) {
  std::vector<std::string> names;
  for (const NamedCode& entry : eventTable()) {
    if (entry.code == code) names.push_back(entry.name);
  }
  return names;
}

}  // namespace optgrind
