// Opening the finished NC file in the NC editor, found by the one editor
// rule of the data files (an editor named with a directory as given, a
// bare name in the install root's program folder or on PATH, else the
// desktop's opener). The command is shown on the command line; the host
// starts it without waiting (a script run only shows it). A program that
// does not start is not reported.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

void openInNcEditor(Host& host, const std::string& editor, const std::string& ncFile);

}  // namespace optgrind
