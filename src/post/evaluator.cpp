#include "post/evaluator.h"

#include <cmath>

#include "post/post_error.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/tokenizer.h"

namespace optgrind {
namespace {

// Above this many multiplications "^" is computed with pow, which agrees
// with the repeated product for every exponent a WCF file can mean.
constexpr double kMaxRepeatedProducts = 1024.0;

// One recursive descent over the tokens; `condition` selects the condition
// evaluator's unary ("!") and primary (a parenthesised relation).
class Descent {
 public:
  explicit Descent(bool condition) : condition_(condition) {}

  double top() {
    Interpreter& in = interp();
    nextToken();
    if (in.tokenClass == kTokenKeyword) return 0.0;
    if (in.token.empty()) {
      postError(kErrNoExpression);
      return 0.0;
    }
    double result = condition_ ? relation() : sum();
    putBack();
    return result;
  }

 private:
  bool failed() const { return interp().failed; }

  double relation() {
    double left = sum();
    if (failed() || interp().tokenClass != kTokenSign || interp().token.size() != 1) return left;
    Interpreter& in = interp();
    char op = in.token[0];
    char next = textAt(in.pos);
    enum { Eq, Ne, Ge, Le, Gt, Lt, Assign, And, Or, BitAnd, BitOr, Not } kind;
    switch (op) {
      case '=':
        kind = next == '=' ? Eq : Assign;
        break;
      case '!':
        kind = next == '=' ? Ne : (next == '&' ? And : Not);
        break;
      case '>':
        kind = next == '=' ? Ge : Gt;
        break;
      case '<':
        kind = next == '=' ? Le : Lt;
        break;
      case '&':
        kind = next == '&' ? And : BitAnd;
        break;
      case '|':
        kind = next == '|' ? Or : BitOr;
        break;
      default:
        return left;
    }
    bool twoCharacters =
        (kind == Eq || kind == Ne || kind == Ge || kind == Le || (kind == And) || kind == Or);
    if (twoCharacters) ++in.pos;
    nextToken();
    double right = sum();
    switch (kind) {
      case Eq:
        return left == right ? 1.0 : 0.0;
      case Ne:
        return left != right ? 1.0 : 0.0;
      case Ge:
        return left >= right ? 1.0 : 0.0;
      case Le:
        return left <= right ? 1.0 : 0.0;
      case Gt:
        return left > right ? 1.0 : 0.0;
      case Lt:
        return left < right ? 1.0 : 0.0;
      case Assign:
        return right;
      case And:
        return (left != 0.0 && right != 0.0) ? 1.0 : 0.0;
      case Or:
        return (left != 0.0 || right != 0.0) ? 1.0 : 0.0;
      case BitAnd:
        return static_cast<double>(truncToInt32(left) & truncToInt32(right));
      case BitOr:
        return static_cast<double>(truncToInt32(left) | truncToInt32(right));
      case Not:
        return right == 0.0 ? 1.0 : 0.0;
    }
    return left;
  }

  double sum() {
    double result = product();
    while (!failed() && (tokenIsSign('+') || tokenIsSign('-'))) {
      char op = interp().token[0];
      nextToken();
      double right = product();
      result = op == '+' ? result + right : result - right;
    }
    return result;
  }

  double product() {
    double result = power();
    while (!failed() && (tokenIsSign('*') || tokenIsSign('/') || tokenIsSign('%'))) {
      char op = interp().token[0];
      nextToken();
      double right = power();
      if (op == '*')
        result *= right;
      else if (op == '/')
        result /= right;
      else
        result = remainderOp(result, right);
    }
    return result;
  }

  double power() {
    double result = unary();
    if (!failed() && tokenIsSign('^')) {
      nextToken();
      double right = power();
      result = powerOp(result, right);
    }
    return result;
  }

  double unary() {
    char op = 0;
    if (tokenIsSign('+') || tokenIsSign('-') || (condition_ && tokenIsSign('!'))) {
      op = interp().token[0];
      nextToken();
    }
    double result = primary();
    return op == '-' ? -result : result;
  }

  double primary() {
    if (tokenIsSign('(')) {
      nextToken();
      double result = condition_ ? relation() : sum();
      if (failed()) return 0.0;
      if (!tokenIsSign(')')) {
        postError(kErrParentheses);
        return 0.0;
      }
      nextToken();
      return result;
    }
    return atom();
  }

  double atom() {
    Interpreter& in = interp();
    double result = 0.0;
    if (in.tokenClass == kTokenName) {
      result = tokenVariableValue();
    } else if (in.tokenClass == kTokenNumber) {
      result = leadingDouble(in.token.c_str());
    } else {
      postError(kErrSyntax);
      return 0.0;
    }
    nextToken();
    return result;
  }

  bool condition_;
};

}  // namespace

double remainderOp(double left, double right) { return left - std::trunc(left / right) * right; }

double powerOp(double left, double right) {
  if (right == 0.0) return 1.0;
  double base = left;
  double result = left;
  double t = right - 1.0;
  if (!(t > 0.0)) return result;
  if (t > kMaxRepeatedProducts) {
    // The repeated product below runs ceil(t) times.
    return std::pow(base, std::ceil(t) + 1.0);
  }
  for (; t > 0.0; t -= 1.0) result *= base;
  return result;
}

double evaluateExpression() { return Descent(false).top(); }
double evaluateCondition() { return Descent(true).top(); }

}  // namespace optgrind
