// The global setting dialog: the post file name rules and its look-up in the
// data directory, the output path checks, the toggles, the thresholds and
// the editor name; " OK " saves and "Quit" does not.
#include "settings/global_setting_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/global_setting_fields.h"
#include "settings_session.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::SettingsSession;
using testing::writeFile;

// A session whose "opt.set" names the bundled post file; the dialog runs
// on the given answers.
struct Dialog {
  explicit Dialog(const std::string& answers, int language = 2) : s(answers, language) {
    loadOptSet(s.host());
    bundledOptSet = readFile(s.dataFile("opt.set"));
  }
  int run() { return runGlobalSettingDialog(s.host()); }
  void addPostFile(const std::string& name) { writeFile(s.dataFile(name), "VARIABLE X = X-1.3\r\n"); }
  bool saved() const { return readFile(s.dataFile("opt.set")) != bundledOptSet; }
  SettingsSession s;
  std::string bundledOptSet;
};

TEST(PostFileName, BlanksGoAndTheNameIsCutAtItsFirstDot) {
  EXPECT_EQ(postFileName(" my post "), "mypost.WCF");
  EXPECT_EQ(postFileName("post.new.wcf"), "post.WCF");
  EXPECT_EQ(postFileName(""), ".WCF");
  EXPECT_EQ(filePartOf("C:\\jobs/a.WCF"), "a.WCF");
  EXPECT_EQ(filePartOf("a.WCF"), "a.WCF");
}

TEST(GlobalSetting, ATypedPostFileIsLookedUpInTheDataDirectory) {
  Dialog d("#1\nmy post\n#1\npost.new.wcf\n#1\nmy post\n\nQuit\n");
  d.addPostFile("mypost.WCF");
  d.addPostFile("post.WCF");
  // The first answer finds mypost.WCF, the second post.WCF; then mypost.WCF
  // is gone and the third answer keeps the previous name.
  struct RemoveAfterTwoEdits : HostWrapper {
    using HostWrapper::HostWrapper;
    std::string dataFile;
    int edits = 0;
    int formEdit(const FormSpec& form, int field, FormEditor editor, const std::vector<std::string>& choices,
                 std::string& text, int& index) override {
      if (++edits == 3) std::filesystem::remove(dataFile);
      return HostWrapper::formEdit(form, field, editor, choices, text, index);
    }
  } host(&d.s.host());
  host.dataFile = d.s.dataFile("mypost.WCF");
  EXPECT_EQ(runGlobalSettingDialog(host), 0);
  EXPECT_EQ(optSettings().pcf_name, "post.WCF");
  EXPECT_TRUE(d.s.has("\npcf_name OK!!"));
  EXPECT_TRUE(d.s.has("[1 mypost.WCF]"));
  EXPECT_TRUE(d.s.has("[1 post.WCF]"));
  EXPECT_TRUE(d.s.has("Cann't Find the Post file <mypost.WCF>/or It's not in the System Directory<" +
                      d.s.env.root.path() + "/DAT> "));
  EXPECT_FALSE(d.saved());
}

TEST(GlobalSetting, AnEmptyNameBecomesTheDefaultPostFileInMemoryOnly) {
  Dialog d("#1\n\"\"\n\n\n\n\nQuit\n");
  optSettings().pcf_name.clear();
  EXPECT_EQ(d.run(), 0);
  EXPECT_EQ(optSettings().pcf_name, "NUVEX.WCF");
  EXPECT_TRUE(d.s.has("Cann't Find the Post file <.WCF>"));
  EXPECT_TRUE(d.s.has("[1 ]"));  // the field stays empty
}

TEST(GlobalSetting, ABrowsedPostFileKeepsItsFilePartCutAtTheFirstDot) {
  Dialog d("#2\n/jobs/v1.2/custom.wcf\n#2\n^C\nQuit\n");
  d.addPostFile("v1.WCF");
  EXPECT_EQ(d.run(), 0);
  EXPECT_TRUE(d.s.has("\npcf_name OK!! pcf_name=/jobs/v1.WCF \n"));
  EXPECT_TRUE(d.s.has("[1 v1.WCF]"));
  // A cancelled browse restores the previous name, found again.
  EXPECT_EQ(optSettings().pcf_name, "v1.WCF");
}

TEST(GlobalSetting, ABrowsedPostFileThatIsMissingKeepsThePreviousName) {
  Dialog d("#2\n/elsewhere/none.wcf\n\nQuit\n");
  EXPECT_EQ(d.run(), 0);
  EXPECT_TRUE(d.s.has("Cann't Find the Post file </elsewhere/none.WCF>"));
  EXPECT_EQ(optSettings().pcf_name, "OPTGRIND.WCF");
}

