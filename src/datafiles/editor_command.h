// The program that opens a file for the user to edit: the NC editor of the
// global settings, or the editor of the choice-list file.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

// The folder under the install root that holds the suite's programs.
constexpr const char* kProgramFolder = "program";
// The opener of the desktop, used when no editor of the name is found.
constexpr const char* kDesktopOpener = "xdg-open";

// The argument vector that opens file in the editor named editor:
// - a name with a directory ("/", "\" or ":") is run as given;
// - a bare name is <root>/program/<name> or <root>/program/<name>.exe when
//   that exists (letter case ignored), else the program of that name on PATH;
// - an empty name, or one found nowhere, opens the file with xdg-open when
//   that is on PATH.
// Empty when there is nothing to run.
std::vector<std::string> editorCommand(Host& host, const std::string& editor, const std::string& file);

// The program of that name on PATH (an executable file), or empty.
std::string findOnPath(const std::string& name);

}  // namespace optgrind
