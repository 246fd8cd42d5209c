// How the standalone host reads one typed answer: a point, a number, a
// keyword, free text, Enter or a cancel.
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"

namespace optgrind::standalone {

// The line that cancels a prompt, as Escape does.
inline constexpr const char* kCancelAnswer = "^C";

// "x,y" or "x,y,z"; "@dx,dy[,dz]" relative to last. False for anything else.
bool parsePointAnswer(const std::string& text, const Point3& last, Point3& out);
// A whole decimal number (blanks around it allowed).
bool parseNumberAnswer(const std::string& text, double& out);
// The keyword of the blank-separated list that answer names, spelled as in
// the list: the whole keyword, its capitals ("eXit" answers to "X"), or its
// start up to its last capital; without case. Empty when it names none or
// more than one.
std::string matchKeyword(const std::string& answer, const std::string& keywords);
// Blank-separated words.
std::vector<std::string> splitWords(const std::string& text);
// The words of a line typed at "Command:": blanks separate them, except
// inside double quotes, which group a word with its blanks ("my file.dxf").
// A word keeps its quotes, so that it reads as it would typed alone; an
// unclosed quote runs to the end of the line.
std::vector<std::string> commandWords(const std::string& line);
std::string trimmed(const std::string& text);
// Upper-cased ASCII letters, blanks removed: how captions and labels compare.
std::string foldedName(const std::string& text);

}  // namespace optgrind::standalone
