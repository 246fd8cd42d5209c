// Every report names its place like a compiler: the file, the line of the
// file and, while an event runs, the event; and an error leaves nothing
// behind that a later event would trip over.
#include "post/post_error.h"
#include "post_fixture.h"

namespace optgrind::test {
namespace {

using ReportPlace = PostFixture;

// The first line of the messages (the report; the program text around the
// place follows it).
std::string firstLine(const std::string& messages) { return messages.substr(0, messages.find('\n')); }

TEST_F(ReportPlace, ScanAndLoadNameTheFileAndLineButNoEvent) {
  load("; remark\nVARIABLE X = X-1.3\nVARIABLE Y = ?1.3\n", "post.wcf");
  EXPECT_EQ(firstLine(messages()), "post.wcf:3: Unreasonable WCF file setting !");
  console_out.str("");
  load(
      "VARIABLE X = X-1.3\n"
      "; remark\n"
      "program_start = [2]\n"
      "sub_command 2 = \"two\"\n"
      "\n"
      "sub_command 2 = \"again\"\n",
      "post.wcf");
  EXPECT_EQ(firstLine(messages()), "post.wcf:6: duplicate label");
}

TEST_F(ReportPlace, LinesCountFromTheTopOfTheFileWhateverTheLineEnds) {
  // Definition lines before the program, a long line the scans read in
  // pieces, and a CR alone ending a line of the program.
  std::string wcf = "VARIABLE X = X-1.3 ; " + std::string(300, ';') + "\nVARIABLE Y = Y-1.3\n" +
                    "linear_feed =\r  @X\n  X = \n";
  load(wcf);
  run("linear_feed\n");
  EXPECT_EQ(firstLine(messages()), "test.wcf:5: no expression present (in linear_feed)");
  console_out.str("");
  load(std::string(200, ';') + "\nVARIABLE Y = ?1.3\n");
  EXPECT_EQ(firstLine(messages()), "test.wcf:2: Unreasonable WCF file setting !");
}

TEST_F(ReportPlace, EventIsTheHeadAsWrittenAlsoInsideASubroutine) {
  load(
      "x\n"
      "sub_program_end = \"old\"\n"
      "OPT_MOVE_UP0_FEED = [4]\n"
      "sub_command 4 =\n"
      "  \"in four\" Q\n");
  run("opt_move_up0_feed\n");
  EXPECT_EQ(firstLine(messages()), "test.wcf:5: equals sign expected (in opt_move_up0_feed)");
}

TEST_F(ReportPlace, ReportsAfterProgramTextStartALineOfTheirOwn) {
  load("x\nwire_on = X = getval(\"ask\", #Y) [9]\nwire_off = 1 + 1\n  [9]\n");
  run("wire_on\nwire_off\n");
  EXPECT_EQ(
      messages(),
      "ask\ntest.wcf:2: undefined label (in wire_on)\nx\nwire_on = X = getval(\"ask\", #Y) [9]\n"
      "wire_off = 1 + 1\n  [9]\n"
      "\n2\n"  // the print statement: its value on a line of its own
      "test.wcf:4: undefined label (in wire_off)\n= X = getval(\"ask\", #Y) [9]\nwire_off = 1 + 1\n  [9]\n");
}

TEST_F(ReportPlace, ErrorInsideParenthesesLeavesLaterEventsWhole) {
  load("VARIABLE X = X-1.3\nVARIABLE Y = Y-1.3\nlinear_feed =\n  (X = 1 + )\nwire_on =\n  @X @Y $\n");
  EXPECT_EQ(run("linear_feed\nX = 2\nY = 3\nwire_on\nwire_on\n"), "X2.Y3.\nX2.Y3.\n");
  EXPECT_EQ(firstLine(messages()), "test.wcf:4: syntax error (in linear_feed)");
  EXPECT_EQ(messages().find("wire_on)"), std::string::npos) << messages();
}

TEST_F(ReportPlace, UnfinishedConditionalLeavesNoJumpBehind) {
  // The two-level conditional's event ends before its ":" is read: a ":"
  // in a later event must not jump back into the points it left.
  load(
      "x\n"
      "linear_feed = (1) ? (1) ? \"T1\" $\n"
      "wire_on = \"W\" : \"after\" $\n"
      "program_end = ; \"M\" : \"E2\" ;\n");
  EXPECT_EQ(run("linear_feed\nwire_on\n"), "T1\nWafter\n");
}

TEST_F(ReportPlace, ConditionalWithoutItsParenthesisIsReportedAndTheEventGoesOn) {
  load("x\nwire_on =\n  \"a\" (1 > 0\n  \"b\"\n");
  EXPECT_EQ(run("wire_on\n"), "ab");
  EXPECT_EQ(firstLine(messages()), "test.wcf:3: error () (in wire_on)");
}

}  // namespace
}  // namespace optgrind::test
