// The machine data dialog on the standalone host's forms: its grid in every
// language, the editors of the machine data and of the tool-row cells, the
// offset check, the choice-list button and the results.
#include "settings/machine_data_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "post/post_state.h"
#include "settings/opt_sel.h"
#include "settings/tool_row_cells.h"
#include "settings_session.h"

namespace optgrind {
namespace {

using testing::SettingsSession;

constexpr int kFieldCount = kFieldQuit + kToolRowCount * kToolRowCells;

// The field of a tool-row cell (row and column from 0).
int cellField(int row, int column) { return kFieldQuit + 1 + row * kToolRowCells + column; }

std::string caption(const MachineDataForm& form, int field) {
  return form.spec.fields[static_cast<size_t>(field - 1)].caption;
}

// Loads the bundled settings and choice lists, then builds the form.
MachineDataForm loadedForm(SettingsSession& s) {
  loadOptSet(s.host());
  loadOptSel(s.host());
  return buildMachineDataForm(s.host());
}

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(MachineDataForm, TheGridIsTheSameInEveryLanguage) {
  std::vector<MachineDataForm> forms;
  for (int language : {0, 1, 2}) {
    SettingsSession s("", language);
    forms.push_back(loadedForm(s));
  }
  const FormSpec& english = forms[2].spec;
  ASSERT_EQ(english.fields.size(), static_cast<size_t>(kFieldCount));
  EXPECT_EQ(english.title, "Kestro/Nuvex Optical Machine Data Setting");
  EXPECT_NE(forms[0].spec.title.find("光學"), std::string::npos);
  EXPECT_NE(forms[1].spec.title.find("光学"), std::string::npos);
  for (const MachineDataForm& form : forms) {
    ASSERT_EQ(form.spec.fields.size(), english.fields.size());
    ASSERT_EQ(form.spec.labels.size(), english.labels.size());
    for (size_t i = 0; i < english.fields.size(); ++i) {
      const FormField& a = form.spec.fields[i];
      const FormField& b = english.fields[i];
      EXPECT_EQ(std::make_tuple(a.row, a.col, a.width, a.height), std::make_tuple(b.row, b.col, b.width, b.height))
          << "field " << i + 1;
    }
    for (size_t i = 0; i < english.labels.size(); ++i) {
      EXPECT_EQ(form.spec.labels[i].row, english.labels[i].row);
      EXPECT_EQ(form.spec.labels[i].col, english.labels[i].col);
    }
    // Numbers read the same in every language.
    EXPECT_EQ(caption(form, kFieldLeaderLen), "2.00   ");
  }
  EXPECT_EQ(english.labels[0].text, "1.Leader Length:");
  EXPECT_EQ(caption(forms[2], kFieldSelEnt), "SelEnt");
  EXPECT_EQ(caption(forms[2], kFieldQuit), "QUIT");
  EXPECT_NE(caption(forms[0], kFieldQuit), "QUIT");
  // The layout of the machine data and of the buttons.
  EXPECT_EQ(std::make_tuple(english.fields[2].row, english.fields[2].col, english.fields[2].width),
            std::make_tuple(5, 18, 7));
  EXPECT_EQ(std::make_tuple(english.fields[kFieldGlobalSetting - 1].row, english.fields[kFieldGlobalSetting - 1].col),
            std::make_tuple(30, 10));
  const FormField& lastCell = english.fields[static_cast<size_t>(cellField(4, 8) - 1)];
  EXPECT_EQ(std::make_tuple(lastCell.row, lastCell.col, lastCell.width), std::make_tuple(28, 74, 9));
}

TEST(MachineDataForm, RowsInUseAreFilledAndOthersBlank) {
  SettingsSession s("");
  loadOptSet(s.host());
  optSettings().tools[1].Tool_no = "t9";  // the letter in any case
  optSettings().tools[2].Tool_no = "1";
  optSettings().tools[2].File_name = "HIDDEN";
  MachineDataForm form = buildMachineDataForm(s.host());
  std::vector<std::string> row0;
  for (int c = 0; c < kToolRowCells; ++c) row0.push_back(caption(form, cellField(0, c)));
  EXPECT_EQ(row0, (std::vector<std::string>{"T1", "PART1", "0.5", "240", "0.020  ", "3000", "120.000", "CreateNC", ""}));
  EXPECT_EQ(caption(form, cellField(1, 0)), "t9");
  for (int c = 0; c < kToolRowCells; ++c) EXPECT_EQ(caption(form, cellField(2, c)), "") << c;
  EXPECT_NE(s.output().find("\n wnd_ftext  Feed[i]=120.000 \n"), std::string::npos);
}

TEST(MachineDataForm, ToolCellsTakeTextsPicksAndNumbers) {
  SettingsSession s(
      "#14\n\n"          // Tool_no: Enter keeps T1
      "#24\nNEWNAME\n"   // File_name of row 1
      "#16\n0.8\n"       // Thick from the list
      "#17\n400\n"       // Grit from the list
      "#18\n0.1\n"       // Allowance
      "#19\n1500.9\n"    // Speed, truncated
      "#28\n-3.7\n"      // Speed of row 1
      "#20\n99.5\n"      // Feed
      "#34\n^C\n"        // Thick of row 2: Escape takes the highlighted first entry
      "#33\nnotch\n"     // the second cell of row 2
      "#39\n");          // row 2's own CreateNC
  MachineDataForm form = loadedForm(s);
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataCreateNc);
  const OptSettings& o = optSettings();
  EXPECT_EQ(o.Sel_row, 3);
  EXPECT_EQ(o.tools[0].Tool_no, "T1");
  EXPECT_EQ(o.tools[1].File_name, "NEWNAME");
  EXPECT_EQ(o.tools[0].Thick, "0.8");
  EXPECT_EQ(o.tools[0].Grit, 400);
  EXPECT_EQ(o.tools[0].Allowance, 0.1);
  EXPECT_EQ(o.tools[0].Speed, 1500);
  EXPECT_EQ(o.tools[1].Speed, -3);
  EXPECT_EQ(o.tools[0].Feed, 99.5);
  EXPECT_EQ(o.tools[2].Thick, choiceLists().thick.front());
  EXPECT_EQ(o.tools[2].File_name, "notch");
  EXPECT_EQ(caption(form, cellField(0, 4)), "0.100");
  EXPECT_EQ(caption(form, cellField(0, 5)), "1500");
  EXPECT_EQ(caption(form, cellField(0, 6)), "99.50");
  EXPECT_EQ(caption(form, cellField(1, 1)), "NEWNAME");
  EXPECT_TRUE(s.has("\n i=33 rquit=13 group_no=2 col_no=1 \n"));
  EXPECT_TRUE(s.has("\n i=39 rquit=13 group_no=2 col_no=7 \n"));
}

TEST(MachineDataForm, PicksWithoutChoiceListsChangeNothing) {
  SettingsSession s("#16\n#17\nQUIT\n");
  loadOptSet(s.host());
  MachineDataForm form = buildMachineDataForm(s.host());
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataQuit);
  EXPECT_EQ(optSettings().tools[0].Thick, "0.5");
  EXPECT_EQ(optSettings().tools[0].Grit, 240);
}

