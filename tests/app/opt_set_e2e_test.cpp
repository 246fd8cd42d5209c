// `opt_set` and `opt` end to end through the optgrind program, on a copy of
// the bundled install root.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/program_session.h"

namespace optgrind {
namespace {

using testing::ProgramRun;
using testing::ProgramSession;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(OptSetProgram, EveryFieldChangedThenOkWritesOptSet) {
  ProgramSession p;
  writeFile(p.dataFile("mypost.WCF"), "VARIABLE X = X-1.3\r\n");
  std::string nc = p.dir.path() + "/nc";
  std::string browsed = p.dir.path() + "/browsed";
  std::filesystem::create_directories(browsed);
  ProgramRun r = p.runScript("opt_set\n#1\nmy post\n#2\n" + p.dataFile("OPTGRIND.wcf") + "\n#2\n^C\n#3\n" +
                             nc + "\nYes\n#4\n" + browsed + "\n#3\n" + nc +
                             "\n#5\n#6\n#7\n#8\n0.03\n#9\n0.04\n#10\nvi\n"
                             " OK \n");
  EXPECT_EQ(r.status, 0) << r.output;
  // Lines 8 to 16: the rule, the post file (browsed after "my post" was
  // typed), the path, the leader length, the return, the coordinate
  // system, the editor and the two thresholds.
  std::string opt = readFile(p.dataFile("opt.set"));
  std::string global =
      "1\r\nOPTGRIND.WCF\r\n" + nc + "\r\n2.000000\r\n1\r\n1\r\nvi\r\n0.030000\r\n0.040000\r\n";
  EXPECT_EQ(opt.find(global), std::string("0\r\n5.000000\r\n5.000000\r\n5.000000\r\n5.000000\r\n20.000000\r\n"
                                          "0.050000\r\n")
                                  .size())
      << opt;
  EXPECT_TRUE(std::filesystem::is_directory(nc));
  EXPECT_NE(r.output.find("[1 mypost.WCF]"), std::string::npos);
  EXPECT_EQ(r.output.find("No such"), std::string::npos) << r.output;
}

TEST(OptSetProgram, TheExampleScriptRunsCleanlyAndChangesNothing) {
  ProgramSession p;
  std::string before = readFile(p.dataFile("opt.set"));
  ProgramRun r = p.run(std::string(OPTGRIND_SOURCE_DIR) + "/examples/opt_set.scr");
  EXPECT_EQ(r.status, 0) << r.output;
  for (const char* complaint : {"No such", "Unknown command", "Requires", "Can't find", "Cann't"}) {
    EXPECT_EQ(r.output.find(complaint), std::string::npos) << complaint << "\n" << r.output;
  }
  EXPECT_NE(r.output.find("[5 By Setting]"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("[24 PART2B]"), std::string::npos) << r.output;
  EXPECT_EQ(readFile(p.dataFile("opt.set")), before);
}

}  // namespace
}  // namespace optgrind
