// `opt_set` and `opt` end to end through the optgrind program, on a copy of
// the bundled install root.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

struct ProgramRun {
  int status = -1;
  std::string output;
};

// A copy of the bundled root in a temporary folder, and the program run on
// a script there.
struct ProgramSession {
  TempDir dir;
  std::string root = dir.path() + "/root";
  ProgramSession() {
    std::filesystem::copy(std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind", root,
                          std::filesystem::copy_options::recursive);
  }
  std::string dataFile(const std::string& name) const { return root + "/DAT/" + name; }
  ProgramRun run(const std::string& scriptPath) const {
    std::string command = std::string(OPTGRIND_BINARY) + " --root '" + root + "' --script '" + scriptPath + "' 2>&1";
    ProgramRun result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }
  ProgramRun runScript(const std::string& script) const {
    std::string path = dir.path() + "/session.scr";
    writeFile(path, script);
    return run(path);
  }
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out{""};
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

TEST(OptSetProgram, EveryFieldChangedThenOkWritesOptSet) {
  ProgramSession p;
  writeFile(p.dataFile("mypost.WCF"), "VARIABLE X = X-1.3\r\n");
  std::string nc = p.dir.path() + "/nc";
  std::string browsed = p.dir.path() + "/browsed";
  std::filesystem::create_directories(browsed);
  ProgramRun r = p.runScript("opt_set\n#1\nmy post\n#2\n" + p.dataFile("OPTGRIND.wcf") + "\n#2\n^C\n#3\n" + nc +
                      "\nYes\n#4\n" + browsed + "\n#3\n" + nc + "\n#5\n\n#6\n\n#7\n\n#8\n0.03\n#9\n0.04\n#10\nvi\n"
                      " OK \n");
  EXPECT_EQ(r.status, 0) << r.output;
  auto l = lines(readFile(p.dataFile("opt.set")));
  ASSERT_EQ(l.size(), 57u) << r.output;
  EXPECT_EQ(l[8], "1");
  EXPECT_EQ(l[9], "OPTGRIND.WCF");  // browsed after "my post" was typed
  EXPECT_EQ(l[10], nc);
  EXPECT_EQ(l[12], "1");
  EXPECT_EQ(l[13], "1");
  EXPECT_EQ(l[14], "vi");
  EXPECT_EQ(l[15], "0.030000");
  EXPECT_EQ(l[16], "0.040000");
  EXPECT_TRUE(std::filesystem::is_directory(nc));
  EXPECT_NE(r.output.find("[1 mypost.WCF]"), std::string::npos);
  EXPECT_EQ(r.output.find("No such"), std::string::npos) << r.output;
}

TEST(OptSetProgram, QuitWritesNothing) {
  ProgramSession p;
  std::string before = readFile(p.dataFile("opt.set"));
  ProgramRun r = p.runScript("opt_set\n#5\n\n#10\nvi\nQuit\nopt\n#2\n9\nQUIT\n");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(readFile(p.dataFile("opt.set")), before);
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
