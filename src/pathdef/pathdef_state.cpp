#include "pathdef/pathdef_state.h"

namespace optgrind {

PathDefState& pathDefState() {
  static PathDefState state;
  return state;
}

void resetPathDefState() {
  PathDefState& s = pathDefState();
  s = PathDefState{};
  s.definedPaths = makeEntityRefList(kPathListCapacity);
  s.downPieces = makeEntityRefList(kPathListCapacity);
  s.upPieces = makeEntityRefList(kPathListCapacity);
}

}  // namespace optgrind
