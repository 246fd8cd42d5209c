// What the host's own commands share: the table that names them, the new
// entity's properties and selections of entities.
#pragma once

#include <string>
#include <vector>
#include "host/utf8.h"

#include "host/host_types.h"
#include "standalone/commands/cmd_answers.h"
#include "standalone/commands/cmd_session.h"

namespace optgrind::standalone {

// A host command: RTNORM when it ran, RTCAN when the user cancelled it,
// RTERROR when an answer given as an argument did not fit.
using HostCommandFn = int (*)(Session& session, Answers& in);

struct HostCommandEntry {
  const char* name;
  const char* alias;  // the short name typed at "Command:", or ""
  HostCommandFn run;
  const char* summary;   // HELP's line
  bool recorded = true;  // what it changes is one step of the undo history
};

// Every host command, by the name it is run with.
const std::vector<HostCommandEntry>& hostCommandTable();
// The command that name runs (without case; a leading "'", "_", "." or "-"
// is the host's transparent, language-neutral or command-line form and is
// ignored), or null.
const HostCommandEntry* findHostCommand(const std::string& name);

// What the host's "P" selection mode selects from now on (an empty
// selection leaves the previous one).
void rememberSelection(Session& session, const std::vector<long long>& ids);

// A record with the drawing's current layer, colour and linetype.
EntityRecord newEntityRecord(Session& session, EntityGeom geom);
// Appends the entity; returns its id.
long long addEntity(Session& session, EntityGeom geom);

// The live entities of a selection set, in the set's order.
std::vector<long long> selectionSetIds(Session& session, const SelectionSet& ss);
// The ids without those on locked layers, which are counted in a message.
std::vector<long long> unlockedIds(Session& session, Answers& in, const std::vector<long long>& ids);

// Numbers as the command line shows them, with four decimals.
std::string formatReal(double value);
std::string formatPoint(const Point3& p);

}  // namespace optgrind::standalone
