// `optgrind --view`: the session shown in a browser page as well as at the
// terminal; both feed the same answers.
#pragma once

#include "app/options.h"

namespace optgrind {

int runViewSession(const AppOptions& opts);

}  // namespace optgrind
