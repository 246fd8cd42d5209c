// The global setting dialog: the post file name rules and its look-up in the
// data directory, the output path checks, the toggles, the thresholds and
// the editor name; " OK " saves and "Quit" does not.
#include "commands/global_setting_dialog.h"

#include <gtest/gtest.h>

#include "commands/global_setting_fields.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::SettingsSession;

// The bundled settings (post file OPTGRIND.WCF) and the dialog's answers.
struct Dialog {
  explicit Dialog(const std::string& answers) : s(answers) {
    loadOptSet(s.host());
    before = readFile(s.dataFile("opt.set"));
  }
  void addPostFile(const std::string& name) {
    testing::writeFile(s.dataFile(name), "VARIABLE X = X-1.3\r\n");
  }
  bool saved() const { return readFile(s.dataFile("opt.set")) != before; }
  SettingsSession s;
  std::string before;
};

// Removes a file before the n-th field edit.
struct RemoveBeforeEdit : HostWrapper {
  RemoveBeforeEdit(Host* host, std::string file, int n) : HostWrapper(host), file(std::move(file)), n(n) {}
  int formEdit(const FormSpec& form, int field, FormEditor editor, const std::vector<std::string>& choices,
               std::string& text, int& index) override {
    if (--n == 0) std::filesystem::remove(file);
    return HostWrapper::formEdit(form, field, editor, choices, text, index);
  }
  std::string file;
  int n;
};

TEST(GlobalSetting, ATypedPostFileIsNormalisedAndLookedUpInTheDataDirectory) {
  Dialog d("#1\nmy post\n#1\npost.new.wcf\n#1\nmy post\n\nQuit\n");
  d.addPostFile("mypost.WCF");
  d.addPostFile("post.WCF");
  RemoveBeforeEdit host(&d.s.host(), d.s.dataFile("mypost.WCF"), 3);
  EXPECT_EQ(runGlobalSettingDialog(host), 0);
  EXPECT_TRUE(d.s.has("\npcf_name OK!!"));
  EXPECT_TRUE(d.s.has("[1 mypost.WCF]"));
  EXPECT_TRUE(d.s.has("Cann't Find the Post file <mypost.WCF>/or It's not in the System Directory<" +
                      d.s.env.root.path() + "/DAT> "));
  EXPECT_EQ(optSettings().pcf_name, "post.WCF");  // the previous name
  EXPECT_FALSE(d.saved());
}

TEST(GlobalSetting, PostFilesAreFoundWithoutLetterCase) {
  Dialog d("#1\noptgrind\n#1\nmypost\n#2\n/jobs/mypost.wcf\n\nQuit\n");
  d.addPostFile("mypost.wcf");
  optSettings().pcf_name = "none.WCF";
  runGlobalSettingDialog(d.s.host());
  EXPECT_TRUE(d.s.has("[1 optgrind.WCF]"));
  EXPECT_TRUE(d.s.has("[1 mypost.WCF]"));
  EXPECT_FALSE(d.s.has("Cann't Find the Post file"));
  EXPECT_EQ(optSettings().pcf_name, "mypost.WCF");
}

TEST(GlobalSetting, AnEmptyNameBecomesTheDefaultPostFileInMemoryOnly) {
  Dialog d("#1\n\"\"\n\n\n\n\nQuit\n");
  optSettings().pcf_name.clear();
  runGlobalSettingDialog(d.s.host());
  EXPECT_EQ(optSettings().pcf_name, "NUVEX.WCF");
  EXPECT_TRUE(d.s.has("Cann't Find the Post file <.WCF>"));
  EXPECT_TRUE(d.s.has("[1 ]"));
}

TEST(GlobalSetting, ABrowsedPostFileKeepsItsFilePartCutAtTheFirstDot) {
  Dialog d("#2\n/jobs/v1.2/custom.wcf\n#2\n/elsewhere/none.wcf\n\nQuit\n");
  d.addPostFile("v1.WCF");
  runGlobalSettingDialog(d.s.host());
  EXPECT_TRUE(d.s.has("\npcf_name OK!! pcf_name=/jobs/v1.WCF \n"));
  EXPECT_TRUE(d.s.has("[1 v1.WCF]"));
  EXPECT_TRUE(d.s.has("Cann't Find the Post file </elsewhere/none.WCF>"));
  EXPECT_EQ(optSettings().pcf_name, "v1.WCF");
}

TEST(GlobalSetting, MissingOutputPathsAreOfferedForCreationAndBrowsedOnesHoldNoBlank) {
  testing::TempDir nc;
  std::string made = nc.path() + "/made";
  std::string refused = nc.path() + "/refused";
  Dialog d("#3\n" + nc.path() + "\n#3\n" + made + "\nYes\n#3\n" + refused +
           "\nno\n#4\n/tmp/with blank\n\nQuit\n");
  runGlobalSettingDialog(d.s.host());
  EXPECT_TRUE(std::filesystem::is_directory(made));
  EXPECT_FALSE(std::filesystem::exists(refused));
  std::string out = d.s.output();
  EXPECT_EQ(testing::countOf(out, "=== Path Error!!"), 2u);  // none for the existing directory
  EXPECT_EQ(testing::countOf(out, "No this Path  !!　"), 2u);
  EXPECT_TRUE(d.s.has("The select Path Can't have Space TCHAR. !!　"));
  EXPECT_EQ(optSettings().NC_path, made);  // "No " and the blank kept it
}

// Choosing a two-state field flips it; the next answer chooses a field
// again. (Every field changed and " OK " is driven through the program.)
TEST(GlobalSetting, QuitAndEscapeKeepTheFileButNotTheMemory) {
  for (const char* leave : {"Quit\n", "^C\n"}) {
    Dialog d(std::string("#7\n#5\n") + leave);
    optSettings().Coord_system = 5;  // from a hand-edited file: read as 0, flipped to 1
    EXPECT_EQ(runGlobalSettingDialog(d.s.host()), 0);
    EXPECT_FALSE(d.saved());
    EXPECT_EQ(std::make_pair(optSettings().Coord_system, optSettings().NC_rule), std::make_pair(1, 1));
  }
}

TEST(GlobalSetting, TheFormReadsTheSameInEveryLanguage) {
  std::vector<FormSpec> forms;
  for (int language : {0, 1, 2}) {
    SettingsSession s("", language);
    loadOptSet(s.host());
    forms.push_back(buildGlobalSettingForm(s.host()));
    testing::expectSameGrid(forms.back(), forms.front());
  }
  ASSERT_EQ(forms[2].fields.size(), static_cast<size_t>(kGlobalQuit));
  EXPECT_EQ(forms[2].fields[kGlobalPcfName - 1].caption, "OPTGRIND.WCF");
  EXPECT_NE(forms[0].fields[kGlobalNcRule - 1].caption, forms[1].fields[kGlobalNcRule - 1].caption);
}

}  // namespace
}  // namespace optgrind
