// Finding a file by name the way the original platform does: the exact name
// first, then the same name in other letter case in the same folder.
#pragma once

#include <string>

namespace optgrind {

// The path of the file that path names, ignoring the letter case of its
// last part when no file has the exact name: the exact name, else the
// first entry (in name order) of its folder that matches without case.
// Empty when neither exists.
std::string findFileIgnoringCase(const std::string& path);

// findFileIgnoringCase, or path itself when nothing matches: the name under
// which a file is opened or created.
std::string existingNameOr(const std::string& path);

// Whether a name holds a directory: a "/", "\" or ":".
bool hasDirectory(const std::string& name);
// The part of a name after its last "/", "\" or ":".
std::string filePart(const std::string& name);
// The name with every "\" turned into "/".
std::string withSlashes(std::string name);

}  // namespace optgrind
