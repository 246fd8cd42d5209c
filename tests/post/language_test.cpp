// Tokens, the two evaluators, prefixes and the program load at their edges.
#include <cmath>
#include <cstdio>
#include <random>

#include "post/evaluator.h"
#include "post/text_util.h"
#include "post_fixture.h"

namespace optgrind::test {
namespace {

struct Language : PostFixture {
  // Evaluates text as an expression (or a condition) at the start of a program.
  double eval(const std::string& text, bool condition = false) {
    loadWcfProgram(host, "k " + text + "\n\n", "test.wcf");
    interp().pos = 2;
    interp().depth = 0;
    return condition ? evaluateCondition() : evaluateExpression();
  }
  std::string loadedText() const {
    return std::string(postState().text.data(), static_cast<size_t>(postState().textLength));
  }
};

// More of the operators in the golden case "statements".
TEST_F(Language, ArithmeticPrecedenceRemainderAndPower) {
  const std::pair<const char*, double> cases[] = {{"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"10 / 4 - 1", 1.5},
                                                  {"2 ^ 0", 1},     {"2 ^ -1", 2},      {"2 ^ 2.5", 8}};
  for (auto [text, value] : cases) EXPECT_EQ(eval(text), value) << text;
  EXPECT_TRUE(std::isinf(eval("2 ^ 1000000000")));  // huge exponents end at once
  EXPECT_NE(eval("1e9"), 1e9);                      // a digit followed by a letter starts a word, no number
  EXPECT_TRUE(std::isinf(eval("1 / 0")));
}

TEST_F(Language, ConditionsRelationsAndLogic) {
  postVariable(24).current = 3;
  EXPECT_EQ(eval("X = 5", true), 5);
  EXPECT_EQ(postVariable(24).current, 3);  // "=" compares nothing and assigns nothing
  // A leading "!" leaves the value; 1e300 is out of 32 bits: no undefined conversion.
  const std::pair<const char*, double> cases[] = {{"X == 3", 1},
                                                  {"X != 3", 0},
                                                  {"X >= 3", 1},
                                                  {"X <= 2", 0},
                                                  {"X > 2", 1},
                                                  {"X < 2", 0},
                                                  {"(X > 1) && (X < 2)", 0},
                                                  {"(X > 1) || (X < 2)", 1},
                                                  {"6 & 3", 2},
                                                  {"6 | 3", 7},
                                                  {"X ! 0", 1},
                                                  {"1 !& 1", 1},
                                                  {"!X", 3},
                                                  {"1e300 & 1", 0}};
  for (auto [text, value] : cases) EXPECT_EQ(eval(text, true), value) << text;
}

TEST_F(Language, VariablesByLetterNumberAndPrefix) {
  postVariable(24).current = 4;
  postVariable(24).last = 9;
  postVariable(31).current = 2.5;
  EXPECT_EQ(eval("(#X)"), 9);
  EXPECT_EQ(eval("(@X)"), 4);
  EXPECT_EQ(eval("(@31 + Xylophone)"), 6.5);  // the later name keeps the last prefix mode
  EXPECT_EQ(eval("(#@X)"), 4);
  eval("(@120)");
  EXPECT_NE(messages().find("not a variable\n"), std::string::npos);
}

TEST_F(Language, APrefixStaysInForceForNamesWithoutOne) {
  load("VARIABLE X = X-1.3\nprogram_start = #X A = 5 $\nwire_on = @X A = 6 $\n");
  run("X = 1\nprogram_start\n");
  EXPECT_EQ(postVariable(1).last, 5);  // after "#" an assignment goes to the last value
  EXPECT_EQ(postVariable(1).current, 0);
  run("wire_on\n");
  EXPECT_EQ(postVariable(1).current, 6);
}

TEST_F(Language, SkipsLeadingDefinitionAndRemarkLinesAndDropsTheLastCharacter) {
  load("VARIABLE X = X4.3\nvariable Y = Y4.3\n; remark\n\tindented\nprogram_start =\n \"A\"\n");
  EXPECT_EQ(loadedText(), "program_start =\n \"A\"");
  load("linear_feed = \"B\" $");  // no final line end: its last character goes
  EXPECT_EQ(loadedText(), "linear_feed = \"B\" ");
}

TEST_F(Language, ProgramTextIsCutAtItsSize) {
  std::string wcf = "linear_feed = \"" + std::string(40000, 'a') + "\"\n";
  load(wcf);
  EXPECT_EQ(postState().textLength, kProgramTextSize - 1);
  // The quote is cut off: the text is unterminated and reported, nothing written.
  EXPECT_EQ(run("linear_feed\n"), "");
  EXPECT_NE(messages().find("unbalanced parentheses"), std::string::npos);
}

}  // namespace
}  // namespace optgrind::test

namespace optgrind::test {
namespace {

// The NC numbers are printed without printf; they must agree with it digit
// for digit, ties and negative zeros included.
TEST(FixedText, AgreesWithPrintf) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> span(-2000.0, 2000.0);
  std::vector<double> values = {0.0, -0.0, 0.125, 2.5, 3.5, -2.5, 1.0005, 0.0004, -0.0001, 1e300, 1e-300};
  values.insert(values.end(), {12.345, 4503599627370496.0, 0.5, 1e15 + 0.5});
  for (int i = 0; i < 20000; ++i) values.push_back(span(random));
  for (int i = 0; i < 2000; ++i)
    values.push_back(static_cast<double>(random() % 200001) / 1000.0 - 100.0 + 0.0005);
  for (double v : values) {
    for (int places = 0; places <= 9; ++places) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", places, v);
      ASSERT_EQ(fixedText(v, places), expected) << v << " with " << places;
      ASSERT_EQ(std::signbit(roundedToPlaces(v, places)), std::signbit(std::strtod(expected, nullptr)));
      ASSERT_EQ(roundedToPlaces(v, places), std::strtod(expected, nullptr)) << v << " with " << places;
    }
  }
}

}  // namespace
}  // namespace optgrind::test
