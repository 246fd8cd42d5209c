// The program at its command line: scripts that begin with a byte-order
// mark, folders given where files belong, file names with blanks in quotes,
// and Ctrl-C while the program waits for an answer.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "support/program_session.h"

namespace optgrind {
namespace {

using testing::ProgramSession;

// How long a run of the program may take before the test gives up on it.
constexpr auto kRunLimit = std::chrono::seconds(20);

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

// The program reading its answers from a pipe, as from a terminal.
class PipedProgram {
 public:
  explicit PipedProgram(const std::vector<std::string>& args) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      dup2(out[1], STDERR_FILENO);
      close(in[1]);
      close(out[0]);
      std::vector<char*> argv;
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toProgram_ = in[1];
    fromProgram_ = out[0];
  }
  ~PipedProgram() {
    if (toProgram_ >= 0) close(toProgram_);
    if (fromProgram_ >= 0) close(fromProgram_);
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool started() const { return pid_ > 0 && toProgram_ >= 0; }
  void type(const std::string& text) {
    if (write(toProgram_, text.data(), text.size()) < 0) return;
  }
  void endInput() {
    close(toProgram_);
    toProgram_ = -1;
  }
  // Ctrl-C, a moment after the prompt showed, when the program is reading.
  void interrupt() {
    usleep(200000);
    kill(pid_, SIGINT);
  }
  // Reads output until `what` has appeared `times` times in it, or the time
  // is up. True when it appeared.
  bool waitFor(const std::string& what, int times = 1) {
    auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    while (countOf(output, what) < static_cast<size_t>(times)) {
      if (!readSome(deadline)) return false;
    }
    return true;
  }
  // The exit status, or -1 when the program does not end in time.
  int finish() {
    auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    while (readSome(deadline)) {
    }
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      usleep(10000);
    }
    reaped_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string output;

 private:
  // False at the end of the output or when the time is up.
  bool readSome(std::chrono::steady_clock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fromProgram_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
    char buf[4096];
    ssize_t n = read(fromProgram_, buf, sizeof buf);
    if (n <= 0) return false;
    output.append(buf, static_cast<size_t>(n));
    return true;
  }
  pid_t pid_ = -1;
  bool reaped_ = false;
  int toProgram_ = -1;
  int fromProgram_ = -1;
};

TEST(CommandLine, CtrlCCancelsThePromptInProgressAndTheProgramGoesOn) {
  ProgramSession session;
  std::string saved = session.dir.path() + "/after.dxf";
  PipedProgram program({OPTGRIND_BINARY, "--root", session.root, "--save", saved});
  ASSERT_TRUE(program.started());
  program.type("LINE\n0,0\n");
  ASSERT_TRUE(program.waitFor("Specify next point")) << program.output;
  program.interrupt();
  ASSERT_TRUE(program.waitFor("*Cancel*")) << program.output;
  ASSERT_TRUE(program.waitFor("Command: ", 2)) << program.output;
  // At "Command:" too it cancels, and nothing else.
  program.interrupt();
  ASSERT_TRUE(program.waitFor("*Cancel*", 2)) << program.output;
  program.type("LINE\n1,1\n2,2\n\nQUIT\n");
  program.endInput();
  EXPECT_EQ(program.finish(), 0) << program.output;
  EXPECT_EQ(countOf(testing::readFile(saved), "\nLINE\n"), 1u) << program.output;
  EXPECT_EQ(program.output.find("Unknown command"), std::string::npos) << program.output;
}

}  // namespace
}  // namespace optgrind