TEST(MachineDataForm, ApproachAndOverCutMustClearTwiceTheOffset) {
  SettingsSession s(
      "#3\n0.5\nOK\n"  // 2 x |V[81]|: warned, kept
      "#3\n0.501\n"    // above: no warning
      "#3\n0\n"        // zero never warns
      "#4\n0.3\nOK\n"  // over-cut below the limit
      "#4\n-0.2\n"     // negative never warns
      "#1\n0.1\n"      // other fields are not checked
      "QUIT\n");
  postVariable(81).current = -0.25;  // the sign of the offset does not matter
  loadOptSet(s.host());
  MachineDataForm form = buildMachineDataForm(s.host());
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataQuit);
  EXPECT_EQ(count(s.output(), "The Approach_X Value<0.500> is too small !!　"), 1u);
  EXPECT_EQ(count(s.output(), "The Over_len Value<0.300> is too small !!　"), 1u);
  EXPECT_EQ(count(s.output(), "is too small"), 2u);
  EXPECT_EQ(optSettings().Approach_X, 0.0);
  EXPECT_EQ(optSettings().Over_len, -0.2);
  EXPECT_EQ(caption(form, 3), "0.000  ");
  EXPECT_EQ(caption(form, kFieldLeaderLen), "0.10   ");
}

