// Reading a WCF file by name, as the original text-mode read gives it.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// The file's text as the original text-mode read gives it: CR LF becomes LF
// and a Ctrl-Z ends the file. Returns 0 when the file cannot be opened.
// A name without a directory is taken in the data directory.
int readWcfFile(Host& host, const std::string& name, std::string& out);
// The text-mode translation alone.
std::string textModeRead(const std::string& bytes);

}  // namespace optgrind
