// The handlers of the four commands. Each takes no arguments and returns
// nothing; it reaches the host through currentHost().
#pragma once

namespace optgrind {

void optCommand();
void pwOptCommand();
void optMarkCommand();
void optSetCommand();

}  // namespace optgrind
