// The settings scan at its edges: unreasonable words, values cleared between
// runs, a missing file. (The scanned formats and options are golden reports.)
#include "post_fixture.h"

namespace optgrind::test {
namespace {

using SettingsScan = PostFixture;

TEST_F(SettingsScan, UnreasonableFormatWordIsReportedAndAbandonsTheLine) {
  answers.str("\n");
  load("VARIABLE X = ?4.3 ,MODAL\n");
  EXPECT_NE(messages().find("Unreasonable WCF file setting !"), std::string::npos) << messages();
  EXPECT_NE(messages().find("Press ENTER to continue... "), std::string::npos);
  // Abandoned before the line-wide words: not absolute, not modal.
  EXPECT_EQ(std::pair(postVariable(24).absolute, postVariable(24).modal), std::pair(false, false));
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
  EXPECT_EQ(std::pair(goOn.valid, goOn.fileFound), std::pair(1, 0));
  EXPECT_NE(messages().find("Can't find PostProcess file"), std::string::npos) << messages();
  EXPECT_NE(messages().find("The FileName is </no/such/dir/NONE.WCF> "), std::string::npos);
  answers.clear();
  answers.str("");  // no answer: the box is closed, which is not OK
  EXPECT_EQ(wcfSettingsScan(host, "/no/such/dir/NONE.WCF").valid, 0);
}

}  // namespace
}  // namespace optgrind::test
