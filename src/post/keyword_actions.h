// What the keywords of the post language do when a statement meets them.
#pragma once

namespace optgrind {

// Runs the keyword that is the current token (tbl_open, tbl_close, mem_on,
// mem_off, beep, getval and getstr2; the reserved ones do nothing).
void runKeyword(int code);
// The value of an assignment whose right side is the keyword `code`:
// getval and getstr2 give theirs; the reserved keywords give 0.
double keywordValue(int code);

}  // namespace optgrind
