// The machine data dialog on the standalone host's forms: its grid in every
// language, the editors of the machine data and of the tool-row cells, the
// offset check, the choice-list button and the results.
#include "commands/machine_data_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "post/post_state.h"
#include "settings/opt_sel.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::SettingsSession;

// The field of a tool-row cell (row and column from 0).
int cellField(int row, int column) { return kFieldQuit + 1 + row * kToolRowCells + column; }

std::string caption(const MachineDataForm& form, int field) {
  return form.layout.fields.at(static_cast<size_t>(field - 1)).caption;
}

// The bundled settings and choice lists, then the form.
MachineDataForm loadedForm(SettingsSession& s) {
  loadOptSet(s.host());
  loadOptSel(s.host());
  return buildMachineDataForm(s.host());
}

TEST(MachineDataForm, TheGridIsTheSameInEveryLanguage) {
  std::vector<MachineDataForm> forms;
  for (int language : {0, 1, 2}) {
    SettingsSession s("", language);
    forms.push_back(loadedForm(s));
    testing::expectSameGrid(forms.back().layout, forms.front().layout);
    EXPECT_EQ(caption(forms.back(), kFieldLeaderLen), "2.00   ");  // "%-7.2f"
  }
  const MachineDataForm& english = forms[2];
  ASSERT_EQ(english.layout.fields.size(), static_cast<size_t>(cellField(4, 8)));
  EXPECT_NE(forms[0].layout.title, forms[1].layout.title);
}

TEST(MachineDataForm, RowsInUseAreFilledAndOthersBlank) {
  SettingsSession s("");
  loadOptSet(s.host());
  optSettings().tools[1].Tool_no = "t9";
  optSettings().tools[2].Tool_no = "1";
  optSettings().tools[2].File_name = "HIDDEN";
  MachineDataForm form = buildMachineDataForm(s.host());
  std::vector<std::string> row0, row2;
  for (int c = 0; c < kToolRowCells; ++c) {
    row0.push_back(caption(form, cellField(0, c)));
    row2.push_back(caption(form, cellField(2, c)));
  }
  EXPECT_EQ(row0, (std::vector<std::string>{"T1", "PART1", "0.5", "240", "0.020  ", "3000", "120.000",
                                            "CreateNC", ""}));
  EXPECT_EQ(row2, std::vector<std::string>(kToolRowCells));
  EXPECT_EQ(caption(form, cellField(1, 0)), "t9");
  EXPECT_TRUE(s.has("\n wnd_ftext  Feed[i]=120.000 \n"));
}

TEST(MachineDataForm, ToolCellsTakeTextsPicksAndNumbers) {
  SettingsSession s(
      "#14\n\n#24\nNEWNAME\n"                // Tool_no: Enter keeps T1; File_name of row 1
      "#16\n2\n1.0\n#17\n400\n#18\n0.1\n"    // Thick ("2" is no entry) and Grit; Allowance
      "#25\n#9\n#26\n\n"                     // row 1: the ninth thickness; Enter keeps the grit
      "#19\n1500.9\n#28\n-3.7\n#20\n99.5\n"  // Speeds truncate; Feed
      "#34\n^C\n#33\nnotch\n"                // Escape keeps the current (empty) entry
      "#39\n");                              // row 2's own CreateNC
  MachineDataForm form = loadedForm(s);
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataCreateNc);
  const OptSettings& o = optSettings();
  EXPECT_EQ(o.Sel_row, 3);
  EXPECT_EQ(std::make_tuple(o.tools[0].Tool_no, o.tools[0].Thick, o.tools[0].Grit, o.tools[0].Allowance),
            std::make_tuple("T1", "1.0", 400, 0.1));
  EXPECT_EQ(std::make_pair(o.tools[1].Thick, o.tools[1].Grit), std::make_pair(std::string("3.0"), 400));
  EXPECT_TRUE(s.has(" [#1 0.3 / #2 0.5 / #3 0.8")) << s.output();
  EXPECT_TRUE(s.has("<0.5>: 2\n")) << s.output();  // the current thickness is the default
  EXPECT_EQ(std::make_tuple(o.tools[0].Speed, o.tools[1].Speed, o.tools[0].Feed),
            std::make_tuple(1500, -3, 99.5));
  EXPECT_EQ(std::make_tuple(o.tools[1].File_name, o.tools[2].File_name, o.tools[2].Thick),
            std::make_tuple("NEWNAME", "notch", ""));
  EXPECT_EQ(caption(form, 18) + "|" + caption(form, 19) + "|" + caption(form, 20), "0.100|1500|99.50");
  EXPECT_TRUE(s.has("\n i=33 rquit=13 group_no=2 col_no=1 \n"));
}

