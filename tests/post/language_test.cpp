// Tokens, the two evaluators and the statements at their edges.
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
};

// More of the operators in the golden case "statements".
TEST_F(Language, ArithmeticPrecedenceRemainderAndPower) {
  EXPECT_EQ(eval("1 + 2 * 3"), 7);
  EXPECT_EQ(eval("(1 + 2) * 3"), 9);
  EXPECT_EQ(eval("10 / 4 - 1"), 1.5);
  EXPECT_EQ(eval("2 ^ 0"), 1);
  EXPECT_EQ(eval("2 ^ -1"), 2);
  EXPECT_EQ(eval("2 ^ 2.5"), 8);
  EXPECT_TRUE(std::isinf(eval("2 ^ 1000000000")));  // huge exponents end at once
  EXPECT_NE(eval("1e9"), 1e9);                      // a digit followed by a letter starts a word, no number
  EXPECT_TRUE(std::isinf(eval("1 / 0")));
}

TEST_F(Language, ConditionsRelationsAndLogic) {
  postVariable(24).current = 3;
  EXPECT_EQ(eval("X = 5", true), 5);
  EXPECT_EQ(postVariable(24).current, 3);  // "=" compares nothing and assigns nothing
  EXPECT_EQ(eval("X == 3", true), 1);
  EXPECT_EQ(eval("X != 3", true), 0);
  EXPECT_EQ(eval("X >= 3", true), 1);
  EXPECT_EQ(eval("X <= 2", true), 0);
  EXPECT_EQ(eval("X > 2", true), 1);
  EXPECT_EQ(eval("X < 2", true), 0);
  EXPECT_EQ(eval("(X > 1) && (X < 2)", true), 0);
  EXPECT_EQ(eval("(X > 1) || (X < 2)", true), 1);
  EXPECT_EQ(eval("6 & 3", true), 2);
  EXPECT_EQ(eval("6 | 3", true), 7);
  EXPECT_EQ(eval("X ! 0", true), 1);
  EXPECT_EQ(eval("1 !& 1", true), 1);
  EXPECT_EQ(eval("!X", true), 3);         // a leading "!" leaves the value
  EXPECT_EQ(eval("1e300 & 1", true), 0);  // out of 32 bits: no undefined conversion
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

// A quote runs to its closing mark, whatever it holds.
TEST_F(Language, QuotesAreWrittenWhole) {
  load("x\nwire_on = \"a:b;c(\" $\n");
  EXPECT_EQ(run("wire_on\n"), "a:b;c(\n");
}

TEST_F(Language, OutputSwitchKeepsAssignmentsAndModalState) {
  load(
      "VARIABLE X = X-1.3 ,MODAL\n"
      "linear_feed = @X $\n"
      "wire_off = mem_off\n"
      "wire_on = mem_on\n");
  postVariable(24).current = 1;
  EXPECT_EQ(run("wire_off\nlinear_feed\nX = 2\nwire_on\nlinear_feed\nlinear_feed\n"), "X2.\n\n");
  EXPECT_EQ(postVariable(24).last, 2);
}

TEST_F(Language, UnknownCharacterAndMissingEqualsEndTheEventOnly) {
  load("x\nprogram_start = \"a\" \x01 \"never\"\nwire_on = X 5 \"never\"\nwire_off = \"b\"\n");
  EXPECT_EQ(run("program_start\nwire_on\nwire_off\n"), "ab");
  EXPECT_NE(messages().find("test.wcf:2: no expression present (in program_start)\n"), std::string::npos)
      << messages();
  EXPECT_NE(messages().find("test.wcf:3: equals sign expected (in wire_on)\n"), std::string::npos);
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
