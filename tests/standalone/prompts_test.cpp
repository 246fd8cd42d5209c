// The standalone host's prompts read one answer line each: points, numbers,
// keywords, free text, Enter and cancel; a script that runs out cancels.
#include <gtest/gtest.h>

#include <csignal>

#include "standalone/console/answers.h"
#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

using Session = testing::HostSession;

TEST(Prompts, PointsAbsoluteRelativeAndRetries) {
  Session s("3,4\n@1,-1\n// a comment is no answer\n1,2,3\nnot a point\n5,6\n\n^C\n");
  Point3 p;
  for (Point3 expected : {Point3{3, 4, 0}, Point3{4, 3, 0}, Point3{1, 2, 3}, Point3{5, 6, 0}}) {
    ASSERT_EQ(s.host.acedGetPoint(nullptr, "Point: ", p), RTNORM);  // the last after one retry
    EXPECT_EQ(p, expected);
  }
  EXPECT_TRUE(s.said("Invalid point."));
  EXPECT_EQ(s.host.acedGetPoint(nullptr, "Point: ", p), RTNONE);
  EXPECT_EQ(s.host.acedGetPoint(nullptr, "Point: ", p), RTCAN);
  // The answers have run out: every later prompt is cancelled.
  EXPECT_EQ(s.host.acedGetPoint(nullptr, "Point: ", p), RTCAN);
  double r = 0;
  EXPECT_EQ(s.host.acedGetReal("Real: ", r), RTCAN);
  // The echo reads like a session at the command line.
  EXPECT_TRUE(s.said("Point: 3,4\n"));
}

// Free text at a point prompt that allows it is the pick prompt's, tested
// with it.
TEST(Prompts, KeywordsAsDeclaredAndFlagsForOnePromptOnly) {
  Session s("y\nfoo\n1e3\nno\n");
  Point3 p;
  std::string input;
  s.host.acedInitGet(RSG_OTHER, "Y N");
  ASSERT_EQ(s.host.acedDragGen({}, "Pick: ", false, p), RTKWORD);
  s.host.acedGetInput(input);
  EXPECT_EQ(input, "Y");
  double r = 0;
  ASSERT_EQ(s.host.acedGetReal("Real: ", r), RTNORM);  // "foo" refused, then 1e3
  EXPECT_EQ(r, 1000.0);
  s.host.acedInitGet(0, "Yes No");
  ASSERT_EQ(s.host.acedGetKword("Sure? ", input), RTNORM);
  EXPECT_EQ(input, "No");
}

// Buttons by caption and Enter for the first are answered in the message
// box tests of the settings layer.
TEST(Prompts, MessageBoxesCloseOnEscapeAskAgainAndEndWithTheAnswers) {
  Session s("^C\nmaybe\nYES\n");
  EXPECT_EQ(s.host.messageBox("T", "text", {"OK", "Quit"}, BoxIcon::Warning), 0);
  EXPECT_EQ(s.host.messageBox("T", "text", {"Yes", " No"}, BoxIcon::Warning), 1);  // after a retry
  EXPECT_EQ(s.host.messageBox("T", "text", {"Yes", " No"}, BoxIcon::Warning), 0);  // answers ran out
}

FormSpec sampleForm() {
  FormSpec f;
  f.title = " Machine ";
  f.labels = {{1, 2, "Leader L :"}, {3, 2, "Tool R :"}};
  f.fields = {{1, 18, 7, 1, "5.000"}, {3, 18, 7, 1, "0.050"}, {5, 10, 6, 1, " OK "}, {5, 20, 6, 1, "QUIT"}};
  return f;
}

TEST(Prompts, FormFieldsByNumberPositionCaptionAndLabel) {
  Session s("#2\n1,18\nok\ntool r:\nnowhere\n#9\nquit\n^C\n");
  FormSpec f = sampleForm();
  // QUIT (4) after two unknown names are refused; Escape is -1.
  for (int expected : {2, 1, 3, 2, 4, -1}) EXPECT_EQ(s.host.formWait(f), expected);
  EXPECT_TRUE(s.said("[1 5.000]"));
}