TEST(GlobalSetting, TypedOutputPathsAreCheckedAndMissingOnesOfferedForCreation) {
  testing::TempDir nc;
  std::string made = nc.path() + "/made";
  std::string refused = nc.path() + "/refused";
  Dialog d("#3\n" + nc.path() + "\n#3\n" + made + "\nYes\n#3\n" + refused + "\nno\nQuit\n");
  EXPECT_EQ(d.run(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(made));
  EXPECT_FALSE(std::filesystem::exists(refused));
  EXPECT_EQ(optSettings().NC_path, made);  // "No " restored the previous path
  std::string out = d.s.output();
  size_t questions = 0;
  for (size_t at = out.find("=== Path Error!!"); at != std::string::npos; at = out.find("=== Path Error!!", at + 1)) {
    ++questions;
  }
  EXPECT_EQ(questions, 2u);  // none for the existing directory
  EXPECT_TRUE(d.s.has("No this Path  !!　"));
}

TEST(GlobalSetting, ABrowsedOutputPathMayNotHoldBlanks) {
  testing::TempDir nc;
  Dialog d("#4\n/tmp/with blank\n\n#4\n" + nc.path() + "\nQuit\n");
  optSettings().NC_path = "/before";
  EXPECT_EQ(d.run(), 0);
  EXPECT_TRUE(d.s.has("The select Path Can't have Space TCHAR. !!　"));
  EXPECT_EQ(optSettings().NC_path, nc.path());
}

TEST(GlobalSetting, TogglesThresholdsAndEditorThenOkSaves) {
  Dialog d("#5\n\n#6\nYes\n#7\n\n#8\n0.05\n#9\n0.2\n#10\n\"\"\nok\n");
  optSettings().Coord_system = 5;  // from a hand-edited file
  EXPECT_EQ(d.run(), 1);
  const OptSettings& o = optSettings();
  EXPECT_EQ(o.NC_rule, 1);
  EXPECT_EQ(o.Return_start, 1);
  EXPECT_EQ(o.Coord_system, 1);
  EXPECT_EQ(o.Small_seg, 0.05);
  EXPECT_EQ(o.Small_radius, 0.2);
  EXPECT_EQ(o.NC_editor, "");
  EXPECT_TRUE(d.s.has("[5 By Setting]"));
  EXPECT_TRUE(d.s.has("[7 Third Coord]"));
  EXPECT_TRUE(d.s.has("[8 0.050]"));
  auto lines = testing::settingsLines(readFile(d.s.dataFile("opt.set")));
  EXPECT_EQ(lines[8], "1");
  EXPECT_EQ(lines[12], "1");
  EXPECT_EQ(lines[13], "1");
  EXPECT_EQ(lines[14], "");
  EXPECT_EQ(lines[15], "0.050000");
  EXPECT_EQ(lines[16], "0.200000");
}

TEST(GlobalSetting, QuitAndEscapeKeepTheFileButNotTheMemory) {
  for (const char* leave : {"Quit\n", "^C\n"}) {
    Dialog d(std::string("#7\n\n#5\nBy Setting\n") + leave);
    EXPECT_EQ(d.run(), 0);
    EXPECT_FALSE(d.saved());
    EXPECT_EQ(optSettings().Coord_system, 1);
    EXPECT_EQ(optSettings().NC_rule, 1);
  }
}

TEST(GlobalSetting, TheFormReadsTheSameInEveryLanguage) {
  std::vector<FormSpec> forms;
  for (int language : {0, 1, 2}) {
    Dialog d("", language);
    forms.push_back(buildGlobalSettingForm(d.s.host()));
  }
  const FormSpec& english = forms[2];
  ASSERT_EQ(english.fields.size(), static_cast<size_t>(kGlobalQuit));
  EXPECT_EQ(english.title, " Kestro Optical Grinding Machine Data Setting ");
  EXPECT_EQ(english.fields[kGlobalPcfName - 1].caption, "OPTGRIND.WCF");
  EXPECT_EQ(english.fields[kGlobalNcRule - 1].caption, "By Drawing");
  for (const FormSpec& form : forms) {
    ASSERT_EQ(form.fields.size(), english.fields.size());
    ASSERT_EQ(form.labels.size(), english.labels.size());
    for (size_t i = 0; i < form.fields.size(); ++i) {
      EXPECT_EQ(form.fields[i].row, english.fields[i].row);
      EXPECT_EQ(form.fields[i].col, english.fields[i].col);
      EXPECT_EQ(form.fields[i].width, english.fields[i].width);
    }
    for (size_t i = 0; i < form.labels.size(); ++i) {
      EXPECT_EQ(form.labels[i].col, english.labels[i].col);
    }
  }
  EXPECT_NE(forms[0].fields[kGlobalNcRule - 1].caption, "By Drawing");
  EXPECT_NE(forms[0].title, forms[1].title);
}

}  // namespace
}  // namespace optgrind
