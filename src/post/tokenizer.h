// The tokenizer of the post language: reads the program text in place, one
// token at a time, following the parentheses, the output prefixes and the
// conditional statement's ":" jumps.
#pragma once

namespace optgrind {

// Reads one token at the reading position into the interpreter's current
// token and advances past it. After an interpreter error every read gives
// the end of the text, so every loop over tokens stops.
void nextToken();
// Moves the reading position back by the length of the current token's text,
// and undoes the depth change of a "(" or ")".
void putBack();
// The current token is the one-character sign c.
bool tokenIsSign(char c);
// The delimiters where a word or a number ends.
bool isDelimiter(char c);
// The variable index that the current token names: its number when it is a
// numeric name behind a prefix, else its first letter (A = 1 ... Z = 26).
// Error 4 ("not a variable") and -1 when it names none of the 120.
int tokenVariableIndex();
// The value of the variable the current token names: the last value in
// prefix mode 1, else the current value. 0 after an error.
double tokenVariableValue();

}  // namespace optgrind
