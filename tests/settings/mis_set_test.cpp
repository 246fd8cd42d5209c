// "mis_set.set" and the settings line format: range rules on reading and
// writing, files that are missing, foreign or short.
#include "settings/mis_set.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "datafiles/settings_line_file.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;
using testing::readFile;
using testing::writeFile;

// 72 lines: every value 1 (strings "s"), then the given lines replaced.
std::string misSetText(std::map<int, std::string> lines, int count = kMisSetLines) {
  std::string text;
  for (int line = 1; line <= count; ++line) {
    auto it = lines.find(line);
    bool isString = (line >= 8 && line <= 13) || line == 20 || line == 38 || line == 39 || line == 64;
    text += (it != lines.end() ? it->second : (isString ? "s" : "1")) + "\r\n";
  }
  return text;
}

struct MisSetTest : ::testing::Test {
  HostWithRoot env;
  void SetUp() override { misSet() = MisSettings{}; }
};

TEST_F(MisSetTest, RangeRulesApplyWhenReading) {
  writeFile(env.dataFile("mis_set.set"), misSetText({{2, "25.0"},
                                                     {3, "2"},
                                                     {8, std::string(30, 'x')},
                                                     {26, "5"},
                                                     {28, "3"},
                                                     {30, "-4"},
                                                     {31, "1000000"},
                                                     {57, "5"},
                                                     {59, "0.005"},
                                                     {61, "300"}}));
  ASSERT_EQ(loadMisSet(env.host), 1);
  const MisSettings& m = misSet();
  EXPECT_EQ(m.doubles[2], 0.0);
  EXPECT_EQ(m.ints[3], 0);
  EXPECT_EQ(m.strings[8], std::string(20, 'x'));
  EXPECT_EQ(m.language(), 0);  // 3 is out of range
  EXPECT_EQ(m.ints[30], 0);
  EXPECT_EQ(m.ints[31], 0);  // beyond the integer limit
  EXPECT_EQ(m.ints[57], 2);
  EXPECT_EQ(m.noteTextRatio(), 1.0);
  EXPECT_EQ(m.noteColor(), 5);  // line 61 out of range takes line 26
}

TEST_F(MisSetTest, ValuesInRangeAreKeptAndLfLinesRead) {
  std::string text = misSetText({{28, "2"}, {59, "0.05"}, {61, "-4"}, {20, "C:\\jobs\\notes"}});
  std::string lf;
  for (char c : text) {
    if (c != '\r') lf.push_back(c);
  }
  writeFile(env.dataFile("mis_set.set"), lf);
  ASSERT_EQ(loadMisSet(env.host), 1);
  EXPECT_EQ(misSet().language(), 2);
  EXPECT_DOUBLE_EQ(misSet().noteTextRatio(), 0.05);
  EXPECT_EQ(misSet().noteColor(), -4);
  EXPECT_EQ(misSet().strings[20], "C:\\jobs\\notes");
}

TEST_F(MisSetTest, MissingForeignAndShortFiles) {
  // Missing: a few defaults, the rest kept.
  std::filesystem::remove(env.dataFile("mis_set.set"));
  misSet().ints[28] = 2;
  misSet().strings[9] = "kept?";
  misSet().doubles[14] = 7.5;
  EXPECT_EQ(loadMisSet(env.host), 0);
  EXPECT_EQ(misSet().language(), 2);
  EXPECT_EQ(misSet().strings[9], "");
  EXPECT_EQ(misSet().doubles[14], 0.0);

  // Line 1 of 7: nothing more is read; the file counts as missing.
  misSet().doubles[14] = 7.5;
  writeFile(env.dataFile("mis_set.set"), misSetText({{1, "7"}, {28, "1"}}));
  EXPECT_EQ(loadMisSet(env.host), 0);
  EXPECT_EQ(misSet().ints[1], 0);
  EXPECT_EQ(misSet().language(), 2);
  EXPECT_EQ(misSet().doubles[14], 0.0);

  // A file that ends early leaves every later value as it was.
  writeFile(env.dataFile("mis_set.set"), misSetText({{26, "9"}}, 26));
  misSet().ints[40] = 42;
  EXPECT_EQ(loadMisSet(env.host), 1);
  EXPECT_EQ(misSet().noteTextColor(), 9);
  EXPECT_EQ(misSet().ints[40], 42);
  EXPECT_EQ(misSet().language(), 2);
}

TEST_F(MisSetTest, SaveWritesSeventyTwoCrLfLinesAndLimitsDoubles) {
  misSet().ints[28] = 2;
  misSet().doubles[51] = 1234567.0;
  misSet().doubles[52] = 100000000.0;
  misSet().strings[20] = "two\nlines";
  ASSERT_EQ(saveMisSet(env.host), 1);
  std::string text = readFile(env.dataFile("mis_set.set"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kMisSetLines);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), kMisSetLines);
  EXPECT_NE(text.find("\r\n1234567.000000\r\n0.000000\r\n"), std::string::npos);
  EXPECT_EQ(misSet().doubles[52], 0.0);
  EXPECT_EQ(misSet().strings[20], "twolines");

  // 1234567 was written but is beyond the read limit.
  ASSERT_EQ(loadMisSet(env.host), 1);
  EXPECT_EQ(misSet().doubles[51], 0.0);
  EXPECT_EQ(misSet().language(), 2);
}

// Links, owners and letter case of the file are the data-file layer's and
// the file replacement's, tested there.
TEST_F(MisSetTest, SavingRefusesAReadOnlyFileWithTheStopBox) {
  std::string file = env.dataFile("mis_set.set");
  std::string before = readFile(file);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  EXPECT_EQ(saveMisSet(env.host), 0);
  EXPECT_NE(env.out.str().find("(save_mis)Can't open the data file (mis_set.set) !"), std::string::npos);
  EXPECT_EQ(readFile(file), before);
}

TEST(SettingsLineFile, NumbersReadLikeThePlatformsLenientConversions) {
  testing::TempDir dir;
  std::string path = dir.path() + "/lines";
  writeFile(path, " 12abc\n-3.5e1x\n0x1F\nnan\n\n1e\n");
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(f);
  int i = -1;
  double d = -1;
  EXPECT_TRUE(readSettingsInt(f, i));
  EXPECT_EQ(i, 12);
  EXPECT_TRUE(readSettingsDouble(f, d));
  EXPECT_EQ(d, -35.0);
  EXPECT_TRUE(readSettingsDouble(f, d));
  EXPECT_EQ(d, 0.0);  // not hexadecimal
  EXPECT_TRUE(readSettingsDouble(f, d));
  EXPECT_EQ(d, 0.0);  // not a NaN
  EXPECT_TRUE(readSettingsInt(f, i));
  EXPECT_EQ(i, 0);
  EXPECT_TRUE(readSettingsDouble(f, d));
  EXPECT_EQ(d, 1.0);
  EXPECT_FALSE(readSettingsInt(f, i));
  EXPECT_EQ(i, 0);  // kept at the end of the file
  std::fclose(f);
}

}  // namespace
}  // namespace optgrind
