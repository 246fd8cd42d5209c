// Saving goes through a temporary file in the target's folder: a save that
// fails leaves the old file as it was and leaves no temporary behind.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

constexpr rlim_t kSmallFileLimit = 4096;
constexpr int kManyLines = 2000;
const std::string kOldContents = "old drawing\n";

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

Drawing drawingOfLines(int count) {
  Drawing d = newDrawing();
  for (int i = 0; i < count; ++i) {
    EntityRecord e;
    e.geom = LineGeom{{0, 0, 0}, {static_cast<double>(i), 1, 0}, 0.0};
    appendEntity(d, e);
  }
  return d;
}

class DxfSave : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dxf_save_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    target_ = dir_ / "drawing.dxf";
    std::ofstream(target_) << kOldContents;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  size_t filesInDir() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
  fs::path target_;
};

TEST_F(DxfSave, ReplacesTheOldFileAndKeepsItsMode) {
  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  Outcome r = saveDxf(drawingOfLines(3), target_.string());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_NE(readAll(target_).find("LINE"), std::string::npos);
  EXPECT_EQ(fs::status(target_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(filesInDir(), 1u);
}

TEST_F(DxfSave, AWriteCutShortLeavesTheOldFile) {
  // A file size limit makes the writes fail part way, as a full disk would.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = kSmallFileLimit;
  setrlimit(RLIMIT_FSIZE, &small);
  Outcome r = saveDxf(drawingOfLines(kManyLines), target_.string());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(target_.string()), std::string::npos) << r.message;
  EXPECT_EQ(readAll(target_), kOldContents);
  EXPECT_EQ(filesInDir(), 1u);
}

TEST_F(DxfSave, AnUnwritableFolderOrTargetIsReported) {
  Outcome r = saveDxf(drawingOfLines(1), (dir_ / "no_such_folder" / "x.dxf").string());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("no_such_folder"), std::string::npos) << r.message;

  fs::create_directory(dir_ / "folder.dxf");
  std::ofstream(dir_ / "folder.dxf" / "inside") << "x";
  r = saveDxf(drawingOfLines(1), (dir_ / "folder.dxf").string());
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.dxf"));
  EXPECT_EQ(filesInDir(), 2u);

  if (geteuid() != 0) {  // the superuser writes into read-only folders anyway
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    r = saveDxf(drawingOfLines(1), target_.string());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readAll(target_), kOldContents);
  }
}

}  // namespace
}  // namespace optgrind::standalone
