// The settings scan: option keywords and variable format definitions.
#include "post_fixture.h"

namespace optgrind::test {
namespace {

using SettingsScan = PostFixture;

TEST_F(SettingsScan, FormatWordsGiveLetterSignDigitsPointAndFlags) {
  load(
      "VARIABLE X = X+4.3 ,MODAL\n"
      "VARIABLE 24 = +4.3\n"  // the later line for X wins
      "VARIABLE 40 = 4.3\n"
      "VARIABLE 41 = X-4.3 REL POSITIVE INT_EPS EXT_EPS\n"
      "VARIABLE 42 = X+43\n"
      "VARIABLE N = N4 INC/10 INIT/10\n"
      "ITEM B = b2.1 INIT/2.5 ADD/7\n"
      "variable 43 = y5\n");
  const PostVariable& x = postVariable(24);  // "+4.3" has no ",MODAL"
  EXPECT_EQ(std::make_tuple(x.letter, x.showPlus, x.integerDigits, x.decimalPoint, x.decimalPlaces,
                            x.absolute, x.modal),
            std::make_tuple('X', true, 4, true, 3, true, false));
  EXPECT_EQ(std::make_pair(postVariable(40).letter, postVariable(40).integerDigits), std::make_pair('!', 4));
  const PostVariable& t = postVariable(41);
  EXPECT_EQ(std::make_tuple(t.trimZeros, t.showPlus, t.absolute, t.positive, t.intEps, t.extEps),
            std::make_tuple(true, false, false, true, true, true));
  const PostVariable& scaled = postVariable(42);
  EXPECT_EQ(std::make_tuple(scaled.decimalPoint, scaled.scaleDigits, scaled.decimalPlaces),
            std::make_tuple(false, 3, 0));
  const PostVariable& n = postVariable(14);
  EXPECT_EQ(std::make_tuple(n.step, n.initial, n.current), std::make_tuple(10, 10.0, 10.0));
  // "ADD/" sets the last value of variable 2 only; the line is read in upper case.
  const PostVariable& b = postVariable(2);
  EXPECT_EQ(std::make_tuple(b.letter, b.last, b.current), std::make_tuple('B', 7.0, 2.5));
  // Lines are examined in upper case: a lower-case definition line counts.
  EXPECT_EQ(std::make_pair(postVariable(43).letter, postVariable(43).integerDigits), std::make_pair('Y', 5));
}

TEST_F(SettingsScan, OptionsMatchAnywhereInAnyCaseFirstKeywordDecides) {
  load(
      "date_out\n"
      "  this line asks for GET_NAME_NO and SIMULATE2\n"
      "CUT_EACH_BUSH2\n"
      "NCEXTNAME = iso\n"
      "DBF_NAME= tools.dbf extra\n"
      "H108=5 H110=7\n"
      "VARIABLE X = X4.3 ; SIMULATE\n"
      "Plot_opt\n");
  const WcfOptions& o = postState().options;
  EXPECT_TRUE(o.has(WcfOption::DateOut));
  EXPECT_TRUE(o.has(WcfOption::GetNameNo));
  EXPECT_FALSE(o.has(WcfOption::Simulate2));  // that line was taken by GET_NAME_NO...
  EXPECT_TRUE(o.has(WcfOption::CutEachBush));
  EXPECT_TRUE(o.has(WcfOption::CutEachBush2));
  EXPECT_EQ(o.ncExtension, ".ISO");
  EXPECT_EQ(o.words.at("DBF_NAME"), "TOOLS.DBF");
  EXPECT_EQ(o.hCodes, (std::array<int, 4>{5, 109, 7, 120}));
  // ...and a definition line holding an option keyword is that option and defines nothing.
  EXPECT_TRUE(o.has(WcfOption::Simulate));
  EXPECT_EQ(postVariable(24).letter, ' ');
}

TEST_F(SettingsScan, SimulateLineSetsBothFlagsAndFirstKeywordWinsOverLaterOnes) {
  load("SIMULATE2\nMARK_BASE_PT LINEAR_APPROACH\n");
  const WcfOptions& o = postState().options;
  EXPECT_TRUE(o.has(WcfOption::Simulate));
  EXPECT_TRUE(o.has(WcfOption::Simulate2));
  EXPECT_TRUE(o.has(WcfOption::MarkBasePt));
  EXPECT_FALSE(o.has(WcfOption::LinearApproach));
}

TEST_F(SettingsScan, UnreasonableFormatWordIsReportedAndAbandonsTheLine) {
  answers.str("\n");
  load("VARIABLE X = ?4.3 ,MODAL\n");
  EXPECT_NE(messages().find("Unreasonable WCF file setting !"), std::string::npos) << messages();
  EXPECT_NE(messages().find("Press ENTER to continue... "), std::string::npos);
  // Abandoned before the line-wide words: not absolute, not modal.
  EXPECT_FALSE(postVariable(24).absolute);
  EXPECT_FALSE(postVariable(24).modal);
}

TEST_F(SettingsScan, ScanClearsValuesButKeepsFormatsOfEarlierRuns) {
  load("VARIABLE X = X-4.3 INC/5\n");
  postVariable(24).current = 3;
  postVariable(24).last = 2;
  load("; no definitions now\n");
  const PostVariable& x = postVariable(24);
  EXPECT_EQ(std::make_tuple(x.letter, x.step, x.trimZeros, x.current, x.last),
            std::make_tuple('X', 0, false, 0.0, 0.0));
}

TEST_F(SettingsScan, MissingFileAsksAndQuitFailsTheScan) {
  answers.str("\n");  // the standalone box answers its first button (OK) to a line
  WcfScanResult goOn = wcfSettingsScan(host, "/no/such/dir/NONE.WCF");
  EXPECT_EQ(goOn.valid, 1);
  EXPECT_EQ(goOn.fileFound, 0);
  EXPECT_NE(messages().find("Can't find PostProcess file"), std::string::npos) << messages();
  EXPECT_NE(messages().find("The FileName is </no/such/dir/NONE.WCF> "), std::string::npos);
  answers.clear();
  answers.str("");  // no answer: the box is closed, which is not OK
  EXPECT_EQ(wcfSettingsScan(host, "/no/such/dir/NONE.WCF").valid, 0);
}

}  // namespace
}  // namespace optgrind::test
