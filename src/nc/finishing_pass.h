// The finishing pass over a written NC file: lines shorter than two
// characters go, and a line that begins with "&" continues the line before
// it. Lines are read in pieces of at most 78 characters.
#pragma once

#include <cstdio>
#include <string>

namespace optgrind {

constexpr size_t kFinishingPieceChars = 78;

// Copies `from` to `to` leaving out pieces shorter than two characters.
// 1 when both files could be used.
int dropShortLines(std::FILE* from, std::FILE* to);
// Copies `from` to `to` joining "&" lines to the line held before them.
int joinContinuations(std::FILE* from, std::FILE* to);

// Both steps over a text in memory, for tests and tools.
std::string finishNcText(const std::string& text);

// Both steps over the file `ncFile` through the scratch file `scratch`
// (removed afterwards). 1 when done; 0 leaves ncFile in an unknown state,
// so a caller writes a file of its own here, never the user's.
int runFinishingPass(const std::string& ncFile, const std::string& scratch);

}  // namespace optgrind
