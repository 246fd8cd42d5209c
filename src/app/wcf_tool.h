// `optgrind wcf`: a tool for people who write WCF files. It shows what the
// settings scan and the program load make of a file, and runs an event
// script through its program, writing the NC text as the NC file gets it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

// args: the words after "wcf": FILE [--events EVENTS]. Without --events the
// report goes to `out`; with it the NC text goes to `out`. Messages of the
// scan and the run go through the host. Returns 0, 1 when a line of the event
// script is not understood, 2 for bad arguments or a file that cannot be read.
int runWcfTool(Host& host, const std::vector<std::string>& args, std::ostream& out);
// The same with standard output as `out`.
int runWcfTool(Host& host, const std::vector<std::string>& args);

// A variable's format in words, as the report shows it.
std::string describeVariableFormat(int index);

}  // namespace optgrind
