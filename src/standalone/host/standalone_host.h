// The standalone host: a small drawing engine with a command line, behind
// the same Host interface as the original CAD host.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/host.h"
#include "standalone/commands/cmd_session.h"
#include "standalone/console/console.h"
#include "standalone/host/host_platform.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

struct CompiledFilter;

struct StandaloneOptions {
  std::string installRoot;  // answers the registry's install-root value
};

class StandaloneHost : public Host {
 public:
  StandaloneHost(Console& console, StandaloneOptions options);

  // ---- The standalone side (not part of Host) ----
  // The keyword prompt: one of the keywords given to acedInitGet (RTNORM,
  // the keyword as typed in out), Enter (RTNONE) or a cancel (RTCAN). Any
  // other answer is refused with a message and asked again.
  int acedGetKword(const std::string& prompt, std::string& out);
  Drawing& drawing() { return session_.drawing; }
  const Drawing& drawing() const { return session_.drawing; }
  // What the host's own commands share with this implementation.
  Session& session() { return session_; }
  // Replaces the drawing (after a DXF load); selection sets are dropped.
  void setDrawing(Drawing drawing);
  Console& console() { return console_; }
  const std::vector<RegisteredCommand>& commands() const { return session_.registeredCommands; }
  // The registered command of that name (compared without case), or null.
  const RegisteredCommand* findCommand(const std::string& name) const;
  // Runs the "Command:" prompt until QUIT or until the answers run out.
  void runCommandLoop();
  // Runs one command typed at "Command:"; false when it is unknown.
  bool runCommand(const std::string& name);
  // Runs one of the host's own commands (LINE, PEDIT, SAVE ...) typed at
  // "Command:"; false when name is not one of them.
  bool runHostCommand(const std::string& name);

  // ---- Host ----
  void unlockApplication(void* appId) override;
  void registerAppMDIAware(void* appId) override;
  bool addCommand(const std::string& group, const std::string& globalName, const std::string& localName,
                  int flags, CommandHandler handler) override;
  bool removeGroup(const std::string& group) override;

  void acutPrintf(const std::string& text) override;
  int acedInitGet(int flags, const std::string& keywords) override;
  int acedGetPoint(const Point3* base, const std::string& prompt, Point3& out) override;
  int acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) override;
  int acedGetReal(const std::string& prompt, double& out) override;
  int acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) override;
  int acedGetInput(std::string& out) override;
  int acedDragGen(const SelectionSet& ss, const std::string& prompt, bool pickCursor, Point3& out) override;
  int acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) override;
  bool acedUsrBrk() override;

  int acedSSGet(const std::string& mode, const Point3* p1, const Point3* p2, const ResBufList* filter,
                SelectionSet& out) override;
  int acedSSLength(const SelectionSet& ss, long& length) override;
  int acedSSName(const SelectionSet& ss, long i, EntityName& out) override;
  int acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) override;
  int acedSSMemb(const EntityName& name, const SelectionSet& ss) override;
  int acedSSFree(const SelectionSet& ss) override;

  int acedCommand(const ResBufList& args) override;
  int acedGetVar(const std::string& name, ResBuf& out) override;
  int acedSetVar(const std::string& name, const ResBuf& value) override;
  int acedRedraw(const EntityName* name, int mode) override;
  int acedGrDraw(const Point3& from, const Point3& to, int color, bool highlight) override;

  int acdbEntMake(const EntityRecord& entity, EntityName& out) override;
  int acdbEntGet(const EntityName& name, EntityRecord& out) override;
  int acdbEntMod(const EntityName& name, const EntityRecord& entity) override;
  int acdbEntDel(const EntityName& name) override;
  int acdbEntLast(EntityName& out) override;
  int acdbEntNext(const EntityName* after, EntityName& out) override;
  int acdbEntUpd(const EntityName& name) override;
  int acdbRegApp(const std::string& appName) override;

  std::vector<LayerRecord> layers() override;
  int addLayer(const LayerRecord& layer, int& id) override;
  int setLayer(const LayerRecord& layer) override;
  std::vector<LinetypeRecord> linetypes() override;
  int getTextStyle(const std::string& name, TextStyleRecord& out) override;
  int setTextStyle(const TextStyleRecord& style) override;

  int dictExists(const std::string& dict) override;
  int dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) override;
  int dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) override;
  int dictRemove(const std::string& dict, const std::string& key) override;

  int getClosestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) override;
  int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend,
                    std::vector<Point3>& out) override;
  int getGeomExtents(const EntityRecord& entity, Point3& min, Point3& max) override;

  int messageBox(const std::string& title, const std::string& text, const std::vector<std::string>& buttons,
                 BoxIcon icon) override;
  int formWait(const FormSpec& form) override;
  int formEdit(const FormSpec& form, int field, FormEditor editor, const std::vector<std::string>& choices,
               std::string& text, int& index) override;
  void formClose(const FormSpec& form) override;
  Platform& platform() override { return platform_; }

 private:
  // Reads answers until one fits the prompt; see host_interactive.cpp.
  int promptAnswer(const std::string& prompt, bool acceptPoint, bool acceptNumber, const char* retryMessage,
                   Point3& point, double& number);
  EntityName nameOf(long long id) const { return EntityName{id, session_.drawing.serial}; }
  // The live entity that name names, or null; the writable form is for
  // changing it (the running command keeps it as it was, for UNDO).
  const DrawingEntity* entityOf(const EntityName& name) const;
  DrawingEntity* entityToChange(const EntityName& name);

  // The user's own selection with the host's prompts, narrowed by filter
  // (null = none): RTNORM with a new non-empty set in out, RTCAN when the
  // user cancelled, RTERROR when nothing was selected.
  int selectInteractively(const ResBufList* filter, SelectionSet& out);
  // The entity under the pick box at a point (the nearest; 0 when none),
  // among those the filter accepts when one is given.
  long long pickEntityAt(const Point3& at, const CompiledFilter* filter);
  // A new selection set holding ids in order: RTNORM, or RTERROR (and no
  // set) when ids is empty.
  int makeSelectionSet(std::vector<long long> ids, SelectionSet& out);
  // The entity ids of a set, or null when there is no such set.
  const std::vector<long long>* selectionIds(const SelectionSet& ss) const;

  Console& console_;
  StandaloneOptions options_;
  StandalonePlatform platform_;
  Session session_;

  // The members of the sets that acedSSAdd grew, so that adding to a large
  // set costs no walk of it. Sets only grow by acedSSAdd and their ids are
  // never reused, so an entry whose count matches its set is that set.
  std::unordered_map<long long, std::unordered_set<long long>> setMembers_;

  // System variables that are not kept in the drawing's header.
  std::map<std::string, ResBuf> sysvars_;

  // The state of the prompt in progress.
  int initGetFlags_ = 0;
  std::string initGetKeywords_;
  std::string lastInput_;
  Point3 lastPoint_;
};

}  // namespace optgrind::standalone