// A click flips a two-state field without a question; numbers and texts
// are asked for.
TEST(Prompts, FormEditors) {
  Session s("#2\nabc\n2.5\n\nnew text\n^C\n");
  FormSpec f = sampleForm();
  std::string text;
  int index = 0;
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::Toggle, {"Off", "On"}, text, index), RTNORM);
  EXPECT_EQ(index, 1);
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::Check, {"", "X"}, text, index), RTNORM);
  EXPECT_EQ(index, 0);
  index = 5;  // out of range, as from a hand-edited file: flips to the first state
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::Toggle, {"Off", "On"}, text, index), RTNORM);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(s.out.str(), "");  // nothing asked, no answer taken
  EXPECT_EQ(s.host.formWait(f), 2);

  text = "5.000";
  ASSERT_EQ(s.host.formEdit(f, 1, FormEditor::Number, {}, text, index), RTNORM);  // abc refused
  EXPECT_EQ(text, "2.5");
  ASSERT_EQ(s.host.formEdit(f, 1, FormEditor::Number, {}, text, index), RTNORM);  // Enter keeps
  EXPECT_EQ(text, "2.5");
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::Text, {}, text, index), RTNORM);
  EXPECT_EQ(text, "new text");
  EXPECT_EQ(s.host.formEdit(f, 2, FormEditor::Text, {}, text, index), RTCAN);
}

TEST(Prompts, AListTakesAnEntryByItsTextOrItsPositionAfterAHash) {
  // The grit list: "3" is an entry's text, not the third entry.
  std::vector<std::string> list = {"120", "3", "0.8", "Fine grit"};
  Session s("3\n#3\n5\n#9\nfine  GRIT\n\n^C\n");
  FormSpec f = sampleForm();
  std::string text = "0.8";
  int index = 2;
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::List, list, text, index), RTNORM);
  EXPECT_EQ(index, 1);
  // The default shown is the current entry.
  EXPECT_TRUE(s.said("[#1 120 / #2 3 / #3 0.8 / #4 Fine grit] <0.8>: 3\n")) << s.out.str();
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::List, list, text, index), RTNORM);
  EXPECT_EQ(index, 2);
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::List, list, text, index), RTNORM);  // 5 and #9 refused
  EXPECT_EQ(index, 3);
  for (const char* refused : {": 5\nNo such choice.", ": #9\nNo such choice."}) EXPECT_TRUE(s.said(refused));
  index = -1;  // the current text is not listed: it is the default, and Enter keeps it
  text = "0.75";
  ASSERT_EQ(s.host.formEdit(f, 2, FormEditor::List, list, text, index), RTNORM);
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(s.said("<0.75>: \n")) << s.out.str();
  EXPECT_EQ(s.host.formEdit(f, 2, FormEditor::List, list, text, index), RTCAN);
}

TEST(Prompts, DoubleQuotesGroupACommandWordWithItsBlanks) {
  EXPECT_EQ(commandWords("SAVE \"my file.dxf\"  next"),
            (std::vector<std::string>{"SAVE", "\"my file.dxf\"", "next"}));
  EXPECT_EQ(commandWords("  OPEN\t\"\" \"open to the end "),
            (std::vector<std::string>{"OPEN", "\"\"", "\"open to the end "}));
  EXPECT_EQ(commandWords("   "), std::vector<std::string>{});
}

// Ctrl-C at a terminal and a "^B" line in a script break a loop once; at
// a terminal it also cancels the prompt, and the answer typed next is kept.
TEST(Prompts, UserBreaksAtATerminalAndFromAScript) {
  Session terminal("7\n", false), script("^B\n7\n");
  double r = 0;
  raise(SIGINT);
  for (StandaloneHost* host : {&terminal.host, &script.host}) {
    EXPECT_TRUE(host->acedUsrBrk());
    EXPECT_FALSE(host->acedUsrBrk());
  }
  raise(SIGINT);
  EXPECT_EQ(terminal.host.acedGetReal("Real: ", r), RTCAN);
  EXPECT_TRUE(terminal.said("Real: *Cancel*\n"));
  for (StandaloneHost* host : {&terminal.host, &script.host}) {
    ASSERT_EQ(host->acedGetReal("Real: ", r), RTNORM);
    EXPECT_EQ(r, 7.0);
  }
}

}  // namespace
}  // namespace optgrind::standalone
