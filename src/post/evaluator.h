// The two evaluators of the post language, in double precision: the
// arithmetic one (assignments, printed values) and the condition one
// (relations and logic of the conditional statement).
#pragma once

namespace optgrind {

// Reads and evaluates an expression at the reading position; the token that
// ends it is put back. When the first token is a keyword nothing is
// evaluated: the result is 0 and the keyword stays the current token.
double evaluateExpression();
// The same over a condition: one relation ("==", "!=", ">=", "<=", ">",
// "<", "=", "&&", "||", "&", "|", "!") on top of the arithmetic.
double evaluateCondition();

// The two operators with the language's own rules.
double remainderOp(double left, double right);
double powerOp(double left, double right);

}  // namespace optgrind
