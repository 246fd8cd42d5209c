// StandaloneHost: picking entities with the pick box, and the user's own
// "Select objects:" selection.
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "host/pick_box.h"
#include "standalone/console/answers.h"
#include "standalone/host/standalone_host.h"
#include "standalone/model/filter_list.h"
#include "standalone/model/geom.h"
#include "standalone/model/selection_core.h"

namespace optgrind::standalone {
namespace {

double distanceXY(const Point3& a, const Point3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::string foundMessage(size_t found, size_t total) {
  std::string s = std::to_string(found) + " found";
  if (found != total) s += ", " + std::to_string(total) + " total";
  return s + "\n";
}

}  // namespace

long long StandaloneHost::pickEntityAt(const Point3& at, const CompiledFilter* filter) {
  double h = pickBoxHalfSize(*this);
  Point3 lo{at.x - h, at.y - h, 0}, hi{at.x + h, at.y + h, 0};
  long long best = 0;
  double bestDistance = std::numeric_limits<double>::max();
  forEachLiveEntity(session_.drawing, [&](const DrawingEntity& e) {
    if (!layerShown(session_.drawing, e.record.layer)) return;
    if (filter && !filterAccepts(*filter, e)) return;
    if (!crossesWindow(session_.drawing, e.record, lo, hi)) return;
    Point3 near;
    double d = closestPointTo(e.record, at, false, near) == RTNORM ? distanceXY(near, at) : h;
    // The nearest wins; among equals the one drawn last, as it lies on top.
    if (d <= bestDistance) {
      bestDistance = d;
      best = e.id;
    }
  });
  return best;
}

int StandaloneHost::acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) {
  std::string answer;
  std::string shown = prompt.empty() ? "\nSelect object: " : prompt;
  while (console_.ask(shown, answer, promptOfKind(PromptKind::Entity))) {
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
  // The members of `chosen`, so that selecting the whole drawing costs no
  // walk of the choice for each entity.
  std::unordered_set<long long> isChosen;
  bool removing = false;
  auto apply = [&](const std::vector<long long>& ids) {
    size_t before = chosen.size();
    for (long long id : ids) {
      bool present = isChosen.count(id) != 0;
      if (removing && present) {
        chosen.erase(std::find(chosen.begin(), chosen.end(), id));
        isChosen.erase(id);
      }
      if (!removing && !present) {
        chosen.push_back(id);
        isChosen.insert(id);
      }
    }
    if (removing) {
      console_.print(std::to_string(before - chosen.size()) + " removed, " + std::to_string(chosen.size()) +
                     " total\n");
    } else {
      console_.print(foundMessage(ids.size(), chosen.size()));
    }
  };
  std::string answer;
  while (console_.ask(removing ? "Remove objects: " : "Select objects: ", answer,
                      promptOfKind(PromptKind::Entity))) {
    std::string t = trimmed(answer);
    std::string word = foldedName(t);
    if (t == kCancelAnswer) return RTCAN;
    if (t.empty()) {
      if (chosen.empty()) return RTERROR;
      session_.previousSelection = chosen;
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
      apply(selectEntities(session_.drawing, compiled,
                           word == "W" ? SelectRegion::Window : SelectRegion::Crossing, a, b));
    } else if (word == "ALL") {
      apply(selectEntities(session_.drawing, compiled, SelectRegion::All));
    } else if (word == "P") {
      apply(stillSelected(session_.drawing, compiled, session_.previousSelection));
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
