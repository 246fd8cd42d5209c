// The golden cases of tests/data/post: for every NAME.events, the program
// NAME.wcf (or the file that NAME.wcfref names, relative to the source
// tree) runs the script; the NC text must equal NAME.nc and the
// command-line messages NAME.msg (none when there is no such file). OPTGRIND_WRITE_GOLDEN=1
// rewrites NAME.nc and NAME.msg.
#include <cstdlib>
#include <filesystem>

#include "post_fixture.h"

namespace optgrind::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCaseDir = fs::path(OPTGRIND_TEST_DATA) / "post";

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kCaseDir)) {
    if (entry.path().extension() == ".events") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct GoldenCase : PostFixture, ::testing::WithParamInterface<std::string> {};

TEST_P(GoldenCase, WritesTheExpectedNcText) {
  const std::string name = GetParam();
  fs::path wcf = kCaseDir / (name + ".wcf");
  if (!fs::exists(wcf)) {
    std::string ref = readFile((kCaseDir / (name + ".wcfref")).string());
    ref.erase(ref.find_last_not_of("\r\n") + 1);
    wcf = fs::path(OPTGRIND_SOURCE_DIR) / ref;
  }
  ASSERT_TRUE(fs::exists(wcf)) << wcf;
  std::string wcfText = textModeRead(readFile(wcf.string()));
  load(wcfText, wcf.filename().string());
  std::string nc = run(readFile((kCaseDir / (name + ".events")).string()));
  fs::path msg = kCaseDir / (name + ".msg");
  if (const char* write = std::getenv("OPTGRIND_WRITE_GOLDEN"); write && std::string(write) == "1") {
    testing::writeFile((kCaseDir / (name + ".nc")).string(), nc);
    if (!messages().empty()) testing::writeFile(msg.string(), messages());
  }
  EXPECT_EQ(nc, readFile((kCaseDir / (name + ".nc")).string()));
  EXPECT_EQ(messages(), fs::exists(msg) ? readFile(msg.string()) : std::string());
}

INSTANTIATE_TEST_SUITE_P(Post, GoldenCase, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace optgrind::test
