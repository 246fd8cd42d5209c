// The standalone host's operating-system services and the host's failures
// that no other test reaches.
#include <gtest/gtest.h>

#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

struct PlatformTest : testing::HostTest {
  Platform& platform = host.platform();
};

// With a root the registry answers it: the data-file tests find their files
// so.
TEST_F(PlatformTest, RegistryHasNoInstallRootWhenNoneIsSet) {
  std::string value = "unchanged";
  EXPECT_EQ(platform.registryValue("Software\\Any", "AcadLocation", value), RTERROR);
  EXPECT_EQ(value, "unchanged");
}

TEST_F(PlatformTest, FindFileTakesOnlyExistingRegularFiles) {
  testing::TempDir dir;
  testing::writeFile(dir.path() + "/a.set", "1\n");
  std::string found = "unchanged";
  ASSERT_EQ(platform.acedFindFile(dir.path() + "/a.set", found), RTNORM);
  EXPECT_EQ(found, dir.path() + "/a.set");
  found = "unchanged";
  for (const std::string& refused : {dir.path(), dir.path() + "/missing.set", std::string()})
    EXPECT_EQ(platform.acedFindFile(refused, found), RTERROR) << refused;  // a folder, no file, no name
  EXPECT_EQ(found, "unchanged");
}

TEST_F(PlatformTest, ChoosersTakeAPathAndCancelOnEnterEscapeOrNoAnswer) {
  session.in.str("  /tmp/post.wcf  \n\n^C\n/tmp/nc\n");
  std::string path = "unchanged";
  ASSERT_EQ(platform.acedGetFileD("Select post file", "old.wcf", "wcf", 0, path), RTNORM);
  EXPECT_EQ(path, "/tmp/post.wcf");
  path = "unchanged";
  EXPECT_EQ(platform.acedGetFileD("Select post file", "", "wcf", 0, path), RTCAN);  // Enter
  EXPECT_EQ(platform.browseForFolder("NC folder", path), RTCAN);                    // ^C
  EXPECT_EQ(path, "unchanged");
  ASSERT_EQ(platform.browseForFolder("NC folder", path), RTNORM);
  EXPECT_EQ(path, "/tmp/nc");
  EXPECT_EQ(platform.browseForFolder("NC folder", path), RTCAN);  // no answers left
  EXPECT_TRUE(session.said("Select post file <old.wcf>: "));
}

TEST_F(PlatformTest, CommandsAndDictionariesRefuseWhatTheyCannotHold) {
  auto handler = [] {};
  EXPECT_TRUE(host.addCommand("G1", "opt", "opt", 0, handler));
  EXPECT_FALSE(host.addCommand("G2", "OPT", "OPT", 0, handler));  // taken, in another group
  EXPECT_FALSE(host.removeGroup("G2"));
  EXPECT_TRUE(host.removeGroup("G1"));
  EXPECT_TRUE(host.addCommand("G2", "OPT", "OPT", 0, handler));

  EXPECT_EQ(host.dictSetXRecord("", "KEY", {ResBuf::ofInt(70, 1)}), RTERROR);

  FormSpec form;
  form.fields.resize(1);
  std::string text = "kept";
  int index = 0;
  EXPECT_EQ(host.formEdit(form, 0, FormEditor::Text, {}, text, index), RTERROR);
  EXPECT_EQ(host.formEdit(form, 2, FormEditor::Text, {}, text, index), RTERROR);
  EXPECT_EQ(text, "kept");
}

}  // namespace
}  // namespace optgrind::standalone
