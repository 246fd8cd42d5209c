// The five tool rows of the machine data dialog: nine cells a row, made
// after the dialog's "QUIT" button, each edited in its own way.
#pragma once

#include "host/host.h"

namespace optgrind {

// editToolRowCell's answers.
constexpr int kToolCellEdited = 0;
constexpr int kToolCellEndsDialog = 1;  // the row's own "CreateNC": Sel_row names the row

// The column headings and the 45 cells, filled from the settings for the
// rows in use; the cells of other rows stay blank.
void addToolRowCells(Host& host, FormSpec& form, int language);
// Handles a click on a cell (a field number after "QUIT").
int editToolRowCell(Host& host, FormSpec& form, int field);

// A typed speed: truncated toward zero, within the int range.
int speedFromEntry(double value);

}  // namespace optgrind
