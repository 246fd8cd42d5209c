// The global setting dialog: the post configure file, the NC output path
// and rule, the return to the start point, the coordinate system, the
// small-geometry thresholds and the NC editor. It edits the settings in
// place; " OK " saves "opt.set", "Quit" does not.
#pragma once

#include "host/host.h"

namespace optgrind {

// Field numbers of the form, in the order the fields are made.
enum GlobalSettingField {
  kGlobalPcfName = 1,
  kGlobalPcfBrowse,
  kGlobalNcPath,
  kGlobalNcPathBrowse,
  kGlobalNcRule,
  kGlobalReturnStart,
  kGlobalCoordSystem,
  kGlobalSmallSeg,
  kGlobalSmallRadius,
  kGlobalNcEditor,
  kGlobalOk,
  kGlobalQuit,
};

// The form with every field filled from the settings, in the language of
// "mis_set.set".
FormSpec buildGlobalSettingForm(Host& host);
// Shows the dialog until " OK ", "Quit", Escape or closing. Returns 1 when
// it ended with " OK " (and "opt.set" was saved), else 0.
int runGlobalSettingDialog(Host& host);

}  // namespace optgrind
