// What the host's own commands share: the table that names them, the new
// entity's properties, selections of entities and the host state that only
// commands change (the view history, the previous selection).
#pragma once

#include <string>
#include <vector>
#include "host/utf8.h"

#include "host/host_types.h"
#include "standalone/commands/cmd_answers.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

// A host command: RTNORM when it ran, RTCAN when the user cancelled it,
// RTERROR when an answer given as an argument did not fit.
using HostCommandFn = int (*)(StandaloneHost& host, Answers& in);

struct HostCommandEntry {
  const char* name;
  const char* alias;  // the short name typed at "Command:", or ""
  HostCommandFn run;
};

// Every host command, by the name it is run with.
const std::vector<HostCommandEntry>& hostCommandTable();
// The command that name runs (without case; a leading "'", "_", "." or "-"
// is the host's transparent, language-neutral or command-line form and is
// ignored), or null.
const HostCommandEntry* findHostCommand(const std::string& name);

// The host state that only the host's commands change.
struct CommandAccess {
  static void setView(StandaloneHost& host, const Point3& center, double height);
  // The view as it is now (VIEWCTR, VIEWSIZE).
  static void currentView(StandaloneHost& host, Point3& center, double& height);
  static void rememberView(StandaloneHost& host);
  // Takes the newest remembered view; false when there is none.
  static bool takePreviousView(StandaloneHost& host, Point3& center, double& height);
  // A drawing opened in place of another has no previous views.
  static void forgetViews(StandaloneHost& host);
  // What the host's "P" selection mode selects from now on.
  static void setPreviousSelection(StandaloneHost& host, const std::vector<long long>& ids);
};

// A record with the drawing's current layer, colour and linetype.
EntityRecord newEntityRecord(StandaloneHost& host, EntityGeom geom);
// Appends the entity; returns its id.
long long addEntity(StandaloneHost& host, EntityGeom geom);

// The live entities of a selection set, in the set's order.
std::vector<long long> selectionSetIds(StandaloneHost& host, const SelectionSet& ss);
// The ids without those on locked layers, which are counted in a message.
std::vector<long long> unlockedIds(StandaloneHost& host, Answers& in, const std::vector<long long>& ids);

// Numbers as the command line shows them, with four decimals.
std::string formatReal(double value);
std::string formatPoint(const Point3& p);

}  // namespace optgrind::standalone
