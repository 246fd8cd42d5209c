// A script that ends in the middle of a command, a form or a message box
// ends the program cleanly, with the drawing as it was left.
#include <gtest/gtest.h>

#include "support/program_session.h"

namespace optgrind {
namespace {

using testing::ProgramSession;

TEST(ScriptEnd, InsideACommandOrAFormEndsCleanlyAndKeepsTheDrawing) {
  ProgramSession session;
  std::string saved = session.dir.path() + "/left.dxf";
  struct Case {
    const char* where;
    std::string script;
  };
  const Case cases[] = {
      {"command", "LINE\n0,0\n10,0\n20,5\n"},
      {"form", "LINE\n0,0\n10,0\n\nopt_set\n"},
      {"form editor", "LINE\n0,0\n10,0\n\nopt_set\n#1\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(saved);
    auto run = session.runScript(c.script, "--save '" + saved + "'");
    EXPECT_EQ(run.status, 0) << c.where << "\n" << run.output;
    EXPECT_NE(run.output.find("*Cancel*"), std::string::npos) << c.where;
    std::string dxf = testing::readFile(saved);
    EXPECT_NE(dxf.find("LINE"), std::string::npos) << c.where;
    EXPECT_NE(dxf.find("EOF"), std::string::npos) << c.where;
  }
}

TEST(ScriptEnd, InsideAMessageBoxEndsCleanly) {
  ProgramSession session;
  // opt.set naming a post file that is not there brings up its box.
  std::string optSet = testing::readFile(session.dataFile("opt.set"));
  size_t at = optSet.find("OPTGRIND.WCF");
  ASSERT_NE(at, std::string::npos);
  optSet.replace(at, 12, "MISSING.WCF");
  testing::writeFile(session.dataFile("opt.set"), optSet);
  auto run = session.runScript("opt\n");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Button: *Cancel*"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace optgrind
