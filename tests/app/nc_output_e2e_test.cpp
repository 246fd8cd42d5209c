// The NC run of the whole program on drawings written by ezdxf
// (tests/data/nc/make_nc_drawings.py): the NC text of each case is
// compared with its golden file. OPTGRIND_WRITE_GOLDEN=1 rewrites them.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "support/program_session.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::ProgramSession;
using testing::readFile;
using testing::writeFile;

const std::string kData = std::string(OPTGRIND_TEST_DATA) + "/nc/";

// Lines of "opt.set" (from 1).
constexpr int kLineNcRule = 8;
constexpr int kLinePcfName = 9;
constexpr int kLineNcPath = 10;
constexpr int kLineReturnStart = 12;
constexpr int kLineCoordSystem = 13;
constexpr int kLineNcEditor = 14;
constexpr int kLineRow1FileName = 18;
constexpr int kLineRow1Allowance = 21;
constexpr int kLineRow1Feed = 23;

// The CreateNC cell of the first tool row in the machine data form.
constexpr const char* kRow1CreateNc = "#21";
// opt, its lower CreateNC, Select All and the name form's proposal.
constexpr const char* kCreateNcAll = "opt\nCreateNC\n\n OK \n";

struct NcSession : ProgramSession {
  std::string work = dir.path() + "/work";
  NcSession() { std::filesystem::create_directories(work); }
  void setLines(const std::map<int, std::string>& lines) {
    std::vector<std::string> all = testing::settingsLines(readFile(dataFile("opt.set")));
    for (const auto& [index, value] : lines) all.at(static_cast<size_t>(index)) = value;
    std::string text;
    for (size_t i = 1; i < all.size(); ++i) text += all[i] + "\r\n";
    writeFile(dataFile("opt.set"), text);
  }
  // Copies a test drawing into the work folder.
  std::string drawing(const std::string& name, const std::string& folder = std::string()) const {
    std::string dest = (folder.empty() ? work : folder) + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(dest).parent_path());
    std::filesystem::copy_file(kData + name, dest, std::filesystem::copy_options::overwrite_existing);
    return dest;
  }
  testing::ProgramRun runOn(const std::string& drawingPath, const std::string& script) const {
    return runScript(script, "'" + drawingPath + "'");
  }
};

void expectGolden(const std::string& actual, const std::string& golden) {
  if (const char* write = std::getenv("OPTGRIND_WRITE_GOLDEN"); write && std::string(write) == "1") {
    writeFile(kData + golden, actual);
  }
  EXPECT_EQ(actual, readFile(kData + golden)) << golden;
}

// Lines and arcs with two lifts through the bundled post; every event with
// lift parts, continuations and empty lines (CONT.WCF); approach and end
// text with the return to the start; the return through the bundled post
// with mirrored coordinates.
TEST(NcOutputGolden, DrawingsAndSettingsToTheirNcText) {
  struct Case {
    const char* drawing;
    std::map<int, std::string> lines;
    const char* nc;
    const char* golden;
  };
  const Case cases[] = {{"lifts.dxf", {}, "LIFTS.NC", "lifts_bundled.nc"},
                        {"lifts.dxf", {{kLinePcfName, "CONT.WCF"}}, "LIFTS.NC", "lifts_events.nc"},
                        {"approach.dxf",
                         {{kLinePcfName, "CONT.WCF"}, {kLineReturnStart, "1"}},
                         "APPROACH.NC",
                         "approach_return.nc"},
                        {"lifts.dxf",
                         {{kLineReturnStart, "1"}, {kLineCoordSystem, "1"}},
                         "LIFTS.NC",
                         "lifts_return_mirrored.nc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    NcSession s;
    std::filesystem::copy_file(kData + "CONT.WCF", s.dataFile("CONT.WCF"));
    s.setLines(c.lines);
    auto run = s.runOn(s.drawing(c.drawing), kCreateNcAll);
    EXPECT_EQ(run.status, 0) << run.output;
    expectGolden(readFile(s.work + "/" + c.nc), c.golden);
  }
}

TEST(NcOutputGolden, ToolRowPutsCopiesOnItsLayerAndWritesTheFirstPath) {
  NcSession s;
  std::string ncDir = s.dir.path() + "/nc";
  std::filesystem::create_directories(ncDir);
  s.setLines({{kLineNcRule, "1"},
              {kLineNcPath, ncDir},
              {kLineRow1FileName, ""},
              {kLineRow1Allowance, "0.020000"},
              {kLineRow1Feed, "10.000000"}});
  std::string saved = s.work + "/after.dxf";
  auto run = s.runScript(std::string("opt\n") + kRow1CreateNc + "\n\nQUIT\n",
                         "--save '" + saved + "' '" + s.drawing("straight.dxf") + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("\n 22 nc_name=" + ncDir + "/OPT.NC \n"), std::string::npos) << run.output;
  expectGolden(readFile(ncDir + "/OPT.NC"), "straight_row1.nc");
  // The copy lies on layer "1", which is current; USE_EMODE stays 1.
  std::string dxf = readFile(saved);
  EXPECT_NE(dxf.find("\n  8\n1\n"), std::string::npos);
  EXPECT_NE(dxf.find("USE_EMODE"), std::string::npos);
}

TEST(NcOutputNames, ADrawingSavedUnderAnotherNameProposesTheNewName) {
  NcSession s;
  std::string drawing = s.drawing("lifts.dxf");
  std::string renamed = s.work + "/v2.0/ring.dxf";
  std::filesystem::create_directories(s.work + "/v2.0");
  auto run = s.runOn(drawing, "SAVE " + renamed + "\n" + kCreateNcAll);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("\nfile_name=" + s.work + "/v2.0/RING.NC \n"), std::string::npos) << run.output;
  EXPECT_EQ(readFile(s.work + "/v2.0/RING.NC"), readFile(kData + "lifts_bundled.nc").replace(2, 7, "(RING)"));
}

