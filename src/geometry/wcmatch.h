// The host's wildcard patterns, for matching class and layer names:
//   *  any sequence, also empty        ?  any one character
//   #  one digit                       @  one letter
//   .  one character that is neither letter nor digit
//   [abc] [a-z]  one of the set        [~abc]  one character not in the set
//   ~  at the start of a pattern: anything the rest does not match
//   ,  separates alternative patterns  `  takes the next character literally
// Characters are code points of UTF-8 text; letters compare with case.
#pragma once

#include <string>

namespace optgrind {

bool wcmatch(const std::string& text, const std::string& pattern);

}  // namespace optgrind
