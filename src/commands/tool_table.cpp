#include "commands/tool_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "commands/drawing_commands.h"
#include "commands/form_support.h"
#include "commands/note_text_height.h"
#include "geometry/drawing_vars.h"
#include "geometry/entity_make.h"
#include "host/messages.h"
#include "settings/mis_set.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

// One word a title: the rows are split at blanks.
const MessageText kHeading = {"刀號 檔名 厚度 粒度 預留量 轉速 進給mm/min 顏色碼 加工時間",
                              "刀号 档名 厚度 粒度 预留量 转速 进给mm/min 颜色码 加工时间",
                              "Tool_No File_Name Thick Grit Allowance Speed Feed_mm/min Color Work_Time"};
const MessageText kAssignBase = {"\n指定基準點 :", "\n指定基准点 :", "\nAssign base point :"};

constexpr const char* kWidthSample = "ABCDEFGH1234567890.";
constexpr double kWidthSampleChars = 19.0;
constexpr double kRowGapRatio = 0.8;  // gap between rows, of the text size
constexpr int kTextColorLine = 26;
constexpr int kFrameColorLine = 27;

// The drawn width of a text at height h with the current style.
double drawnWidth(Host& host, const std::string& text, double h) {
  EntityRecord record = currentProperties(host);
  TextGeom geom;
  geom.height = h;
  geom.text = text;
  ResBuf style;
  if (host.acedGetVar("TEXTSTYLE", style) == RTNORM && !style.asString().empty())
    geom.style = style.asString();
  TextStyleRecord styleRecord;
  if (host.getTextStyle(geom.style, styleRecord) == RTNORM && styleRecord.widthFactor > 0.0) {
    geom.widthFactor = styleRecord.widthFactor;
  }
  record.geom = geom;
  Point3 min, max;
  if (text.empty() || host.getGeomExtents(record, min, max) != RTNORM) return 0.0;
  return max.x - min.x;
}

struct TableLayout {
  double h = 0.0, gap = 0.0, charWidth = 0.0;
  std::vector<double> widths = std::vector<double>(kToolTableColumns, 0.0);
  double width = 0.0, height = 0.0;
};

TableLayout measure(Host& host, const std::vector<std::vector<std::string>>& cells, double h) {
  TableLayout t;
  t.h = h;
  ResBuf size;
  t.gap = kRowGapRatio * (host.acedGetVar("TEXTSIZE", size) == RTNORM ? size.asReal() : h);
  t.charWidth = drawnWidth(host, kWidthSample, h) / kWidthSampleChars;
  for (const auto& row : cells) {
    for (int k = 0; k < kToolTableColumns; ++k) {
      t.widths[k] = std::max(t.widths[k], std::trunc(drawnWidth(host, row[k], h)));
    }
  }
  for (double w : t.widths) t.width += w;
  t.width += 2.0 * kToolTableColumns * t.charWidth;
  t.height = static_cast<double>(cells.size()) * (h + t.gap);
  return t;
}

