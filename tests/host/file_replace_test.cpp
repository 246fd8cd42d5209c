// Replacing a file keeps what the file is and never leaves it half written.
#include "host/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

struct stat statOf(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileReplace, KeepsPermissionsOwnerAndGroup) {
  TempDir dir;
  std::string path = dir.path() + "/opt.set";
  writeFile(path, "old");
  ::chmod(path.c_str(), 0640);
  bool asRoot = ::geteuid() == 0;
  if (asRoot) {
    ASSERT_EQ(::chown(path.c_str(), 1234, 2345), 0);
  }
  EXPECT_EQ(replaceFile(path, "new\r\n"), kReplaceWritten);
  EXPECT_EQ(readFile(path), "new\r\n");
  struct stat st = statOf(path);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (asRoot) {
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 2345u);
  }
}

TEST(FileReplace, ANewFileGetsTheUsualPermissions) {
  TempDir dir;
  std::string path = dir.path() + "/new.svg";
  mode_t mask = ::umask(022);
  EXPECT_EQ(replaceFile(path, "<svg/>"), kReplaceWritten);
  ::umask(mask);
  EXPECT_EQ(statOf(path).st_mode & 07777, 0644u);
  EXPECT_EQ(readFile(path), "<svg/>");
}

TEST(FileReplace, ReadOnlyFileOrMissingFolderIsRefusedAndKept) {
  TempDir dir;
  std::string path = dir.path() + "/opt.set";
  writeFile(path, "old");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(replaceFile(path, "new"), kReplaceRefused);
  EXPECT_EQ(readFile(path), "old");
  EXPECT_EQ(statOf(path).st_mode & 07777, 0444u);
  EXPECT_EQ(replaceFile(dir.path() + "/no/such/folder/opt.set", "new"), kReplaceRefused);
  EXPECT_EQ(replaceFile(dir.path(), "new"), kReplaceRefused);  // a folder is no file
  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"opt.set"});
}

TEST(FileReplace, WritesThroughSymbolicLinks) {
  TempDir dir;
  std::string target = dir.path() + "/real/mis_set.set";
  writeFile(target, "old");
  std::string link = dir.path() + "/mis_set.set";
  std::filesystem::create_symlink("real/mis_set.set", link);
  EXPECT_EQ(replaceFile(link, "new"), kReplaceWritten);
  EXPECT_TRUE(S_ISLNK(statOf(link).st_mode));
  EXPECT_EQ(readFile(target), "new");
  // A link to a file not there yet creates its target.
  std::string dangling = dir.path() + "/later.svg";
  std::filesystem::create_symlink(dir.path() + "/real/later.svg", dangling);
  EXPECT_EQ(replaceFile(dangling, "pic"), kReplaceWritten);
  EXPECT_TRUE(S_ISLNK(statOf(dangling).st_mode));
  EXPECT_EQ(readFile(dir.path() + "/real/later.svg"), "pic");
}

TEST(FileReplace, AFileOfSeveralNamesKeepsThemAll) {
  TempDir dir;
  std::string path = dir.path() + "/opt.set";
  writeFile(path, "a longer old text");
  std::filesystem::create_hard_link(path, dir.path() + "/backup.set");
  EXPECT_EQ(replaceFile(path, "new"), kReplaceWritten);
  EXPECT_EQ(readFile(dir.path() + "/backup.set"), "new");
  EXPECT_EQ(readFile(path), "new");
}

TEST(FileReplace, LeavesOtherFilesAndNoTemporaryFileBehind) {
  TempDir dir;
  // Files of the names a fixed temporary name would take.
  writeFile(dir.path() + "/x.svg.tmp", "mine");
  writeFile(dir.path() + "/opt.set.tmp~", "mine too");
  EXPECT_EQ(replaceFile(dir.path() + "/x.svg", "a"), kReplaceWritten);
  EXPECT_EQ(replaceFile(dir.path() + "/opt.set", "b"), kReplaceWritten);
  EXPECT_EQ(readFile(dir.path() + "/x.svg.tmp"), "mine");
  EXPECT_EQ(readFile(dir.path() + "/opt.set.tmp~"), "mine too");
  std::vector<std::string> expected = {"opt.set", "opt.set.tmp~", "x.svg", "x.svg.tmp"};
  EXPECT_EQ(folderEntries(dir.path()), expected);
}

TEST(FileReplace, AWritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may create files in any folder";
  TempDir dir;
  std::string folder = dir.path() + "/locked";
  writeFile(folder + "/opt.set", "a longer old text");
  ::chmod(folder.c_str(), 0555);
  EXPECT_EQ(replaceFile(folder + "/opt.set", "new"), kReplaceWritten);
  EXPECT_EQ(readFile(folder + "/opt.set"), "new");
  EXPECT_EQ(replaceFile(folder + "/other.set", "new"), kReplaceRefused);
  ::chmod(folder.c_str(), 0755);
}

}  // namespace
}  // namespace optgrind
