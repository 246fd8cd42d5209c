// The finishing pass: short lines dropped, "&" lines joined to the line
// held before them, long lines kept whole.
#include "nc/finishing_pass.h"

#include <gtest/gtest.h>

#include "nc/path_emit.h"

namespace optgrind {
namespace {

TEST(FinishingPass, ShortLinesGoAndAmpersandLinesContinueTheHeldLine) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"G01X1.\n\nX2.\n", "G01X1.\nX2.\n"},               // an empty line goes
      {"G01X1.\nM\nX2.\n", "G01X1.\nM\nX2.\n"},           // one character and its line end stay
      {"G01X1.\n&Y2.\n", "G01X1.Y2.\n"},                  // "&" first: joins the line before
      {"G01X1.\n\t&Y2.&\n", "G01X1.\tY2.\n"},             // behind a tab as well; every "&" goes
      {"G01X1.\nN2&Y2.\nX3.\n", "G01X1.\nN2Y2.\nX3.\n"},  // "&" inside: a line of its own
      {"&(FIRST)\nX1.\n", "(FIRST)\nX1.\n"},              // nothing held yet
      {"G01X1.\n&M00\n&(CHECK)\n", "G01X1.M00(CHECK)\n"},
      {"X1.\nY", "X1.\n"},  // a last character without its line end is a short line
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(finishNcText(c.in), c.out) << c.in;
}

TEST(FinishingPass, LinesLongerThanAPieceSurviveWhole) {
  std::string line78(kFinishingPieceChars, 'X');
  std::string line79 = line78 + "Y";
  std::string line200(200, 'Z');
  std::string text = line78 + "\n" + line79 + "\n" + line200 + "\n&A\n";
  EXPECT_EQ(finishNcText(text), line78 + "\n" + line79 + "\n" + line200 + "A\n");
}

TEST(EndText, WrittenWithAnAmpersandWithoutZeroMarksAndDollarsAsLineEnds) {
  EXPECT_EQ(endTextOutput("M00#0$(CHECK POINT)$"), "&M00\n(CHECK POINT)\n");
  EXPECT_EQ(endTextOutput("#"), "&#");
  EXPECT_EQ(endTextOutput(""), "&");
}

}  // namespace
}  // namespace optgrind
