// The install root, the data directory and the data-file search order.
#include "datafiles/data_files.h"

#include <gtest/gtest.h>

#include "datafiles/editor_command.h"
#include "datafiles/file_lookup.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;
using testing::writeFile;

std::string contents(std::FILE* f) {
  if (!f) return "<none>";
  char buf[64] = {};
  size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  return std::string(buf, n);
}

// Records the registry keys asked for, and answers them as told.
class RecordingRegistry : public PlatformWrapper {
 public:
  RecordingRegistry(Platform* target, bool registry) : PlatformWrapper(target), registry_(registry) {}
  int registryValue(const std::string& key, const std::string& value, std::string& out) override {
    keys.push_back(key);
    return registry_ ? PlatformWrapper::registryValue(key, value, out) : RTERROR;
  }
  std::vector<std::string> keys;

 private:
  bool registry_;
};

// Answers ACADVER with another version, and the registry as told.
class VersionHost : public HostWrapper {
  RecordingRegistry registry_;  // before keys, which refers to it

 public:
  VersionHost(Host* target, std::string version, bool registry)
      : HostWrapper(target),
        registry_(&target->platform(), registry),
        keys(registry_.keys),
        version_(std::move(version)) {}
  int acedGetVar(const std::string& name, ResBuf& out) override {
    if (name != "ACADVER") return HostWrapper::acedGetVar(name, out);
    out = ResBuf::ofString(RTSTR, version_);
    return RTNORM;
  }
  Platform& platform() override { return registry_; }
  const std::vector<std::string>& keys;

 private:
  std::string version_;
};

TEST(DataFiles, RootComesFromTheRegistryValueOfTheHostVersionOrTheFallback) {
  HostWithRoot env;
  EXPECT_EQ(dataDirectory(env.host), env.dataDir());
  VersionHost v17(&env.host, "17.1s (LMS Tech)", true);
  installRoot(v17);
  ASSERT_EQ(v17.keys.size(), 1u);
  EXPECT_EQ(v17.keys[0], "Software\\Brennik Works\\Veltrane2008\\Ver 2008");
  // A missing key gives the message and the fallback.
  VersionHost noKey(&env.host, "18.0", false);
  EXPECT_EQ(dataDirectory(noKey), "c:/Qbix2010/DAT");
  EXPECT_NE(env.out.str().find("Error!! 1122 Can't Query Register Value !!"), std::string::npos);
  VersionHost unknown(&env.host, "23.1", false);
  EXPECT_EQ(installRoot(unknown), "D:/Qbix2010");
}

TEST(DataFiles, SearchOrder) {
  HostWithRoot env;
  writeFile(env.dataFile("a.wcf"), "data dir");
  writeFile(env.root.path() + "/jobs/b.wcf", "jobs");
  // A bare name opens in the data directory.
  EXPECT_EQ(contents(openDataFile(env.host, "a.wcf", "rb")), "data dir");
  // A name with a directory opens as given ...
  EXPECT_EQ(contents(openDataFile(env.host, env.root.path() + "/jobs/b.wcf", "rb")), "jobs");
  // ... and falls back to its file part in the data directory.
  EXPECT_EQ(contents(openDataFile(env.host, "e:\\jobs\\a.wcf", "rb")), "data dir");
  EXPECT_EQ(contents(openDataFile(env.host, "/nowhere/a.wcf", "rb")), "data dir");
  EXPECT_EQ(openDataFile(env.host, "missing.set", "rb"), nullptr);
  // A folder is no data file, also when the name is empty.
  EXPECT_EQ(openDataFile(env.host, "", "rb"), nullptr);
}

