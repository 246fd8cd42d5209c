// StandaloneHost: picking entities with the pick box, and the user's own
// "Select objects:" selection.
#include <algorithm>
#include <cmath>
#include <limits>

#include "standalone/console/answers.h"
#include "standalone/host/standalone_host.h"
#include "standalone/model/filter_list.h"
#include "standalone/model/geom.h"

namespace optgrind::standalone {
namespace {

// The pick box in drawing units: PICKBOX pixels on a view VIEWSIZE units
// high, taken as this many pixels high.
constexpr double kViewHeightPixels = 150.0;

double distanceXY(const Point3& a, const Point3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::string foundMessage(size_t found, size_t total) {
  std::string s = std::to_string(found) + " found";
  if (found != total) s += ", " + std::to_string(total) + " total";
  return s + "\n";
}

}  // namespace

double StandaloneHost::pickBoxHalfSize() {
  ResBuf pickbox, viewsize;
  double box = acedGetVar("PICKBOX", pickbox) == RTNORM ? pickbox.asReal() : 3.0;
  double view = acedGetVar("VIEWSIZE", viewsize) == RTNORM ? viewsize.asReal() : 100.0;
  return box * view / kViewHeightPixels / 2.0;
}

long long StandaloneHost::pickEntityAt(const Point3& at, const CompiledFilter* filter) {
  double h = pickBoxHalfSize();
  Point3 lo{at.x - h, at.y - h, 0}, hi{at.x + h, at.y + h, 0};
  long long best = 0;
  double bestDistance = std::numeric_limits<double>::max();
  for (const auto& e : drawing_.entities) {
    if (e.erased || !layerShown(drawing_, e.record.layer)) continue;
    if (filter && !filterAccepts(*filter, e.record)) continue;
    if (!crossesWindow(drawing_, e.record, lo, hi)) continue;
    Point3 near;
    double d = closestPointTo(e.record, at, false, near) == RTNORM ? distanceXY(near, at) : h;
    // The nearest wins; among equals the one drawn last, as it lies on top.
    if (d <= bestDistance) {
      bestDistance = d;
      best = e.id;
    }
  }
  return best;
}

int StandaloneHost::acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) {
  std::string answer;
  std::string shown = prompt.empty() ? "\nSelect object: " : prompt;
  while (console_.ask(shown, answer)) {
    std::string t = trimmed(answer);
    if (t == kCancelAnswer) return RTCAN;
    if (t.empty()) return RTERROR;
    Point3 p;
    if (!parsePointAnswer(t, lastPoint_, p)) {
      console_.print("\nInvalid point.\n");
      continue;
    }
    lastPoint_ = p;
    long long id = pickEntityAt(p, nullptr);
    if (id == 0) {
      console_.print("\nNothing found.\n");
      return RTERROR;
    }
    name = nameOf(id);
    picked = p;
    return RTNORM;
  }
  return RTCAN;
}

int StandaloneHost::selectInteractively(const ResBufList* filter, SelectionSet& out) {
  CompiledFilter compiled = compileFilter(filter ? *filter : ResBufList{});
  if (!compiled.valid) return RTERROR;
  std::vector<long long> chosen;
  bool removing = false;
  auto apply = [&](const std::vector<long long>& ids) {
    size_t before = chosen.size();
    for (long long id : ids) {
      auto at = std::find(chosen.begin(), chosen.end(), id);
      if (removing && at != chosen.end()) chosen.erase(at);
      if (!removing && at == chosen.end()) chosen.push_back(id);
    }
    if (removing) {
      console_.print(std::to_string(before - chosen.size()) + " removed, " + std::to_string(chosen.size()) +
                     " total\n");
    } else {
      console_.print(foundMessage(ids.size(), chosen.size()));
    }
  };
  auto passing = [&](const DrawingEntity& e) {
    return !e.erased && layerShown(drawing_, e.record.layer) && filterAccepts(compiled, e.record);
  };
  std::string answer;
  while (console_.ask(removing ? "Remove objects: " : "Select objects: ", answer)) {
    std::string t = trimmed(answer);
    std::string word = foldedName(t);
    if (t == kCancelAnswer) return RTCAN;
    if (t.empty()) {
      if (chosen.empty()) return RTERROR;
      previousSelection_ = chosen;
      return makeSelectionSet(chosen, out);
    }
    Point3 p;
    if (parsePointAnswer(t, lastPoint_, p)) {
      lastPoint_ = p;
      long long id = pickEntityAt(p, &compiled);
      apply(id ? std::vector<long long>{id} : std::vector<long long>{});
    } else if (word == "W" || word == "C") {
      Point3 a, b;
      if (acedGetPoint(nullptr, "Specify first corner: ", a) != RTNORM) return RTCAN;
      if (acedGetCorner(a, "Specify opposite corner: ", b) != RTNORM) return RTCAN;
      Point3 lo{std::min(a.x, b.x), std::min(a.y, b.y), 0}, hi{std::max(a.x, b.x), std::max(a.y, b.y), 0};
      std::vector<long long> ids;
      for (const auto& e : drawing_.entities) {
        if (!passing(e)) continue;
        bool in = word == "W" ? insideWindow(drawing_, e.record, lo, hi)
                              : crossesWindow(drawing_, e.record, lo, hi);
        if (in) ids.push_back(e.id);
      }
      apply(ids);
    } else if (word == "ALL") {
      std::vector<long long> ids;
      for (const auto& e : drawing_.entities) {
        if (passing(e)) ids.push_back(e.id);
      }
      apply(ids);
    } else if (word == "P") {
      std::vector<long long> ids;
      for (long long id : previousSelection_) {
        const DrawingEntity* e = findEntity(drawing_, id);
        if (e && passing(*e)) ids.push_back(id);
      }
      apply(ids);
    } else if (word == "R") {
      removing = true;
    } else if (word == "A") {
      removing = false;
    } else {
      console_.print("*Invalid selection*\nExpects a point or Window/Crossing/ALL/Previous/Remove/Add\n");
    }
  }
  return RTCAN;
}

}  // namespace optgrind::standalone
