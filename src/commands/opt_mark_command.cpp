#include "commands/opt_mark_command.h"

#include "commands/command_handlers.h"
#include "commands/coordinate_list.h"
#include "commands/drawing_commands.h"
#include "commands/form_support.h"
#include "commands/mark_lines.h"
#include "geometry/entity_make.h"
#include "geometry/pick_prompt.h"
#include "geometry/segment_walk.h"
#include "host/current_host.h"
#include "host/messages.h"
#include "pathdef/direction.h"
#include "settings/opt_mark_set.h"

namespace optgrind {
namespace {

const MessageText kTitle = {"Veltrane/CAM 光學研磨機 資料設定", "Veltrane/CAM 光学研磨机 资料设定",
                            "Veltrane/CAM Optical machine data setting"};
const MessageText kLengthLabel = {"1.標記線長度 :", "1.标记线长度 :", "1.Mark Line Length :"};
const MessageText kHeightLabel = {"2.註解文字高 :", "2.注解文字高 :", "2.Note Text height :"};
const MessageText kShortLabel = {"3.圖元小於 :", "3.图元小于 :", "3.Entity less than :"};
const MessageText kShortLabel2 = {
    "mm,不標註其中點 :", "mm,不标注其中点 :", "mm,Do't dimension it's middle point :"};
const MessageText kHorVerLabel = {
    "4.水平/垂直線不標註 :", "4.水平/垂直线不标注 :", "4.Ver/Hor Do't Dimension it :"};
const MessageText kOk = {" 確定 ", " 确定 ", " OK "};
const MessageText kQuit = {"離開", "退出", "QUIT"};
const MessageText kSelectPline = {"\n選取要加標記及列出座標的聚合線 :", "\n选取要加标记及列出坐标的多段线 :",
                                  "\nSelect Pline Entity to add Mark and list coordinate :"};
const MessageText kNotPline = {"\n所選圖元不是聚合線 !", "\n所选图元不是多段线 !",
                               "\nThe entity picked is not a polyline with segments !"};
const MessageText kDisplayCoordinate = {"\n顯示座標?<Y>", "\n显示坐标?<Y>", "\nDisplay Coordinate?<Y>"};

constexpr int kMarkColor = 2;        // corner marks
constexpr int kMiddleMarkColor = 1;  // middle marks, labels and the list
constexpr int kDisplayAnswerSlot = 6;

enum MarkField { kFieldLength = 1, kFieldHeight, kFieldShort, kFieldHorVer, kFieldOk, kFieldQuit };

FormSpec buildMarkForm(int language) {
  const MarkSettings& m = markSettings();
  FormSpec form;
  form.title = textIn(language, kTitle);
  form.rows = 13;
  form.cols = 62;
  addLabel(form, 1, 2, textIn(language, kLengthLabel));
  addLabel(form, 3, 2, textIn(language, kHeightLabel));
  addLabel(form, 5, 2, textIn(language, kShortLabel));
  addLabel(form, 5, 24, textIn(language, kShortLabel2));
  addLabel(form, 7, 2, textIn(language, kHorVerLabel));
  addField(form, 1, 26, 8, formatted("%-8.3f", m.markLength));
  addField(form, 3, 26, 8, formatted("%-8.2f", m.textHeight));
  addField(form, 5, 17, 6, formatted("%.2f", m.shortLimit));
  addField(form, 7, 26, 2, m.skipHorVer == 1 ? "X" : "");
  addField(form, 11, 16, 8, textIn(language, kOk));
  addField(form, 11, 26, 8, textIn(language, kQuit));
  return form;
}

void editValue(Host& host, FormSpec& form, int field, double& value, const char* format) {
  if (editNumber(host, form, field, value)) setCaption(form, field, formatted(format, value));
}

// The polyline the user picks, or valid 0 (with a message when the pick is
// something else).
EntityRef pickPolyline(Host& host, PolylineGeom& polyline) {
  EntityName name;
  Point3 picked;
  if (host.acedEntSel(chooseText(host, kSelectPline), name, picked) != RTNORM) return EntityRef{};
  if (!readPolyline(host, name, polyline) || segmentCount(polyline) < 1) {
    printMessage(host, kNotPline);
    return EntityRef{};
  }
  return wholeEntityRef(name, kKindPolyline);
}

void drawMarks(Host& host, const PolylineGeom& polyline) {
  const MarkSettings& m = markSettings();
  std::vector<MarkSegment> segments = markSegments(polyline);
  size_t n = segments.size();
  size_t corners = polyline.closed ? n : n - 1;
  for (size_t i = 0; i < corners; ++i) {
    const MarkSegment& in = segments[i];
    const MarkSegment& out = segments[(i + 1) % n];
    // A zero-length segment (coincident vertices) has no direction to mark.
    if (segmentLength(in) <= 0.0 || segmentLength(out) <= 0.0) continue;
    makeLineEntity(host, cornerMark(host, in, out, m.markLength));
  }
  setCurrentColor(host, kMiddleMarkColor);
  for (const MarkSegment& s : segments) {
    LineRec mark = middleMark(s, m.markLength, m.shortLimit);
    if (mark.valid == 1) makeLineEntity(host, mark);
  }
}

void markPolyline(Host& host) {
  PolylineGeom polyline;
  EntityRef path = pickPolyline(host, polyline);
  if (path.valid != 1) return;
  drawMarks(host, polyline);
  int answer =
      pickAndKeyword(host, chooseText(host, kDisplayCoordinate), kDisplayAnswerSlot, kPickAnyPoint, "Y N");
  if (answer != kPickEnter && answer != kPickKeyword) return;
  // The marker of a reversal only serves while the user decides here.
  DirectionMarkers markers;
  askDirection(host, path, markers);
  eraseDirectionMarkers(host, markers);
  if (!readPolyline(host, path.name, polyline)) return;
  const MarkSettings& m = markSettings();
  drawCoordinateList(host, polyline, m.textHeight, m.shortLimit);
}

}  // namespace

int runMarkSettingsForm(Host& host) {
  int language = currentLanguage(host);
  FormSpec form = buildMarkForm(language);
  MarkSettings& m = markSettings();
  for (;;) {
    int clicked = host.formWait(form);
    switch (clicked) {
      case kFieldLength:
        editValue(host, form, clicked, m.markLength, "%-8.3f");
        break;
      case kFieldHeight:
        editValue(host, form, clicked, m.textHeight, "%-8.2f");
        break;
      case kFieldShort:
        editValue(host, form, clicked, m.shortLimit, "%.2f");
        break;
      case kFieldHorVer:
        m.skipHorVer = m.skipHorVer == 1 ? 0 : 1;
        setCaption(form, clicked, m.skipHorVer == 1 ? "X" : "");
        break;
      case kFieldQuit:
        host.formClose(form);
        return kMarkFormQuit;
      default:  // " OK ", Escape or closing: the command goes on
        host.formClose(form);
        return kMarkFormGoOn;
    }
  }
}

int runOptMarkCommand(Host& host) {
  std::string color = currentColor(host);
  setCurrentColor(host, kMarkColor);
  loadOptMarkSet(host);
  int result = runMarkSettingsForm(host);
  if (result == kMarkFormGoOn) {
    markPolyline(host);
    saveOptMarkSet(host);
  }
  restoreCurrentColor(host, color);
  return result;
}

void optMarkCommand() {
  if (Host* host = currentHost()) runOptMarkCommand(*host);
}

}  // namespace optgrind