TEST(MachineDataForm, ChineseWarningsAlsoShowTheOffset) {
  SettingsSession s("#3\n0.4\n\n#13\n", 0);
  postVariable(81).current = 0.25;
  MachineDataForm form = buildMachineDataForm(s.host());
  runMachineDataForm(s.host(), form);
  EXPECT_TRUE(s.has("<0.400>"));
  EXPECT_TRUE(s.has("V[81]<0.250>"));
}

TEST(MachineDataForm, ButtonsEndTheDialogWithTheirResults) {
  struct Case {
    const char* answers;
    int result;
  } cases[] = {
      {"SelEnt\n", kMachineDataSelEnt}, {"CreateNC\n", kMachineDataCreateNc},  // the lower one: Sel_row 0
      {"ToolTable\n", kMachineDataToolTable}, {"quit\n", kMachineDataQuit},   {"^C\n", kMachineDataQuit},
      {"", kMachineDataQuit},  // the answers ran out: the box is closed
  };
  for (const Case& c : cases) {
    SettingsSession s(c.answers);
    MachineDataForm form = loadedForm(s);
    EXPECT_EQ(runMachineDataForm(s.host(), form), c.result) << c.answers;
    EXPECT_EQ(optSettings().Sel_row, 0);
  }
}

TEST(MachineDataForm, GlobalSettingSavesFirstAndAsksToBeShownAgain) {
  SettingsSession s("#1\n4.5\nGlobal Setting\nQuit\n");
  MachineDataForm form = loadedForm(s);
  EXPECT_EQ(runMachineDataForm(s.host(), form), kMachineDataShowAgain);
  EXPECT_EQ(testing::settingsLines(testing::readFile(s.dataFile("opt.set")))[11], "4.500000");
  EXPECT_TRUE(s.has(" Kestro Optical Grinding Machine Data Setting"));
}

// Records the programs started instead of starting them.
struct ProgramRecorder : HostWrapper {
  using HostWrapper::HostWrapper;
  int startProgram(const std::string& commandLine) override {
    started.push_back(commandLine);
    return RTNORM;
  }
  std::vector<std::string> started;
};

TEST(MachineDataForm, TheChoiceListButtonOpensTheFileInNotepad) {
  SettingsSession s("Choice Lists\nQUIT\n");
  ProgramRecorder recorder(&s.host());
  MachineDataForm form = buildMachineDataForm(recorder);
  EXPECT_EQ(runMachineDataForm(recorder, form), kMachineDataQuit);
  ASSERT_EQ(recorder.started.size(), 1u);
  EXPECT_EQ(recorder.started[0], "notepad.exe  " + s.env.dataDir() + "/opt_sel.dat");
}

TEST(MachineDataForm, ACommandLineBeyondItsBufferStartsNothing) {
  testing::TempDir longRoot;
  std::string root = longRoot.path() + "/" + std::string(120, 'r');
  std::filesystem::create_directories(root + "/DAT");
  std::istringstream in("#11\nQUIT\n");
  std::ostringstream out;
  standalone::Console console(in, out, true);
  standalone::StandaloneHost host(console, {root});
  ProgramRecorder recorder(&host);
  MachineDataForm form = buildMachineDataForm(recorder);
  EXPECT_EQ(runMachineDataForm(recorder, form), kMachineDataQuit);
  EXPECT_TRUE(recorder.started.empty());
}

TEST(MachineDataForm, SpeedEntriesTruncateTowardZeroWithinTheIntRange) {
  EXPECT_EQ(speedFromEntry(1500.9), 1500);
  EXPECT_EQ(speedFromEntry(-3.7), -3);
  EXPECT_EQ(speedFromEntry(1e12), INT_MAX);
  EXPECT_EQ(speedFromEntry(-1e12), INT_MIN);
}

}  // namespace
}  // namespace optgrind