PointRec viewCentre(Host& host) {
  ResBuf min, max;
  if (host.acedGetVar("VSMIN", min) != RTNORM || host.acedGetVar("VSMAX", max) != RTNORM)
    return makePoint(0, 0);
  Point3 a = min.asPoint(), b = max.asPoint();
  return makePoint((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
}

// The frame placed by the user: its top-left corner after the move.
int placeFrame(Host& host, const TableLayout& t, PointRec& topLeft) {
  const MisSettings& m = misSet();
  PointRec p = viewCentre(host);
  setCurrentColor(host, m.ints[kFrameColorLine]);
  EntityRef frame = makeRectangle(host, p, makePoint(p.x + t.width, p.y - t.height));
  restoreCurrentColor(host, "BYLAYER");
  if (frame.valid != 1) return RTERROR;
  int ortho = shortVariable(host, "ORTHOMODE", 0);
  setDrawingVar(host, "SNAPFLAG", 0);
  setShortVariable(host, "ORTHOMODE", 0);
  printMessage(host, kAssignBase);
  int rc = moveByUser(host, frame.name, p);
  setShortVariable(host, "ORTHOMODE", ortho);
  if (rc != RTNORM) {
    // A placement the user cancelled leaves no empty frame behind.
    host.acdbEntDel(frame.name);
    return rc;
  }
  EntityRecord record;
  Point3 min, max;
  if (host.acdbEntGet(frame.name, record) != RTNORM || host.getGeomExtents(record, min, max) != RTNORM) {
    return RTERROR;
  }
  topLeft = makePoint(min.x, max.y);
  return RTNORM;
}

// A swatch: a rectangle in colour `color`, filled solid.
int drawSwatch(Host& host, const PointRec& corner, const PointRec& opposite, int color) {
  std::string previous = currentColor(host);
  setCurrentColor(host, color);
  EntityRef box = makeRectangle(host, corner, opposite);
  int rc = box.valid == 1 ? hatchSolid(host, box.name) : RTERROR;
  restoreCurrentColor(host, previous);
  return rc;
}

int drawRows(Host& host, const std::vector<std::vector<std::string>>& cells, const TableLayout& t,
             const PointRec& topLeft) {
  const MisSettings& m = misSet();
  std::vector<double> left(kToolTableColumns, topLeft.x);
  for (int k = 0; k + 1 < kToolTableColumns; ++k) left[k + 1] = left[k] + t.widths[k] + 2.0 * t.charWidth;
  double bottom = topLeft.y - t.height, right = topLeft.x + t.width;
  setCurrentColor(host, m.ints[kFrameColorLine]);
  for (int k = 1; k < kToolTableColumns; ++k) {
    makeLineEntity(host, makeLine(makePoint(left[k], topLeft.y), makePoint(left[k], bottom)));
  }
  int n = static_cast<int>(cells.size());
  for (int r = 0; r < n; ++r) {
    double y = topLeft.y - (r + 1) * (t.h + t.gap);
    setCurrentColor(host, m.ints[kTextColorLine]);
    for (int k = 0; k < kToolTableColumns; ++k) {
      int rc = RTNORM;
      if (r >= 1 && k == kSwatchColumn) {
        rc = drawSwatch(host, makePoint(left[k] + t.charWidth, y),
                        makePoint(left[k] + t.charWidth + t.widths[k], y + t.h), r);
      } else {
        rc = drawText(host, makePoint(left[k] + t.charWidth, y + t.gap / 2.0), t.h, cells[r][k]);
      }
      if (rc != RTNORM) return rc;
    }
    if (r + 1 < n) {
      setCurrentColor(host, m.ints[kFrameColorLine]);
      makeLineEntity(host, makeLine(makePoint(topLeft.x, y), makePoint(right, y)));
    }
  }
  return RTNORM;
}

}  // namespace

std::vector<std::string> toolTableRows(Host& host) {
  std::vector<std::string> rows = {chooseText(host, kHeading)};
  const OptSettings& s = optSettings();
  for (int i = 0; i < static_cast<int>(s.tools.size()) && toolRowInUse(s.tools[i]); ++i) {
    const ToolRow& row = s.tools[i];
    rows.push_back(formatted("%s %s %s %d %.3f %d %.2f %d %s ", row.Tool_no.c_str(), row.File_name.c_str(),
                             row.Thick.c_str(), row.Grit, row.Allowance, row.Speed, row.Feed, i + 1,
                             row.Work_time.c_str()));
  }
  host.acutPrintf(formatted("\n row_no=%d \n", static_cast<int>(rows.size())));
  return rows;
}

std::vector<std::vector<std::string>> toolTableCells(const std::vector<std::string>& rows) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::string> previous(kToolTableColumns);
  for (const std::string& row : rows) {
    std::istringstream words(row);
    std::vector<std::string> cellsOfRow = previous;
    std::string word;
    for (int k = 0; k < kToolTableColumns && words >> word; ++k) cellsOfRow[k] = word;
    cells.push_back(cellsOfRow);
    previous = cellsOfRow;
  }
  return cells;
}

int drawToolTable(Host& host) {
  int osmode = shortVariable(host, "OSMODE", 0);
  setShortVariable(host, "OSMODE", 0);
  double h = noteTextHeight(host);
  std::string color = currentColor(host);
  std::vector<std::vector<std::string>> cells = toolTableCells(toolTableRows(host));
  TableLayout layout = measure(host, cells, h);
  PointRec topLeft;
  int rc = placeFrame(host, layout, topLeft);
  if (rc == RTNORM) rc = drawRows(host, cells, layout, topLeft);
  restoreCurrentColor(host, color);
  setShortVariable(host, "OSMODE", osmode);
  return rc;
}

}  // namespace optgrind
