// The program load and its section scan.
#include "post/keywords.h"
#include "post_fixture.h"

namespace optgrind::test {
namespace {

using ProgramLoad = PostFixture;

std::string textOf() {
  return std::string(postState().text.data(), static_cast<size_t>(postState().textLength));
}

TEST_F(ProgramLoad, SkipsLeadingDefinitionAndRemarkLinesAndDropsTheLastCharacter) {
  load("VARIABLE X = X4.3\nvariable Y = Y4.3\n; remark\n\tindented\nprogram_start =\n \"A\"\n");
  EXPECT_EQ(textOf(), "program_start =\n \"A\"");
  load("linear_feed = \"B\" $");  // no final line end: its last character goes
  EXPECT_EQ(textOf(), "linear_feed = \"B\" ");
}

TEST_F(ProgramLoad, HeadsAnyCaseDigitWordsLaterHeadWinsSharedCodesTakeTheLaterName) {
  load(
      "x\n"
      "  Linear_Feed = \"1\"\n"
      "3d_path_start = \"3d\"\n"
      "linear_feed = \"2\"\n"
      "sub_program_end = \"old\"\n"
      "opt_move_up0_feed = \"new\"\n"
      "\"quoted\" linear_feed\n");
  EXPECT_EQ(run("linear_feed\n3d_path_start\nopt_move_up0_feed\nwire_on\n"),
            "23dnewquoted");  // a quoted line is no head: it belongs to the section above
  EXPECT_EQ(lookupEvent("SUB_PROGRAM_END"), 90);
}

TEST_F(ProgramLoad, DuplicateLabelReportsItsPlaceAndKeepsTheHeadsBefore) {
  load(
      "x\n"
      "program_start = [2] \"s\"\n"
      "sub_command 2 = \"two\"\n"
      "sub_command 2 = \"again\"\n"
      "program_end = \"end\"\n");
  EXPECT_NE(messages().find("duplicate label\n"), std::string::npos) << messages();  // its place: ReportPlace
  EXPECT_EQ(run("program_start\nprogram_end\n"), "twos");  // program_end was not scanned
}

TEST_F(ProgramLoad, LabelTableHoldsOneHundredTwentyLabels) {
  std::string wcf = "x\nprogram_start = [119] [0]\n";
  for (int i = 0; i < kLabelTableSize; ++i)
    wcf += "sub_command " + std::to_string(i) + " = \"" + std::to_string(i) + "\"\n";
  load(wcf + "wire_on = \"on\"\n");
  EXPECT_EQ(messages(), "");
  EXPECT_EQ(run("program_start\nwire_on\n"), "1190on");
  load(wcf + "sub_command 500 = \"x\"\nwire_on = \"on\"\n");
  EXPECT_NE(messages().find("label table full\n"), std::string::npos);
  EXPECT_EQ(run("wire_on\n"), "");
}

TEST_F(ProgramLoad, ProgramTextIsCutAtItsSize) {
  std::string wcf = "linear_feed = \"" + std::string(40000, 'a') + "\"\n";
  load(wcf);
  EXPECT_EQ(postState().textLength, kProgramTextSize - 1);
  // The quote is cut off: the text is unterminated and reported, nothing written.
  EXPECT_EQ(run("linear_feed\n"), "");
  EXPECT_NE(messages().find("unbalanced parentheses"), std::string::npos);
}

TEST_F(ProgramLoad, CrLfFilesReadAsTheyDoInTextMode) {
  load(textModeRead("VARIABLE X = X-1.3\r\nlinear_feed =\r\n @X $\r\n\x1a garbage"));
  postVariable(24).current = 1;
  EXPECT_EQ(run("linear_feed\n"), "X1.\n");
}

}  // namespace
}  // namespace optgrind::test
