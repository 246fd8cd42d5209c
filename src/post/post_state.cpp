#include "post/post_state.h"

namespace optgrind {

PostState g_postState;

void setNcSink(NcSink* sink) { interp().sink = sink; }
void setNcFileName(const std::string& name) { interp().ncFileName = name; }
void setCoordSystem(int coordSystem) { interp().coordSystem = coordSystem; }

void resetPostState() {
  PostState& s = postState();
  if (s.run.tableFile != nullptr) std::fclose(s.run.tableFile);
  NcSink* sink = s.run.sink;
  s = PostState();
  s.run.sink = sink;
}

}  // namespace optgrind