TEST(MachineDataForm, PicksWithoutChoiceListsChangeNothing) {
  SettingsSession s("#16\n#17\nQUIT\n");
  loadOptSet(s.host());
  MachineDataForm form = buildMachineDataForm(s.host());
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataQuit);
  EXPECT_EQ(std::make_tuple(optSettings().tools[0].Thick, optSettings().tools[0].Grit),
            std::make_tuple("0.5", 240));
}

TEST(MachineDataForm, ApproachAndOverCutMustClearTwiceTheOffset) {
  SettingsSession s("#3\n0.5\nOK\n#3\n0.501\n#3\n0\n#4\n0.3\nOK\n#4\n-0.2\n#1\n0.1\nQUIT\n");
  postVariable(81).current = -0.25;  // the sign of the offset does not matter
  MachineDataForm form = buildMachineDataForm(s.host());
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataQuit);
  std::string out = s.output();
  EXPECT_NE(out.find("The Approach_X Value<0.500> is too small !!　"), std::string::npos);
  EXPECT_NE(out.find("The Over_len Value<0.300> is too small !!　"), std::string::npos);
  EXPECT_EQ(testing::countOf(out, "is too small"), 2u);
  EXPECT_EQ(std::make_tuple(optSettings().Approach_X, optSettings().Over_len), std::make_tuple(0.0, -0.2));
  EXPECT_EQ(caption(form, 3) + "|" + caption(form, kFieldLeaderLen), "0.000  |0.10   ");
}

TEST(MachineDataForm, ButtonsEndTheDialogWithTheirResults) {
  std::pair<const char*, int> cases[] = {{"SelEnt\n", kMachineDataSelEnt},
                                         {"CreateNC\n", kMachineDataCreateNc},  // the lower one: Sel_row 0
                                         {"ToolTable\n", kMachineDataToolTable},
                                         {"quit\n", kMachineDataQuit},
                                         {"^C\n", kMachineDataQuit},
                                         {"Global Setting\nQuit\n", kMachineDataShowAgain}};
  for (const auto& [answers, result] : cases) {
    SettingsSession s(answers);
    MachineDataForm form = loadedForm(s);
    optSettings().Leader_len = 4.5;
    EXPECT_EQ(runMachineDataForm(s.host(), form), result) << answers;
    EXPECT_EQ(optSettings().Sel_row, 0);
    // Only the global setting dialog saves on its way.
    bool saved = testing::settingsLines(testing::readFile(s.dataFile("opt.set")))[11] == "4.500000";
    EXPECT_EQ(saved, result == kMachineDataShowAgain) << answers;
  }
}

// Records the programs started instead of starting them.
struct ProgramRecorder : HostWrapper, PlatformWrapper {
  explicit ProgramRecorder(Host* target) : HostWrapper(target), PlatformWrapper(&target->platform()) {}
  Platform& platform() override { return *this; }
  int startProgram(const std::vector<std::string>& argv) override {
    started.push_back(argv);
    return RTNORM;
  }
  std::vector<std::vector<std::string>> started;
};

void makeProgram(const std::string& path) {
  testing::writeFile(path, "#!/bin/sh\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST(MachineDataForm, TheChoiceListButtonOpensTheFileInTheEditorAsOneArgument) {
  // A root whose name a shell would split and expand stays one argument.
  for (std::string rootName : {"plain", "a b", "a$(touch PWNED)b"}) {
    SettingsSession s("Choice Lists\nQUIT\n");
    std::string root = s.env.root.path() + "/" + rootName;
    std::filesystem::create_directories(root + "/DAT");
    testing::writeFile(root + "/DAT/OPT_SEL.DAT", "***Tool_Thick*\n");
    testing::writeFile(root + "/DAT/mis_set.set", testing::misSetWithLanguage(2));
    makeProgram(root + "/program/notepad.exe");
    standalone::StandaloneHost host(s.env.console, {root});
    ProgramRecorder recorder(&host);
    MachineDataForm form = buildMachineDataForm(recorder);
    EXPECT_EQ(runMachineDataForm(recorder, form), kMachineDataQuit);
    std::vector<std::vector<std::string>> expected = {
        {root + "/program/notepad.exe", root + "/DAT/OPT_SEL.DAT"}};
    EXPECT_EQ(recorder.started, expected) << rootName;
  }
}

TEST(MachineDataForm, TheChoiceListButtonStartsNothingWhenTheProgramLineIsTooLong) {
  SettingsSession s("Choice Lists\nQUIT\n");
  std::string root = s.env.root.path() + std::string(120, 'r');
  std::filesystem::create_directories(root + "/DAT");
  makeProgram(root + "/program/notepad");
  standalone::StandaloneHost host(s.env.console, {root});
  ProgramRecorder recorder(&host);
  MachineDataForm form = buildMachineDataForm(recorder);
  EXPECT_EQ(runMachineDataForm(recorder, form), kMachineDataQuit);
  EXPECT_TRUE(recorder.started.empty());
}

}  // namespace
}  // namespace optgrind
