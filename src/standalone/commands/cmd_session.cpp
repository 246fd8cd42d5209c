// The state the host's own commands share with the Host implementation.
#include "standalone/commands/cmd_session.h"

#include <cmath>
#include <utility>

#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {
namespace {

// As many views as the original host keeps for ZOOM Previous.
constexpr size_t kRememberedViews = 10;
// The group codes the header keeps a point and a real under.
constexpr int kHeaderPointCode = 10;
constexpr int kHeaderRealCode = 40;

}  // namespace

Session::Session(Host& host_, Console& console_, KeywordPrompt keywordPrompt)
    : host(host_), console(console_), drawing(newDrawing()), keywordPrompt_(std::move(keywordPrompt)) {}

void Session::setDrawing(Drawing replacement) {
  drawing = std::move(replacement);
  selectionSets.clear();
  previousSelection.clear();
  previousViews_.clear();
}

void Session::setView(const Point3& center, double height) {
  if (!std::isfinite(center.x) || !std::isfinite(center.y) || !std::isfinite(height) || height <= 0.0) return;
  noteHeaderEdit(drawing);
  drawing.header["$VIEWCTR"] = ResBuf::ofPoint(kHeaderPointCode, {center.x, center.y, 0.0});
  drawing.header["$VIEWSIZE"] = ResBuf::ofReal(kHeaderRealCode, height);
}

SavedView Session::currentView() {
  ResBuf center, height;
  host.acedGetVar("VIEWCTR", center);
  host.acedGetVar("VIEWSIZE", height);
  return SavedView{center.asPoint(), height.asReal()};
}

void Session::rememberView() {
  if (previousViews_.size() == kRememberedViews) previousViews_.erase(previousViews_.begin());
  previousViews_.push_back(currentView());
}

bool Session::takePreviousView(SavedView& out) {
  if (previousViews_.empty()) return false;
  out = previousViews_.back();
  previousViews_.pop_back();
  return true;
}

}  // namespace optgrind::standalone
