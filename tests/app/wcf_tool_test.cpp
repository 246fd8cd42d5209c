// `optgrind wcf`: the report of a WCF file and the event-script run.
#include "app/wcf_tool.h"

#include <gtest/gtest.h>

#include <fstream>

#include "post/post_state.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

const std::string kData = std::string(OPTGRIND_TEST_DATA) + "/post/";

using testing::readFile;

struct WcfTool : ::testing::Test {
  testing::HostSession session{"", false, std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind"};
  Host& host = session.host;
  std::ostringstream& messages = session.out;
  std::ostringstream out;

  void SetUp() override { resetPostState(); }
  void TearDown() override { resetPostState(); }
  int tool(const std::vector<std::string>& args) { return runWcfTool(host, args, out); }
};

TEST_F(WcfTool, EventScriptWritesTheVariableOutputEdgeCases) {
  EXPECT_EQ(tool({kData + "formats.wcf", "--events", kData + "formats.events"}), 0);
  EXPECT_EQ(out.str(), readFile(kData + "formats.nc"));
  EXPECT_EQ(messages.str(), "");
}

TEST_F(WcfTool, ReportShowsOptionsFormatsSectionsAndLabels) {
  std::string wcf = ::testing::TempDir() + "report.wcf";
  std::ofstream(wcf) << "GET_NAME_NO\r\nNCEXTNAME = iso\r\nVARIABLE X = X+4.3 ,MODAL\r\n"
                        "VARIABLE N = N4 INC/10 INIT/10\r\nVARIABLE 40 = 4.3 REL\r\n"
                        "program_start =\r\n  @N $\r\nsub_command 3 =\r\n  \"s\"\r\nopt_move_up0_feed =\r\n";
  EXPECT_EQ(tool({wcf}), 0);
  EXPECT_EQ(
      out.str(),
      "WCF file: " + wcf +
          "\nOptions:\n  GET_NAME_NO\n  NCEXTNAME = ISO\n"
          "Variables:\n"
          "  X (24): letter X, plus sign, at least 4 integer digits, decimal point, 3 places, absolute, "
          "modal\n"
          "  N (14): letter N, at least 4 integer digits, integer, absolute, counts by 10, initial value 10\n"
          "  40: no letter, at least 4 integer digits, decimal point, 3 places, incremental\n"
          "Program: 171 characters from line 1\n"
          "Sections:\n  program_start (0) at line 6\n  opt_move_up0_feed (90) at line 10\n"
          "Labels:\n  sub_command 3 at line 8\n");
}

TEST_F(WcfTool, UnreadableFilesAndBadScriptLines) {
  EXPECT_EQ(tool({kData + "no_such_file.wcf"}), 2);
  EXPECT_EQ(tool({}), 2);
  EXPECT_EQ(tool({kData + "formats.wcf", "--events", kData + "no_such.events"}), 2);
  std::string script = ::testing::TempDir() + "bad.events";
  std::ofstream(script) << "X = 1\nprogram_start\nX = one\n";
  EXPECT_EQ(tool({kData + "formats.wcf", "--events", script}), 1);
  EXPECT_NE(messages.str().find("bad.events:3: not understood: X = one"), std::string::npos)
      << messages.str();
}

// The optgrind program itself: NC text on standard output, reports on
// standard error, each naming file, line and event like a compiler.
TEST(WcfProgram, ErrorsNameFileLineAndEventLikeACompiler) {
  std::string dir = ::testing::TempDir();
  std::string wcf = dir + "place.wcf";
  std::ofstream(wcf) << "VARIABLE X = X-1.3\nlinear_feed =\n  @X (X = 1 + ) \"never\" $\nwire_on =\n  @X $\n"
                        "sub_command 1 = \"one\"\nsub_command 1 = \"again\"\n";
  std::string events = dir + "place.events";
  std::ofstream(events) << "X = 2\nlinear_feed\nwire_on\n";
  std::string err = dir + "place.err";
  auto nc = testing::runCommand(std::string(OPTGRIND_BINARY) + " wcf '" + wcf + "' --events '" + events +
                                "' 2>'" + err + "'");
  EXPECT_EQ(nc.status, 0);
  EXPECT_EQ(nc.output, "X2.X2.\n");  // the error ends linear_feed only
  std::string messages = readFile(err);
  EXPECT_EQ(messages.substr(0, messages.find('\n')), wcf + ":7: duplicate label");
  size_t at = messages.find(wcf + ":3: syntax error (in linear_feed)\n");
  ASSERT_NE(at, std::string::npos) << messages;
  // The program text around the place follows.
  EXPECT_NE(messages.find("(X = 1 + )", at), std::string::npos);
}

}  // namespace
}  // namespace optgrind
