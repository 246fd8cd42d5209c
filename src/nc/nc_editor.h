// Opening the finished NC file in the NC editor.
//
// An editor named with a directory is run as given. A bare name is looked
// for as "<root>/program/<name>" (with or without ".exe"), else taken from
// PATH. Without an editor the desktop's opener "xdg-open" is used when
// present. The command is shown on the command line; the host decides
// whether to start it (a script run only shows it). A program that does
// not start is not reported.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

inline constexpr const char* kDesktopOpener = "xdg-open";

// The program and its arguments; empty when there is nothing to start.
std::vector<std::string> editorCommand(Host& host, const std::string& editor, const std::string& ncFile);
// The arguments as one shell command line, each quoted.
std::string shellCommandLine(const std::vector<std::string>& args);
// Shows and starts the editor on the NC file. Never waits for it.
void openInNcEditor(Host& host, const std::string& editor, const std::string& ncFile);

}  // namespace optgrind
