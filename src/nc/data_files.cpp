#include "nc/data_files.h"

namespace optgrind {

std::string installRoot(Host&) { return std::string(); }
std::string dataDirectory(Host& host) { return installRoot(host) + "/DAT"; }
std::FILE* openDataFile(Host&, const std::string&, const char*) { return nullptr; }

}  // namespace optgrind
