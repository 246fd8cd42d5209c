#include "commands/tool_row_cells.h"

#include <climits>

#include "commands/form_support.h"
#include "commands/machine_data_dialog.h"
#include "host/messages.h"
#include "host/utf8.h"
#include "post/text_util.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

constexpr int kHeadingRow = 19;
constexpr int kFirstRowLine = 20;
constexpr int kRowSpacing = 2;

struct Heading {
  int col;
  MessageText text;
};

const Heading kHeadings[] = {
    {3, {"刀號   檔名", "刀号   档名", "ToolNo FileName"}},
    {22, {"厚度    粒度", "厚度    粒度", "Thick   Grit"}},
    {38, {"程式預留  轉速    進給 mm/min", "程式预留  转速    进给 mm/min", "Allowance Speed   Feed mm/min"}},
    {75, {"加工時間", "加工时间", "WorkTimes"}},
};

enum Column { kToolNo, kFileName, kThick, kGrit, kAllowance, kSpeed, kFeed, kRowCreateNc, kWorkTime };

struct Cell {
  int col;
  int width;
};
// By column number 0 to 8, in the order the cells are made.
constexpr Cell kCells[kToolRowCells] = {{3, 5},  {10, 10}, {22, 6}, {30, 6}, {38, 6},
                                        {46, 6}, {54, 6},  {63, 9}, {74, 9}};

const MessageText kCreateNc = {"產生NC", "产生NC", "CreateNC"};

std::string cellText(const ToolRow& row, int column, int language) {
  switch (column) {
    case kToolNo:
      return row.Tool_no;
    case kFileName:
      return row.File_name;
    case kThick:
      return row.Thick;
    case kGrit:
      return formatted("%d", row.Grit);
    case kAllowance:
      return formatted("%-7.3f", row.Allowance);
    case kSpeed:
      return formatted("%d", row.Speed);
    case kFeed:
      return formatted("%-7.3f", row.Feed);
    case kRowCreateNc:
      return textIn(language, kCreateNc);
    default:
      return row.Work_time;
  }
}

std::string& rowText(ToolRow& row, int column) {
  if (column == kToolNo) return row.Tool_no;
  if (column == kFileName) return row.File_name;
  return row.Work_time;
}

// A text cell: an empty answer keeps the previous text.
void editRowText(Host& host, FormSpec& form, int field, ToolRow& row, int column) {
  std::string& value = rowText(row, column);
  std::string answer;
  if (!editTextOrKeep(host, form, field, value, answer)) return;
  value = utf8Cut(answer, kToolTextCapacity - 1);
  setCaption(form, field, value);
}

// A pick from a choice list with the cell's current entry highlighted. The
// highlighted entry is taken also when the pick is left with Escape, so
// Escape and Enter keep the current text, also one that is not listed.
std::string pickEntry(Host& host, const FormSpec& form, int field, const std::vector<std::string>& list,
                      const std::string& current) {
  int index = -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (withoutBlanks(list[i]) == withoutBlanks(current)) {
      index = static_cast<int>(i);
      break;
    }
  }
  std::string text = current;
  host.formEdit(form, field, FormEditor::List, list, text, index);
  if (index < 0 || index >= static_cast<int>(list.size())) return current;
  return list[static_cast<size_t>(index)];
}

void editRowNumber(Host& host, FormSpec& form, int field, ToolRow& row, int column) {
  double value = column == kAllowance ? row.Allowance : column == kSpeed ? row.Speed : row.Feed;
  if (!editNumber(host, form, field, value)) return;
  if (column == kAllowance) {
    row.Allowance = value;
    setCaption(form, field, formatted("%.3f", row.Allowance));
  } else if (column == kSpeed) {
    row.Speed = speedFromEntry(value);
    setCaption(form, field, formatted("%d", row.Speed));
  } else {
    row.Feed = value;
    setCaption(form, field, formatted("%.2f", row.Feed));
  }
}

}  // namespace

int speedFromEntry(double value) {
  if (!(value > static_cast<double>(INT_MIN) - 1.0)) return INT_MIN;
  if (!(value < static_cast<double>(INT_MAX) + 1.0)) return INT_MAX;
  return static_cast<int>(value);
}

void addToolRowCells(Host& host, FormSpec& form, int language) {
  for (const Heading& h : kHeadings) addLabel(form, kHeadingRow, h.col, textIn(language, h.text));
  for (int r = 0; r < kToolRowCount; ++r) {
    const ToolRow& row = optSettings().tools[static_cast<size_t>(r)];
    bool inUse = toolRowInUse(row);
    if (inUse) host.acutPrintf(formatted("\n wnd_ftext  Feed[i]=%.3f \n", row.Feed));
    for (int c = 0; c < kToolRowCells; ++c) {
      const Cell& cell = kCells[c];
      addField(form, kFirstRowLine + kRowSpacing * r, cell.col, cell.width,
               inUse ? cellText(row, c, language) : "");
    }
  }
}

int editToolRowCell(Host& host, FormSpec& form, int field) {
  int n = field - kFieldQuit;
  int r = (n - 1) / kToolRowCells;
  int column = (n - 1) % kToolRowCells;
  if (n < 1 || r >= kToolRowCount) return kToolCellEdited;
  host.acutPrintf(formatted("\n i=%d rquit=%d group_no=%d col_no=%d \n", field, kFieldQuit, r, column));
  ToolRow& row = optSettings().tools[static_cast<size_t>(r)];
  const ChoiceLists& lists = choiceLists();
  switch (column) {
    case kToolNo:
    case kFileName:
    case kWorkTime:
      editRowText(host, form, field, row, column);
      break;
    case kThick:
      if (!lists.thick.empty()) {
        row.Thick = pickEntry(host, form, field, lists.thick, row.Thick);
        setCaption(form, field, row.Thick);
      }
      break;
    case kGrit:
      if (!lists.grit.empty()) {
        std::string entry = pickEntry(host, form, field, lists.grit, formatted("%d", row.Grit));
        // Read as "%d": an entry without a number leaves the grit as it was.
        std::string digits = withoutBlanks(entry);
        if (!digits.empty() && (isAsciiDigit(digits[0]) || ((digits[0] == '-' || digits[0] == '+') &&
                                                            digits.size() > 1 && isAsciiDigit(digits[1])))) {
          row.Grit = leadingInt(entry.c_str());
        }
        setCaption(form, field, formatted("%d", row.Grit));
      }
      break;
    case kAllowance:
    case kSpeed:
    case kFeed:
      editRowNumber(host, form, field, row, column);
      break;
    case kRowCreateNc:
      optSettings().Sel_row = r + 1;
      return kToolCellEndsDialog;
  }
  return kToolCellEdited;
}

}  // namespace optgrind