TEST(DataFiles, NamesIgnoreLetterCaseButTheExactNameComesFirst) {
  HostWithRoot env;
  writeFile(env.dataFile("OPTGRIND.WCF"), "bundled");
  writeFile(env.dataFile("mypost.wcf"), "mine");
  EXPECT_EQ(contents(openDataFile(env.host, "optgrind.WCF", "rb")), "bundled");
  EXPECT_EQ(contents(openDataFile(env.host, "MYPOST.WCF", "rb")), "mine");
  EXPECT_EQ(contents(openDataFile(env.host, env.root.path() + "/dat/MyPost.Wcf", "rb")), "mine");
  writeFile(env.dataFile("MyPost.WCF"), "exact");
  EXPECT_EQ(contents(openDataFile(env.host, "MyPost.WCF", "rb")), "exact");
  // Saving keeps the name the file has.
  EXPECT_EQ(saveDataFile(env.host, "optgrind.wcf", "saved"), 1);
  EXPECT_EQ(testing::readFile(env.dataFile("OPTGRIND.WCF")), "saved");
  EXPECT_FALSE(std::filesystem::exists(env.dataFile("optgrind.wcf")));
  EXPECT_EQ(findFileIgnoringCase(env.dataFile("nothing.set")), "");
  // Without the data folder nothing is saved, and no folder is made.
  std::filesystem::remove_all(env.dataDir());
  EXPECT_EQ(saveDataFile(env.host, "opt.set", "lost"), 0);
  EXPECT_FALSE(std::filesystem::exists(env.dataDir()));
}

TEST(DataFiles, NoFolderBesideTheWorkingDirectoryIsSearched) {
  HostWithRoot env;
  testing::TempDir work;
  // Where the original platform's old data folders would be, read relative
  // to the working directory on POSIX.
  writeFile(work.path() + "/c:/Veltrane/DAT/stray.set", "stray");
  writeFile(work.path() + "/c:/QBIX2008/DAT/stray.set", "stray");
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  std::FILE* found = openDataFile(env.host, "stray.set", "rb");
  std::filesystem::current_path(before);
  EXPECT_EQ(contents(found), "<none>");
}

// A PATH of one folder for the test, restored afterwards.
struct PathFolder {
  testing::TempDir dir;
  std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
  PathFolder() { setenv("PATH", dir.path().c_str(), 1); }
  ~PathFolder() { setenv("PATH", old.c_str(), 1); }
  std::string add(const std::string& name) const { return makeProgram(dir.path() + "/" + name); }
  static std::string makeProgram(const std::string& path) {
    writeFile(path, "#!/bin/sh\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
  }
};

TEST(EditorCommand, TheSuitesProgramThenPathThenTheDesktopOpener) {
  HostWithRoot env;
  PathFolder path;
  std::string nc = "/jobs/a b/PART1.NC";
  using Argv = std::vector<std::string>;
  // A name with a directory runs as given.
  EXPECT_EQ(editorCommand(env.host, "/opt/ed/edit", nc), (Argv{"/opt/ed/edit", nc}));
  EXPECT_EQ(editorCommand(env.host, "c:\\pe2.exe", nc), (Argv{"c:\\pe2.exe", nc}));
  // A bare name: the suite's program folder, with or without ".exe", any case.
  std::string pe2 = PathFolder::makeProgram(env.root.path() + "/program/PE2.EXE");
  EXPECT_EQ(editorCommand(env.host, "pe2", nc), (Argv{pe2, nc}));
  std::string own = PathFolder::makeProgram(env.root.path() + "/program/vi");
  std::string onPath = path.add("vi");
  EXPECT_EQ(editorCommand(env.host, "vi", nc), (Argv{own, nc}));
  std::filesystem::remove(own);
  EXPECT_EQ(editorCommand(env.host, "vi", nc), (Argv{onPath, nc}));
  // A file that cannot run is no program.
  writeFile(path.dir.path() + "/notes", "text");
  // Empty or found nowhere: xdg-open when there is one, else nothing.
  EXPECT_EQ(editorCommand(env.host, "notes", nc), Argv{});
  EXPECT_EQ(editorCommand(env.host, "", nc), Argv{});
  std::string opener = path.add("xdg-open");
  EXPECT_EQ(editorCommand(env.host, "", nc), (Argv{opener, nc}));
  EXPECT_EQ(editorCommand(env.host, "notepad.exe", nc), (Argv{opener, nc}));
}

}  // namespace
}  // namespace optgrind
