#include "commands/global_setting_dialog.h"

#include "commands/form_support.h"
#include "commands/global_setting_fields.h"
#include "host/messages.h"
#include "host/utf8.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

const MessageText kTitle = {" Kestro 光學研磨機 資料設定 ", " Kestro 光学研磨机 资料设定 ",
                            " Kestro Optical Grinding Machine Data Setting "};

struct LabelSpec {
  int row, col;
  MessageText text;
};

const LabelSpec kLabels[] = {
    {1,
     2,
     {"1. 後處理設定檔(WCF) 檔名: ", "1. 后处理设定档(WCF) 档名: ",
      "1. Post Configure File(WCF) FileName: "}},
    {3, 2, {"2.  NC 輸出路徑    : ", "2.  NC 输出路径    : ", "2.  NC Output Path    : "}},
    {5, 8, {" NC 檔產生規則 : ", " NC 档产生规则 : ", " NC File Creating Rule : "}},
    {7, 2, {"3. 加工完回起點 : ", "3. 加工完回起点 : ", "3. Return to Start Point : "}},
    {9, 2, {"4.使用座標系統: ", "4.使用坐标系统: ", "4.Use Coord. System: "}},
    {11, 2, {"5.小線段設定 : ", "5.小线段设定 : ", "5.Samll Segment Setting : "}},
    {11, 26, {"小半徑設定 : ", "小半径设定 : ", "Samll Radius Setting : "}},
    {13, 2, {"6.  NC 編輯器  : ", "6.  NC 编辑器  : ", "6.  NC Editor  : "}},
};

// The two texts of each two-state setting, for 0 and for 1.
struct ChoicePair {
  MessageText off, on;
};
const ChoicePair kNcRuleTexts = {{"依圖檔", "依图档", "By Drawing"}, {"依設定", "依设定", "By Setting"}};
const ChoicePair kReturnTexts = {{"否", "否", "No"}, {"是", "是", "Yes"}};
const ChoicePair kCoordTexts = {{"第一象限", "第一象限", "First Coord"},
                                {"第三象限", "第三象限", "Third Coord"}};

const MessageText kOkCaption = {" 確定 ", " 确定 ", " OK "};
const MessageText kQuitCaption = {"離開", "退出", "Quit"};

constexpr int kValueCol = 33;

std::string choiceText(int language, const ChoicePair& pair, int value) {
  return textIn(language, value == 1 ? pair.on : pair.off);
}

// A two-state field. `setIndex` is the state the toggle starts from, so
// that flipping it gives the new value.
void toggleField(Host& host, FormSpec& form, int field, int language, const ChoicePair& pair, int& value,
                 int setIndex) {
  std::vector<std::string> choices = {textIn(language, pair.off), textIn(language, pair.on)};
  std::string text;
  int index = setIndex;
  if (host.formEdit(form, field, FormEditor::Toggle, choices, text, index) != RTNORM) return;
  value = index == 1 ? 1 : 0;
  setCaption(form, field, choiceText(language, pair, value));
}

void editThreshold(Host& host, FormSpec& form, int field, double& value) {
  if (editNumber(host, form, field, value)) setCaption(form, field, formatted("%.3f", value));
}

}  // namespace

FormSpec buildGlobalSettingForm(Host& host) {
  int language = currentLanguage(host);
  const OptSettings& s = optSettings();
  FormSpec form;
  form.title = textIn(language, kTitle);
  form.rows = 17;
  form.cols = 62;
  for (const LabelSpec& l : kLabels) addLabel(form, l.row, l.col, textIn(language, l.text));
  // Made in the order of GlobalSettingField.
  addField(form, 1, kValueCol, 22, s.pcf_name);
  addField(form, 1, 58, 2, "");
  addField(form, 3, kValueCol, 22, s.NC_path);
  addField(form, 3, 58, 2, "");
  addField(form, 5, kValueCol, 12, choiceText(language, kNcRuleTexts, s.NC_rule));
  addField(form, 7, kValueCol, 4, choiceText(language, kReturnTexts, s.Return_start));
  addField(form, 9, kValueCol, 12, choiceText(language, kCoordTexts, s.Coord_system));
  addField(form, 11, 20, 5, formatted("%.3f", s.Small_seg));
  addField(form, 11, 41, 6, formatted("%.3f", s.Small_radius));
  addField(form, 13, kValueCol, 16, s.NC_editor);
  addField(form, 15, kValueCol, 8, textIn(language, kOkCaption));
  addField(form, 15, 45, 8, textIn(language, kQuitCaption));
  return form;
}

int runGlobalSettingDialog(Host& host) {
  int language = currentLanguage(host);
  FormSpec form = buildGlobalSettingForm(host);
  OptSettings& s = optSettings();
  for (;;) {
    int clicked = host.formWait(form);
    switch (clicked) {
      case kGlobalPcfName:
        setCaption(form, clicked, editTypedPostFile(host, form, clicked));
        break;
      case kGlobalPcfBrowse:
        setCaption(form, kGlobalPcfName, browsePostFile(host, form, kGlobalPcfName));
        break;
      case kGlobalNcPath:
        setCaption(form, clicked, editTypedNcPath(host, form, clicked));
        break;
      case kGlobalNcPathBrowse:
        setCaption(form, kGlobalNcPath, browseNcPath(host));
        break;
      case kGlobalNcRule:
        toggleField(host, form, clicked, language, kNcRuleTexts, s.NC_rule, s.NC_rule != 0 ? 1 : 0);
        break;
      case kGlobalReturnStart:
        toggleField(host, form, clicked, language, kReturnTexts, s.Return_start, s.Return_start != 0 ? 1 : 0);
        break;
      case kGlobalCoordSystem:
        // 1 becomes 0; any other value, also one out of range, becomes 1.
        toggleField(host, form, clicked, language, kCoordTexts, s.Coord_system, s.Coord_system == 1 ? 1 : 0);
        break;
      case kGlobalSmallSeg:
        editThreshold(host, form, clicked, s.Small_seg);
        break;
      case kGlobalSmallRadius:
        editThreshold(host, form, clicked, s.Small_radius);
        break;
      case kGlobalNcEditor: {
        std::string editor = s.NC_editor;
        if (editText(host, form, clicked, editor)) {
          s.NC_editor = utf8Cut(editor, kNcEditorCapacity - 1);
          setCaption(form, clicked, s.NC_editor);
        }
        break;
      }
      case kGlobalOk:
        saveOptSet(host);
        host.formClose(form);
        return 1;
      default:  // "Quit", Escape or closing
        host.formClose(form);
        return 0;
    }
  }
}

}  // namespace optgrind