TEST(NcOutputNames, AnExistingFileAsksAndNoReturnsToTheForm) {
  NcSession s;
  std::string drawing = s.drawing("lifts.dxf");
  writeFile(s.work + "/LIFTS.NC", "older\n");
  auto run = s.runOn(drawing, "opt\nCreateNC\n\n OK \nNo\n");
  EXPECT_NE(run.output.find("File exist !!"), std::string::npos) << run.output;
  EXPECT_EQ(testing::countOf(run.output, "=== NC File Name Setting ==="), 2u) << run.output;
  EXPECT_EQ(readFile(s.work + "/LIFTS.NC"), "older\n");

  auto yes = s.runOn(drawing, "opt\nCreateNC\n\n OK \nYes\n");
  EXPECT_EQ(readFile(s.work + "/LIFTS.NC"), readFile(kData + "lifts_bundled.nc")) << yes.output;
}

// An NC file is what a new file or the replaced one would be: the umask's
// permissions when new; the old permissions, and a link kept as a link, when
// replaced.
TEST(NcOutputNames, TheNcFileKeepsWhatTheOldFileWasOrGetsANewFilesPermissions) {
  namespace fs = std::filesystem;
  NcSession s;
  std::string drawing = s.drawing("lifts.dxf");
  mode_t mask = ::umask(0);
  ::umask(mask);
  s.runOn(drawing, kCreateNcAll);
  EXPECT_EQ(static_cast<mode_t>(fs::status(s.work + "/LIFTS.NC").permissions()), 0666 & ~mask);

  std::string kept = s.work + "/kept.nc";
  fs::rename(s.work + "/LIFTS.NC", kept);
  fs::permissions(kept, fs::perms(0640));
  fs::create_symlink(kept, s.work + "/LIFTS.NC");
  auto run = s.runOn(drawing, "opt\nCreateNC\n\n OK \nYes\n");
  EXPECT_TRUE(fs::is_symlink(s.work + "/LIFTS.NC")) << run.output;
  EXPECT_EQ(fs::status(kept).permissions(), fs::perms(0640));
  EXPECT_EQ(readFile(kept), readFile(kData + "lifts_bundled.nc"));
}

// The files of a folder, by name.
std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A missing folder, a file named as the folder, and a folder of the NC
// file's name that the finished text cannot replace (asked to overwrite).
TEST(NcOutputFailures, APlaceThatCannotTakeTheFileGetsTheMessageAndNothingIsWritten) {
  NcSession s;
  std::string drawing = s.drawing("lifts.dxf");
  writeFile(s.work + "/plain", "a file, not a folder\n");
  std::filesystem::create_directories(s.work + "/LIFTS.NC");
  writeFile(s.work + "/LIFTS.NC/inside", "kept\n");
  for (auto [folder, overwrite] :
       {std::pair(s.work + "/missing", ""), std::pair(s.work + "/plain", ""), std::pair(s.work, "Yes\n")}) {
    auto run = s.runOn(drawing, "opt\nCreateNC\n\n#1\n" + folder + "\n OK \n" + overwrite + "\n");
    EXPECT_NE(run.output.find("Can't open nc_name output file"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nnc_name=" + folder + "/LIFTS.NC "), std::string::npos) << run.output;
  }
  EXPECT_EQ(filesIn(s.work), (std::vector<std::string>{"LIFTS.NC", "lifts.dxf", "plain"}));
  EXPECT_EQ(readFile(s.work + "/LIFTS.NC/inside"), "kept\n");
  EXPECT_FALSE(std::filesystem::exists(s.dataFile("tmpabc.tmp")));
}

TEST(NcOutputFailures, DamagedPathsAreSkippedOrReadAsFarAsTheyGo) {
  NcSession s;
  auto run = s.runOn(s.drawing("damaged.dxf"), kCreateNcAll);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("A stored path without elements is skipped."), std::string::npos) << run.output;
  expectGolden(readFile(s.work + "/DAMAGED.NC"), "damaged.nc");
}

TEST(NcOutputEditor, AScriptRunOnlyShowsTheEditorCommand) {
  NcSession s;
  s.setLines({{kLineNcEditor, "/usr/bin/true"}});
  auto run = s.runOn(s.drawing("lifts.dxf"), kCreateNcAll);
  EXPECT_NE(run.output.find("\nstart: /usr/bin/true " + s.work + "/LIFTS.NC\n"), std::string::npos)
      << run.output;
}

}  // namespace
}  // namespace optgrind
