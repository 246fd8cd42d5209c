// The install root, its data directory, and the data-file open with its
// search order.
#pragma once

#include <cstdio>
#include <string>

#include "host/host.h"

namespace optgrind {

// The install root by the host version (ACADVER), from the host's registry
// value; when the key is missing, a message and the fixed fallback root.
std::string installRoot(Host& host);
// The install root followed by "/DAT".
std::string dataDirectory(Host& host);
// Opens a data file by name with the search order: the data directory for
// a bare name; a name with a directory as given, then its file part in the
// data directory. Each place takes the exact name first, then the name in
// other letter case. Null when nothing opens.
std::FILE* openDataFile(Host& host, const std::string& name, const char* mode);
// Writes a whole data file where openDataFile would open it for writing:
// to a temporary name first, renamed into place once complete. 1 when
// written, 0 when it could not be (an old file then stays as it was). An
// existing file keeps its permissions, owner and links (see replaceFile).
int saveDataFile(Host& host, const std::string& name, const std::string& content);

}  // namespace optgrind
