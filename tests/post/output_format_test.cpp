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

TEST_F(OutputFormat, ValuesTheFormatCannotExpressAreReportedAndLeftOut) {
  load(
      "VARIABLE 41 = X+43\nVARIABLE X = X-4.0 ,MODAL\nVARIABLE G = G2 ,MODAL\n"
      "linear_feed =\n"
      "  (@41 = 3000000) @41 (X = 7 % 0) @X (X = 1 / 0) @X $\n"
      "  G99999999999 $\n");
  EXPECT_EQ(run("#X = 5\nlinear_feed\n"), "\n\n");
  EXPECT_EQ(messages(),
            "test.wcf:5: variable 41 = 3000000 cannot be written: too large for its format, word left out "
            "(in linear_feed)\n"
            "test.wcf:5: X = nan cannot be written: not a finite number, word left out (in linear_feed)\n"
            "test.wcf:5: X = inf cannot be written: not a finite number, word left out (in linear_feed)\n"
            "test.wcf:6: G = 99999999999 cannot be written: too large for its format, word left out "
            "(in linear_feed)\n");
  EXPECT_EQ(postVariable(kVarX).last, 5);  // nothing written: the last value stays
  EXPECT_EQ(write(kVarX, 6, kPrefixModal), "X6.");
}

TEST_F(OutputFormat, CountThatCannotBeWrittenDoesNotCount) {
  load("VARIABLE N = N4 INC/10\n");
  EXPECT_EQ(write(14, 3e9, kPrefixModal), "");
  EXPECT_EQ(postVariable(14).current, 3e9);
  EXPECT_EQ(write(14, -2147483648.0, kPrefixModal), "N-2147483648");  // the edge of the range still fits
  EXPECT_NE(messages().find("N = 3000000000 cannot be written"), std::string::npos) << messages();
}

TEST_F(OutputFormat, WhatRoundsToZeroIsWrittenWithoutASign) {
  load(
      "VARIABLE I = I-1.3 REL\nVARIABLE J = J1.3 REL\nVARIABLE 41 = X43 REL\nVARIABLE 42 = X+1.3\n"
      "VARIABLE X = X1.3 REL\n");
  EXPECT_EQ(write(kVarI, -0.0002, kPrefixModal), "I0.");  // the trimmed form of the bundled file
  EXPECT_EQ(write(kVarJ, -0.0002, kPrefixModal), "J0.000");
  EXPECT_EQ(write(kVarJ, -0.0008, kPrefixModal), "J-0.001");  // a true negative keeps its sign
  EXPECT_EQ(write(41, -0.0002, kPrefixModal), "X0000");
  EXPECT_EQ(write(42, -0.0004, kPrefixLast), "X+0.000");
  EXPECT_EQ(write(kVarX, -0.0004, kPrefixModal), "X0.000");  // the rounded increment of an axis
}

TEST_F(OutputFormat, MirroredIncrementsMoveTheLastValueAway) {
  load("VARIABLE X = X-1.3 REL\n");
  setCoordSystem(1);
  EXPECT_EQ(write(kVarX, 5, kPrefixModal), "X-5.");
  EXPECT_EQ(postVariable(kVarX).last, -5);  // the mirrored increment is what was written
}

}  // namespace
}  // namespace optgrind::test
