// The standalone host starts programs from an argument vector, never through
// a shell, and a script run only shows them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::TempDir;

bool appears(const std::string& path) {
  for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::filesystem::exists(path);
}

// At a terminal, not in a script run, where programs are only shown.
struct InteractiveHost : testing::HostSession {
  InteractiveHost() : HostSession("", false) {}
};

TEST(StartProgram, ArgumentsReachTheProgramAsTheyAre) {
  TempDir dir;
  InteractiveHost h;
  // A shell would split the name at its blanks and run touch in the working folder.
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  std::string odd = "a $(touch PWNED) b";
  EXPECT_EQ(h.host.platform().startProgram({"touch", odd}), RTNORM);
  EXPECT_TRUE(appears(dir.path() + "/" + odd));
  std::filesystem::current_path(before);
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/PWNED"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/a"));
}

TEST(StartProgram, AProgramThatCannotStartIsRefusedWithoutWaiting) {
  InteractiveHost h;
  EXPECT_EQ(h.host.platform().startProgram({"/no/such/program", "x"}), RTERROR);
  EXPECT_EQ(h.host.platform().startProgram({}), RTERROR);
  // A program that runs long is not waited for.
  auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(h.host.platform().startProgram({"sleep", "5"}), RTNORM);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
}

TEST(StartProgram, AScriptRunOnlyShowsTheProgramLine) {
  TempDir dir;
  testing::HostWithRoot env;
  std::string made = dir.path() + "/made";
  EXPECT_EQ(env.host.platform().startProgram({"touch", made}), RTNORM);
  EXPECT_NE(env.out.str().find("start: touch " + made), std::string::npos);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(std::filesystem::exists(made));
}

}  // namespace
}  // namespace optgrind
