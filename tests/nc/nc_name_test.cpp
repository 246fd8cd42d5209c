// NC file names on POSIX: the form's proposal, the accepted name, the tool
// row's name, dotted folders.
#include "nc/nc_name.h"

#include "nc/nc_fixture.h"
#include "nc/work_time.h"

namespace optgrind {
namespace {

using testing::NcTest;

TEST(NcNames, ExtensionsAreCutInTheFilePartOnlyAndBothSeparatorsCount) {
  EXPECT_EQ(withoutExtension("/w/v1.2/part1.dxf"), "/w/v1.2/part1");
  EXPECT_EQ(withoutExtension("/home/ann/.local/ABC.ISO.BAK"), "/home/ann/.local/ABC");
  EXPECT_EQ(withoutExtension("d:\\work\\part1.dwg"), "d:\\work\\part1");
  EXPECT_EQ(directoryOf("d:\\work\\part1.dwg"), "d:\\work\\");
  EXPECT_EQ(directoryOf("c:part"), "c:");
  EXPECT_TRUE(hasDirectory("c:part"));
  EXPECT_FALSE(hasDirectory("part.nc"));
  EXPECT_EQ(joinDirectory("/w", "A.NC"), "/w/A.NC");
  EXPECT_EQ(joinDirectory("/w/", "A.NC"), "/w/A.NC");
  EXPECT_EQ(joinDirectory("", "A.NC"), "A.NC");
}

TEST(NcNames, TheDrawingsNameTheAcceptedNameAndTheOverwriteExtension) {
  EXPECT_EQ(ncNameOfDrawing("part1.dxf"), "PART1.NC");
  EXPECT_EQ(ncNameOfDrawing("Part1.DWG"), "PART1.NC");
  EXPECT_EQ(ncNameOfDrawing(""), "OPT.NC");
  EXPECT_EQ(ncFileOfAccepted("/w/v1.2/ABC.ISO"), "/w/v1.2/ABC.NC");
  EXPECT_EQ(ncFileOfAccepted("/w/v1.2/"), "OPT.NC");
  EXPECT_EQ(ncFileOfAccepted(""), "OPT.NC");
  EXPECT_EQ(ncFileOfAccepted("abc"), "abc.NC");
}

TEST(WorkTime, HoursAndMinutesAboveAnHourElseTheStartedMinutes) {
  EXPECT_EQ(workTimeText(75.5), "1'15\"");
  EXPECT_EQ(workTimeText(12.2), "13\"");
  EXPECT_EQ(workTimeText(60.0), "61\"");
  EXPECT_EQ(workTimeText(125.0), "2'5\"");
  EXPECT_EQ(workTimeText(0.0), "1\"");
  EXPECT_EQ(workTimeText(1e300), "16666666'40\"");
}

TEST_F(NcTest, ADrawingInItsFolderProposesItsNameThereAndANewDrawingOpt) {
  env->host.drawing().path = "/w/part1.dxf";
  optSettings().NC_rule = 0;
  EXPECT_EQ(proposedNcName(host(), optSettings()), "/w/PART1.NC");
  env->host.drawing().path = "/w/v1.2/part1.dxf";
  EXPECT_EQ(proposedNcName(host(), optSettings()), "/w/v1.2/PART1.NC");
  env->host.drawing().path.clear();
  std::string here = std::filesystem::current_path().string() + "/OPT.NC";
  EXPECT_EQ(proposedNcName(host(), optSettings()), here);
  optSettings().NC_rule = 1;
  optSettings().NC_path = "/nc";
  EXPECT_EQ(proposedNcName(host(), optSettings()), "/nc/OPT.NC");
  optSettings().NC_path = "";
  EXPECT_EQ(proposedNcName(host(), optSettings()), "OPT.NC");
  EXPECT_TRUE(has("\nWarning!No Saveing Path !"));
}

TEST_F(NcTest, AToolRowsNameJoinsItsDirectoryOrTheDataDirectory) {
  OptSettings& s = optSettings();
  s.NC_path = "/nc";
  EXPECT_EQ(ncFileOfToolRow(host(), s, 1), "/nc/OPT.NC");
  EXPECT_TRUE(has("\n 11 nc_path=/nc nc_name=OPT \n"));
  s.tools[1].File_name = "/jobs/v1.2/RING";
  EXPECT_EQ(ncFileOfToolRow(host(), s, 2), "/jobs/v1.2/RING.NC");
  s.NC_path = "x";
  s.tools[2].File_name = "CAM";
  EXPECT_EQ(ncFileOfToolRow(host(), s, 3), env->dataDir() + "/CAM.NC");
  EXPECT_TRUE(has("\nPlease Assign save path !"));
  s.NC_rule = 0;
  env->host.drawing().path = "/w/part1.dxf";
  EXPECT_EQ(ncFileOfToolRow(host(), s, 3), "/w/CAM.NC");
}

TEST_F(NcTest, TheNameFormTakesTypedFieldsAFolderAndCancelsOnEscape) {
  answers("#1\n/jobs/v1.2\n#3\nA B.ISO\n OK \n");
  std::string accepted;
  ASSERT_EQ(runNcNameForm(host(), "/w/PART1.NC", accepted), kNcNameSettled);
  EXPECT_EQ(accepted, "/jobs/v1.2/AB.ISO");
  EXPECT_EQ(ncFileOfAccepted(accepted), "/jobs/v1.2/AB.NC");
  EXPECT_TRUE(has("\nfile_name=/jobs/v1.2/AB.ISO \n"));

  answers("#1\n\n#2\n/picked\n OK \n");
  ASSERT_EQ(runNcNameForm(host(), "/w/PART1.NC", accepted), kNcNameSettled);
  EXPECT_EQ(accepted, "/picked/PART1.NC");

  answers("^C\n");
  EXPECT_EQ(runNcNameForm(host(), "/w/PART1.NC", accepted), kNcNameCancelled);
}

}  // namespace
}  // namespace optgrind
