// Variable output: the three output modes, tolerances and last values.
#include "post/output_format.h"

#include "post_fixture.h"

namespace optgrind::test {
namespace {

struct OutputFormat : PostFixture {
  // Sets the current value and writes the variable; answers the NC text.
  std::string write(int index, double current, int mode) {
    sink.clear();
    postVariable(index).current = current;
    writeVariable(index, mode);
    return sink.text();
  }
};

TEST_F(OutputFormat, ModeOneWritesTheAbsoluteValueEvenWhenIncrementalOrModal) {
  load("VARIABLE X = X-1.3 REL ,MODAL\n");
  postVariable(kVarX).last = 4;
  EXPECT_EQ(write(kVarX, 5, kPrefixLast), "X5.");
  EXPECT_EQ(write(kVarX, 5, kPrefixLast), "X5.");
  EXPECT_EQ(write(kVarX, 7.25, kPrefixModal), "X2.25");  // the increment since the last written value
  EXPECT_EQ(write(kVarX, 7.25, kPrefixModal), "");
}

TEST_F(OutputFormat, ModeThreeAxesByChangeAndArcGOthersAlways) {
  load("VARIABLE X = X4 ,MODAL\nVARIABLE Y = Y-1.3\nVARIABLE F = F4\n");
  EXPECT_EQ(write(kVarX, 12, kPrefixCurrent), "X0012");
  EXPECT_EQ(write(kVarX, 12, kPrefixCurrent), "");  // unchanged
  postVariable(kVarG).current = 2;
  EXPECT_EQ(write(kVarX, 12, kPrefixCurrent), "X0012");  // an arc writes an unchanged integer axis
  EXPECT_EQ(write(kVarY, 3, kPrefixCurrent), "Y3.");
  EXPECT_EQ(write(kVarY, 3, kPrefixCurrent), "");  // a decimal axis only when changed, arc or not
  EXPECT_EQ(write(6, 100, kPrefixCurrent), "F0100");
  EXPECT_EQ(write(6, 100, kPrefixCurrent), "F0100");
}

TEST_F(OutputFormat, ModalTolerancesOfVariableZeroAndIntEps) {
  load("VARIABLE 0 = 1.3 INIT/0.01\nVARIABLE X = X-1.3 ,MODAL\nVARIABLE A = A-1.3 ,MODAL INT_EPS\n");
  EXPECT_EQ(write(kVarX, 1, kPrefixModal), "X1.");
  EXPECT_EQ(write(kVarX, 1.009, kPrefixModal), "");  // within 0.01
  EXPECT_EQ(write(kVarX, 1.01, kPrefixModal), "X1.01");
  EXPECT_EQ(write(1, 1, kPrefixModal), "A1.");
  EXPECT_EQ(write(1, 1.0004, kPrefixModal), "");  // INT_EPS: within 0.0005
  EXPECT_EQ(write(1, 1.0006, kPrefixModal), "A1.001");
}

TEST_F(OutputFormat, ScaledIntegersRoundHalfAwayFromZero) {
  load("VARIABLE 41 = X+43\nVARIABLE 42 = Y3\n");
  EXPECT_EQ(write(41, 0.0005, kPrefixModal), "X+0001");
  EXPECT_EQ(write(41, -0.0005, kPrefixModal), "X-0001");
  EXPECT_EQ(write(41, 1e12, kPrefixModal), "X-2147483648");  // beyond 32 bits, as the machine converts
  EXPECT_EQ(write(42, 2.5, kPrefixModal), "Y003");
  EXPECT_EQ(write(42, -2.4, kPrefixModal), "Y-002");
}

TEST_F(OutputFormat, DecimalPointWithoutPlacesKeepsThePoint) {
  load("VARIABLE F = F4.0\nVARIABLE 44 = X-4.3\n");
  EXPECT_EQ(write(6, 150, kPrefixModal), "F150.");
  EXPECT_EQ(write(44, -12345.5, kPrefixModal), "X-12345.5");  // wider than the digits: sign kept
}

TEST_F(OutputFormat, CountingVariableCountsInEveryModeAndAxesKeepTheirSetPlaces) {
  load("VARIABLE N = N4 INC/10 INIT/10\nVARIABLE X = X43 REL\n");
  sink.clear();
  writeVariable(14, kPrefixLast);
  writeVariable(14, kPrefixModal);
  writeVariable(14, kPrefixCurrent);
  EXPECT_EQ(sink.text(), "N0010N0020N0030");
  // An axis without places takes the scale digits as its places (and keeps them).
  EXPECT_EQ(write(kVarX, 0.0004, kPrefixModal), "X0000");
  EXPECT_EQ(postVariable(kVarX).decimalPlaces, 3);
  EXPECT_EQ(write(kVarX, 0.0008, kPrefixModal), "X0001");
  EXPECT_EQ(postVariable(kVarX).last, 0.001);
}

TEST_F(OutputFormat, MirroredIncrementsMoveTheLastValueAway) {
  load("VARIABLE X = X-1.3 REL\n");
  setCoordSystem(1);
  EXPECT_EQ(write(kVarX, 5, kPrefixModal), "X-5.");
  EXPECT_EQ(postVariable(kVarX).last, -5);  // the mirrored increment is what was written
}

}  // namespace
}  // namespace optgrind::test
