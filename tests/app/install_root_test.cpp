// An install root that cannot serve is named once at start, with where it
// came from.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/options.h"
#include "support/program_session.h"

namespace optgrind {
namespace {

TEST(InstallRoot, AMissingRootOrDataFolderIsNamedWithItsSource) {
  testing::TempDir dir;
  AppOptions opts;
  opts.root = dir.path() + "/nowhere";
  std::string warning = installRootWarning(opts);
  EXPECT_NE(warning.find(opts.root + " (--root) does not exist"), std::string::npos) << warning;
  EXPECT_NE(warning.find("Traditional Chinese"), std::string::npos);
  opts.root = dir.path();
  EXPECT_NE(installRootWarning(opts).find("(--root) has no DAT folder"), std::string::npos);
  std::filesystem::create_directories(dir.path() + "/DAT");
  EXPECT_EQ(installRootWarning(opts), "");

  std::string old = std::getenv("OPTGRIND_ROOT") ? std::getenv("OPTGRIND_ROOT") : "";
  setenv("OPTGRIND_ROOT", (dir.path() + "/gone").c_str(), 1);
  EXPECT_NE(installRootWarning(AppOptions{}).find("(OPTGRIND_ROOT) does not exist"), std::string::npos);
  setenv("OPTGRIND_ROOT", old.c_str(), 1);
}

TEST(InstallRoot, TheProgramSaysSoOnceAtStart) {
  testing::ProgramSession session;
  std::filesystem::remove_all(session.root + "/DAT");
  auto run = session.runScript("opt_set\n^C\n");
  EXPECT_EQ(run.status, 0) << run.output;
  std::string said = "the install root " + session.root + " (--root) has no DAT folder";
  size_t first = run.output.find(said);
  EXPECT_NE(first, std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(said, first + 1), std::string::npos);
}

}  // namespace
}  // namespace optgrind
