// The program at its command line: scripts that begin with a byte-order
// mark, folders given where files belong, file names with blanks in quotes.
// (Ctrl-C at a prompt: ctrl_c_check.py.)
#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_session.h"

namespace optgrind {
namespace {

using testing::ProgramSession;

using testing::countOf;

TEST(CommandLine, AScriptThatBeginsWithAByteOrderMarkRunsItsFirstCommand) {
  ProgramSession session;
  std::string saved = session.dir.path() + "/bom.dxf";
  auto run = session.runScript("\xEF\xBB\xBFLINE\n0,0\n10,0\n\n", "--save '" + saved + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.find("Unknown command"), std::string::npos) << run.output;
  EXPECT_EQ(countOf(testing::readFile(saved), "\nLINE\n"), 1u) << run.output;
}

TEST(CommandLine, FoldersGivenForFilesAreRefused) {
  ProgramSession session;
  auto script = session.run(session.dir.path());
  EXPECT_EQ(script.status, 2) << script.output;
  EXPECT_NE(script.output.find("cannot open script " + session.dir.path()), std::string::npos)
      << script.output;

  auto wcf = testing::runCommand(std::string(OPTGRIND_BINARY) + " --root '" + session.root + "' wcf '" +
                                 session.dir.path() + "' </dev/null 2>&1");
  EXPECT_EQ(wcf.status, 2) << wcf.output;
  EXPECT_NE(wcf.output.find("cannot read " + session.dir.path()), std::string::npos) << wcf.output;
}

TEST(CommandLine, DoubleQuotesGroupAFileNameWithBlanks) {
  ProgramSession session;
  std::string dir = session.dir.path();
  auto run = session.runScript("LINE 0,0 10,0\n\nSAVE \"" + dir + "/my file.dxf\"\nSAVE " + dir +
                               "/two words.dxf\n");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(dir + "/my file.dxf")) << run.output;
  // Without quotes a blank ends the answer, as at the host's command line.
  EXPECT_TRUE(std::filesystem::exists(dir + "/two")) << run.output;
  EXPECT_NE(run.output.find("Unknown command \"WORDS.DXF\""), std::string::npos) << run.output;
}

}  // namespace
}  // namespace optgrind
