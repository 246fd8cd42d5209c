#include "commands/machine_data_dialog.h"

#include <cmath>

#include "commands/form_support.h"
#include "commands/global_setting_dialog.h"
#include "commands/tool_row_cells.h"
#include "datafiles/data_files.h"
#include "datafiles/editor_command.h"
#include "datafiles/file_lookup.h"
#include "post/post_state.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

const MessageText kTitle = {"Kestro/Nuvex 光學研磨機 加工資料設定", "Kestro/Nuvex 光学研磨机 加工资料设定",
                            "Kestro/Nuvex Optical Machine Data Setting"};

// One machine data field: its label, its form row and how it is shown.
struct MachineValue {
  MessageText label;
  int row;
  const char* format;
  double OptSettings::*value;
};

const MachineValue kMachineValues[] = {
    {{"1.導入長度 L :", "1.导入长度 L :", "1.Leader Length:"}, 1, "%-7.2f", &OptSettings::Leader_len},
    {{"2.接近長度 Y :", "2.接近长度 Y :", "2.Approach   Y :"}, 3, "%-7.3f", &OptSettings::Approach_Y},
    {{"3.接近長度 X :", "3.接近长度 X :", "3.Approach   X :"}, 5, "%-7.3f", &OptSettings::Approach_X},
    {{"4.過切長度 O :", "4.过切长度 O :", "4.Over Length O :"}, 7, "%-7.2f", &OptSettings::Over_len},
    {{"5.過切角度 A :", "5.过切角度 A :", "5.Over Angle A :"}, 9, "%-7.2f", &OptSettings::Over_angle},
    {{"6.安全高度 H :", "6.安全高度 H :", "6. Safe Height H :"}, 11, "%-7.2f", &OptSettings::Safe_height},
    {{"7.刀具半徑 R :", "7.刀具半径 R :", "7. Tool Radius R :"}, 13, "%-7.3f", &OptSettings::Tool_radius},
};
constexpr int kLabelCol = 2;
constexpr int kValueCol = 18;
constexpr int kValueWidth = 7;

// The picture that explains the machine data, drawn as its legend.
const MessageText kPicture = {
    "[opt0] L 導入  Y/X 接近  O 過切  A 過切角  H 安全高度  R 刀具半徑",
    "[opt0] L 导入  Y/X 接近  O 过切  A 过切角  H 安全高度  R 刀具半径",
    "[opt0] L lead-in  Y/X approach  O over-cut  A angle  H safe height  R tool radius",
};
constexpr int kPictureRow = 15;
constexpr int kPictureCol = 31;

struct ButtonSpec {
  int row, col, width;
  MessageText caption;
};

// Made in this order, so that their numbers are kFieldSelEnt to kFieldQuit.
const ButtonSpec kButtons[] = {
    {17, 52, 8, {"選取圖元", "选取图元", "SelEnt"}},
    {17, 63, 11, {"產生NC", "产生NC", "CreateNC"}},
    {30, 10, 13, {"整體設定", "整体设定", "Global Setting"}},
    {30, 30, 13, {"規劃資料檔", "规划资料档", "Choice Lists"}},
    {30, 46, 11, {"刀具表", "刀具表", "ToolTable"}},
    {30, 63, 8, {"離開", "退出", "QUIT"}},
};

// Each takes the new value, then V[81] (the offset distance).
const MessageText kApproachTooSmall = {
    "\n接近長度 X 值<%.3f> 太小, 須大於偏移量 V[81]<%.3f> 的兩倍 !!　",
    "\n接近长度 X 值<%.3f> 太小, 须大于偏移量 V[81]<%.3f> 的两倍 !!　",
    "\nThe Approach_X Value<%.3f> is too small !!　",
};
const MessageText kOverLenTooSmall = {
    "\n過切長度 O 值<%.3f> 太小, 須大於偏移量 V[81]<%.3f> 的兩倍 !!　",
    "\n过切长度 O 值<%.3f> 太小, 须大于偏移量 V[81]<%.3f> 的两倍 !!　",
    "\nThe Over_len Value<%.3f> is too small !!　",
};
constexpr int kOffsetVariable = 81;
constexpr int kFieldApproachX = 3;
constexpr int kFieldOverLen = 4;

