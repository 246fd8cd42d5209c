// The machine data dialog: the job's main form. It edits the machine data
// and the five tool rows in place, opens the global setting dialog, and its
// buttons say what the `opt` command does next.
#pragma once

#include "host/host.h"

namespace optgrind {

// The results of the dialog.
constexpr int kMachineDataQuit = 0;       // "QUIT", Escape or closing: end without saving
constexpr int kMachineDataSelEnt = 1;     // path definition
constexpr int kMachineDataCreateNc = 2;   // NC output (Sel_row names the tool row, or 0)
constexpr int kMachineDataToolTable = 8;  // draw the tool table
constexpr int kMachineDataShowAgain = 9;  // the global settings were edited

// Field numbers of the form, in the order the fields are made.
constexpr int kFieldLeaderLen = 1;
constexpr int kFieldToolRadius = 7;
constexpr int kFieldSelEnt = 8;
constexpr int kFieldCreateNc = 9;
constexpr int kFieldGlobalSetting = 10;
constexpr int kFieldChoiceFile = 11;
constexpr int kFieldToolTable = 12;
constexpr int kFieldQuit = 13;
// The nine cells of each tool row follow "QUIT".
constexpr int kToolRowCells = 9;
constexpr int kToolCellRowCreateNc = 7;

// The command line of the choice-list editor must fit this many bytes.
constexpr size_t kProgramLineBytes = 128;

struct MachineDataForm {
  int valid = 0;
  FormSpec layout;
  int language = 0;  // of the texts, chosen when the form was built
};

// Creates the form and fills every field from the settings.
MachineDataForm buildMachineDataForm(Host& host);
// Waits for clicks until a button ends the dialog; answers its result.
int runMachineDataForm(Host& host, MachineDataForm& form);

}  // namespace optgrind
