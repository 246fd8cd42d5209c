// `optgrind wcf`: the report of a WCF file and the event-script run.
#include "app/wcf_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

// The report of every NAME.wcf of the post cases that has a NAME.report.
// OPTGRIND_WRITE_GOLDEN=1 rewrites the reports.
TEST_F(WcfTool, ReportsEqualTheirGoldenFiles) {
  for (const auto& entry : std::filesystem::directory_iterator(kData)) {
    if (entry.path().extension() != ".report") continue;
    std::string wcf = kData + entry.path().stem().string() + ".wcf";
    SCOPED_TRACE(wcf);
    resetPostState();
    out.str("");
    EXPECT_EQ(tool({wcf}), 0);
    std::string report = out.str();
    report.replace(report.find(kData), kData.size(), "");
    if (const char* write = std::getenv("OPTGRIND_WRITE_GOLDEN"); write && std::string(write) == "1") {
      testing::writeFile(entry.path().string(), report);
    }
    EXPECT_EQ(report, readFile(entry.path().string()));
  }
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