const char* kChoiceFileName = "opt_sel.dat";
const char* kChoiceEditor = "notepad";
const char* kChoiceLinePrefix = "notepad.exe  ";

// Approach and over-cut must clear twice the offset distance.
void checkAgainstOffset(Host& host, int field, double value) {
  double offset = postVariable(kOffsetVariable).current;
  if (!(value > 0.0 && value <= 2.0 * std::fabs(offset))) return;
  const MessageText& message = field == kFieldApproachX ? kApproachTooSmall : kOverLenTooSmall;
  std::string text = formatMessage(host, message, value, offset);
  warningWithOk(host, text);
}

void editMachineValue(Host& host, MachineDataForm& form, int field) {
  const MachineValue& v = kMachineValues[field - kFieldLeaderLen];
  double& value = optSettings().*v.value;
  if (!editNumber(host, form.layout, field, value)) return;
  setCaption(form.layout, field, formatted(v.format, value));
  if (field == kFieldApproachX || field == kFieldOverLen) checkAgainstOffset(host, field, value);
}

// Opens the choice-list file in the editor named "notepad", found as the NC
// editor is; the form stays open.
void editChoiceFile(Host& host) {
  std::string file = existingNameOr(dataDirectory(host) + "/" + kChoiceFileName);
  // The original program line, "notepad.exe  " and the file, had to fit its buffer.
  if (std::string(kChoiceLinePrefix).size() + file.size() + 1 > kProgramLineBytes) return;
  std::vector<std::string> argv = editorCommand(host, kChoiceEditor, file);
  if (!argv.empty()) host.startProgram(argv);
}

int closeWith(Host& host, MachineDataForm& form, int result) {
  host.formClose(form.layout);
  return result;
}

}  // namespace

MachineDataForm buildMachineDataForm(Host& host) {
  MachineDataForm form;
  form.language = currentLanguage(host);
  FormSpec& layout = form.layout;
  layout.title = textIn(form.language, kTitle);
  layout.rows = 32;
  layout.cols = 84;
  const OptSettings& s = optSettings();
  for (const MachineValue& v : kMachineValues) {
    addLabel(layout, v.row, kLabelCol, textIn(form.language, v.label));
    addField(layout, v.row, kValueCol, kValueWidth, formatted(v.format, s.*v.value));
  }
  addLabel(layout, kPictureRow, kPictureCol, textIn(form.language, kPicture));
  for (const ButtonSpec& b : kButtons)
    addField(layout, b.row, b.col, b.width, textIn(form.language, b.caption));
  addToolRowCells(host, layout, form.language);
  form.valid = 1;
  return form;
}

int runMachineDataForm(Host& host, MachineDataForm& form) {
  if (!form.valid) return kMachineDataQuit;
  int fieldCount = static_cast<int>(form.layout.fields.size());
  for (;;) {
    int clicked = host.formWait(form.layout);
    if (clicked <= 0 || clicked > fieldCount || clicked == kFieldQuit)
      return closeWith(host, form, kMachineDataQuit);
    if (clicked <= kFieldToolRadius) {
      editMachineValue(host, form, clicked);
      continue;
    }
    switch (clicked) {
      case kFieldSelEnt:
        return closeWith(host, form, kMachineDataSelEnt);
      case kFieldCreateNc:
        return closeWith(host, form, kMachineDataCreateNc);
      case kFieldToolTable:
        return closeWith(host, form, kMachineDataToolTable);
      case kFieldGlobalSetting:
        host.formClose(form.layout);
        saveOptSet(host);
        runGlobalSettingDialog(host);
        return kMachineDataShowAgain;
      case kFieldChoiceFile:
        editChoiceFile(host);
        break;
      default:
        if (editToolRowCell(host, form.layout, clicked) == kToolCellEndsDialog) {
          return closeWith(host, form, kMachineDataCreateNc);
        }
        break;
    }
  }
}

}  // namespace optgrind
