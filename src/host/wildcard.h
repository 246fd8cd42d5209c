// Host wildcard patterns, read as the host's wcmatch reads them:
//   *  any sequence, also empty        ?  any one character
//   #  one digit                       @  one letter
//   .  one character that is neither letter nor digit
//   [abc] [a-z]  one of the set        [~abc]  one character not in the set
//   ~  at the start of a pattern: anything the rest does not match
//   ,  separates alternative patterns  `  takes the next character literally
// Characters are code points of UTF-8 text. Only plain standard-library
// types here: the selection filters and the system's own layer helpers
// share it.
#pragma once

#include <string>

namespace optgrind {

enum class WildcardCase { Sensitive, Insensitive };

// True when text matches pattern (any of its comma-separated alternatives).
// Insensitive compares letters of the Latin, Greek and Cyrillic alphabets
// without case. Never fails: an unclosed "[" stands for itself.
bool wildcardMatch(const std::string& text, const std::string& pattern,
                   WildcardCase mode = WildcardCase::Sensitive);

}  // namespace optgrind
