// The install root, the data directory and the data-file search order.
#include "datafiles/data_files.h"

#include <gtest/gtest.h>

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

TEST(DataFiles, RootComesFromTheRegistryValueOfTheHostVersion) {
  HostWithRoot env;
  EXPECT_EQ(dataDirectory(env.host), env.dataDir());
  VersionHost v17(&env.host, "17.1s (LMS Tech)", true);
  installRoot(v17);
  ASSERT_EQ(v17.keys.size(), 1u);
  EXPECT_EQ(v17.keys[0], "Software\\Brennik Works\\Veltrane2008\\Ver 2008");
}

TEST(DataFiles, MissingRegistryKeyGivesTheMessageAndTheFallback) {
  HostWithRoot env;
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

TEST(DataFiles, SaveReplacesAWholeFileOrNothing) {
  HostWithRoot env;
  writeFile(env.dataFile("opt.set"), "old");
  EXPECT_EQ(saveDataFile(env.host, "opt.set", "new\r\n"), 1);
  EXPECT_EQ(testing::readFile(env.dataFile("opt.set")), "new\r\n");
  std::filesystem::remove_all(env.dataDir());
  EXPECT_EQ(saveDataFile(env.host, "opt.set", "lost"), 0);
}

}  // namespace
}  // namespace optgrind
