// Host: every operation the system needs of the CAD host.
//
// The system reaches its host only through this interface. Methods carry the
// names of the host calls they stand for. An int result is a host result
// code: RTNORM on success, RTERROR when the operation failed, RTCAN when the
// user cancelled, RTNONE when the user answered with Enter. Each comment says
// which of them a method gives and when; on any result but RTNORM (and the
// RTKWORD/RTSTR answers of prompts) out-parameters are left unchanged. The
// operating system's services are a separate interface, Platform.
//
// A Host is not copyable. HostWrapper forwards every call to another Host, so
// a test can wrap the standalone host and change one operation (a failed
// save, a cancelled prompt) without a mock.
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"
#include "host/platform.h"

namespace optgrind {

using CommandHandler = void (*)();

class Host {
 public:
  Host() = default;
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  virtual ~Host() = default;

  // ---- Module and commands ----------------------------------------------

  // acrxDynamicLinker->unlockApplication: the module may be unloaded. Never
  // fails.
  virtual void unlockApplication(void* appId) = 0;
  // acrxDynamicLinker->registerAppMDIAware: the module works in every
  // drawing. Never fails.
  virtual void registerAppMDIAware(void* appId) = 0;
  // acedRegCmds->addCommand: registers a command in a group; true when it
  // was added. False when the global name (compared without case) is taken
  // already, in any group; nothing is added then.
  virtual bool addCommand(const std::string& group, const std::string& globalName,
                          const std::string& localName, int flags, CommandHandler handler) = 0;
  // acedRegCmds->removeGroup: removes every command of the group; true when
  // there was one. False when no command of that group is registered.
  virtual bool removeGroup(const std::string& group) = 0;

  // ---- Output and prompts -----------------------------------------------
  //
  // Every prompt answers RTCAN when the user cancels (Escape) or no answer
  // can come any more, and RTNONE for an empty answer (Enter) unless the
  // acedInitGet flags forbid one, in which case the prompt asks again.

  // acutPrintf: prints text on the command line as given (no line break
  // added). Never fails.
  virtual void acutPrintf(const std::string& text) = 0;
  // acedInitGet: flags (RSG_*) and keywords (blank separated) for the next
  // prompt only; the prompt after it has none. Always RTNORM.
  virtual int acedInitGet(int flags, const std::string& keywords) = 0;
  // acedGetPoint: a point, optionally rubber-banded from base. RTNORM with
  // the point; RTKWORD when the answer is a keyword of acedInitGet; RTSTR
  // for other text when acedInitGet allowed it (RSG_OTHER), the text then
  // fetched by acedGetInput; RTNONE; RTCAN. Any other answer is refused with
  // a message and asked again.
  virtual int acedGetPoint(const Point3* base, const std::string& prompt, Point3& out) = 0;
  // acedGetCorner: the opposite corner of a window from base; answers as
  // acedGetPoint.
  virtual int acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) = 0;
  // acedGetReal: a real number. RTNORM with the number, RTKWORD, RTSTR,
  // RTNONE or RTCAN as for acedGetPoint. A number that the acedInitGet flags
  // refuse (negative, zero) is refused with a message and asked again.
  virtual int acedGetReal(const std::string& prompt, double& out) = 0;
  // acedGetString: a text; RTNORM with it, empty for Enter (never RTNONE).
  // With allowSpaces only Enter ends the answer, else a blank does too.
  // RTCAN when cancelled.
  virtual int acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) = 0;
  // acedGetInput: the keyword (as spelled in the acedInitGet list) or the
  // free text of the last prompt that answered RTKWORD or RTSTR. Always
  // RTNORM; empty before any such answer.
  virtual int acedGetInput(std::string& out) = 0;
  // acedDragGen: drags the set with the cursor until the user answers;
  // RTNORM with a point, RTKWORD, RTSTR, RTNONE or RTCAN as for
  // acedGetPoint. pickCursor selects the pick-box cursor.
  virtual int acedDragGen(const SelectionSet& ss, const std::string& prompt, bool pickCursor,
                          Point3& out) = 0;
  // acedEntSel: the user picks one entity. RTNORM with its name and the
  // picked point; RTERROR when nothing lies under the pick box or the user
  // answered Enter; RTCAN when cancelled. An answer that is not a point is
  // refused with a message and asked again.
  virtual int acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) = 0;
  // acedUsrBrk: true once for each break the user asked for (the next poll
  // is false again). Never fails.
  virtual bool acedUsrBrk() = 0;

  // ---- Selection sets ---------------------------------------------------
  //
  // A selection set lives until acedSSFree or until the drawing is replaced.
  // Entity names are of the current drawing; a name of another drawing, or
  // of an erased entity, counts as unknown.

  // acedSSGet: mode "X" (every live entity of the drawing), "C" or "W"
  // (crossing or inside the window between p1 and p2, in the XY plane,
  // entities on layers that are off or frozen left out), "P" (the previous
  // set's entities that are still live), "" (the user selects). A leading
  // "_" is ignored; filter (may be null) narrows each mode. RTNORM with a
  // new non-empty set in out, which also becomes the previous set. RTERROR
  // when nothing was selected, the mode is unknown, "C" or "W" lack a
  // corner, or the filter is malformed; RTCAN when the user cancelled.
  virtual int acedSSGet(const std::string& mode, const Point3* p1, const Point3* p2, const ResBufList* filter,
                        SelectionSet& out) = 0;
  // acedSSLength: the number of entities in the set. RTERROR for an unknown
  // set.
  virtual int acedSSLength(const SelectionSet& ss, long& length) = 0;
  // acedSSName: the entity at index i (from 0). RTERROR for an unknown set,
  // an index out of range or an entity erased since.
  virtual int acedSSName(const SelectionSet& ss, long i, EntityName& out) = 0;
  // acedSSAdd: a new set holding name when ss is empty (id 0) or name is
  // null (then the new set is empty); else adds name to ss (once) and out
  // is ss. RTERROR for an unknown name or an unknown non-empty ss.
  virtual int acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) = 0;
  // acedSSMemb: RTNORM when name is in the set; RTERROR when it is not, or
  // the set or the name is unknown.
  virtual int acedSSMemb(const EntityName& name, const SelectionSet& ss) = 0;
  // acedSSFree: gives the set back. RTERROR for an unknown (or freed) set.
  virtual int acedSSFree(const SelectionSet& ss) = 0;

  // ---- Host commands and variables --------------------------------------

  // acedCommand: runs a host command. args: the command name, then its
  // answers (strings, points, reals, entity names, selection sets); a string
  // PAUSE takes that answer from the user, and answers that run out count as
  // Enter. The command is echoed unless CMDECHO is 0. RTNORM when it ran;
  // RTERROR when args is empty, the name is not a string or not a host
  // command, or an answer does not fit its prompt; RTCAN when the user
  // cancelled a paused answer.
  virtual int acedCommand(const ResBufList& args) = 0;
  // acedGetVar: a system variable's value (RTSHORT, RTREAL, RTSTR,
  // RT3DPOINT). RTERROR for an unknown name (names compare without case).
  virtual int acedGetVar(const std::string& name, ResBuf& out) = 0;
  // acedSetVar: sets a system variable. The value kReadOnlyMarker only reads
  // (RTNORM for a known name). RTERROR for an unknown name, a read-only
  // variable, a value of the wrong type or out of the variable's range; the
  // variable is then unchanged.
  virtual int acedSetVar(const std::string& name, const ResBuf& value) = 0;
  // acedRedraw: redraws one entity (or the view when name is null) in mode.
  // RTNORM; a host without a screen does nothing.
  virtual int acedRedraw(const EntityName* name, int mode) = 0;
  // acedGrDraw: draws a temporary vector in colour; highlight dashes it.
  // RTNORM; a host without a screen does nothing.
  virtual int acedGrDraw(const Point3& from, const Point3& to, int color, bool highlight) = 0;

  // ---- Entities ---------------------------------------------------------

  // acdbEntMake: appends the entity to model space; it becomes the last and
  // its layer is made when absent. RTNORM with its name. RTERROR when the
  // layer name is unusable, the linetype is not in the table, the colour is
  // outside BYBLOCK..BYLAYER, or the extended data does not begin with an
  // application name, names an unregistered application or holds a group
  // code outside 1000..1071; nothing is added then.
  virtual int acdbEntMake(const EntityRecord& entity, EntityName& out) = 0;
  // acdbEntGet: the entity's record. RTERROR for an unknown or erased entity.
  virtual int acdbEntGet(const EntityName& name, EntityRecord& out) = 0;
  // acdbEntMod: replaces the entity's record; it keeps its place and name.
  // RTERROR, the entity unchanged, for an unknown or erased entity, one on a
  // locked layer, or a record acdbEntMake would refuse.
  virtual int acdbEntMod(const EntityName& name, const EntityRecord& entity) = 0;
  // acdbEntDel: erases the entity. RTERROR when it is unknown, erased
  // already or on a locked layer.
  virtual int acdbEntDel(const EntityName& name) = 0;
  // acdbEntLast: the last live entity of the drawing. RTERROR when there is
  // none.
  virtual int acdbEntLast(EntityName& out) = 0;
  // acdbEntNext: the live entity after `after` in drawing order (the first
  // when after is null); after may be erased. RTERROR after the last, and
  // for an unknown name.
  virtual int acdbEntNext(const EntityName* after, EntityName& out) = 0;
  // acdbEntUpd: shows the entity's new state. RTERROR for an unknown or
  // erased entity.
  virtual int acdbEntUpd(const EntityName& name) = 0;
  // acdbRegApp: registers an application name for extended data. RTERROR
  // when the name is registered already (compared without case) or is not a
  // usable table name.
  virtual int acdbRegApp(const std::string& appName) = 0;

  // ---- Tables -----------------------------------------------------------
  //
  // A usable table name has 1 to 255 characters and none of <>/\":;?*|,=`.
  // Names compare without case.

  // AcDbLayerTable iteration: every layer in table order. Never fails.
  virtual std::vector<LayerRecord> layers() = 0;
  // AcDbLayerTable::add: a new layer; RTNORM with its id. RTERROR when the
  // name exists or is unusable, the colour is outside 1..255, the linetype is
  // not in the table or the lineweight is not a standard one.
  virtual int addLayer(const LayerRecord& layer, int& id) = 0;
  // AcDbLayerTableRecord set*: writes the layer with layer.id, name
  // included; a new name goes with the layer to its entities, the block
  // definitions and the current layer. RTERROR, the layer unchanged, when:
  // no layer has that id; a field is refused as by addLayer; another layer
  // has the name; the layer "0" would be renamed; or the current layer would
  // be frozen.
  virtual int setLayer(const LayerRecord& layer) = 0;
  // AcDbLinetypeTable iteration: every linetype in table order. Never fails.
  virtual std::vector<LinetypeRecord> linetypes() = 0;
  // AcDbTextStyleTable::getAt: the style of that name. RTERROR when there is
  // none.
  virtual int getTextStyle(const std::string& name, TextStyleRecord& out) = 0;
  // AcDbTextStyleTableRecord set*: adds or replaces the style of that name
  // (a replaced style keeps its id). RTERROR when the name is unusable, the
  // fixed height is negative or the width factor not positive.
  virtual int setTextStyle(const TextStyleRecord& style) = 0;

  // ---- Named-object dictionary ------------------------------------------

  // AcDbDictionary::getAt on the named-object dictionary: RTNORM when a
  // dictionary of that name exists, else RTERROR.
  virtual int dictExists(const std::string& dict) = 0;
  // The xrecord `key` of dictionary `dict`: its data chain. RTERROR when the
  // dictionary or the key is absent.
  virtual int dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) = 0;
  // Sets the xrecord `key` of dictionary `dict`, making both when absent.
  // RTERROR when dict or key is empty.
  virtual int dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) = 0;
  // Removes the entry `key` of dictionary `dict`. RTERROR when the
  // dictionary or the key is absent.
  virtual int dictRemove(const std::string& dict, const std::string& key) = 0;

  // ---- Geometry ---------------------------------------------------------

  // AcDbCurve::getClosestPointTo in the XY plane, optionally on the curve
  // extended (lines to infinite lines, arcs to circles); a point entity
  // answers its own point. RTERROR for any other entity that is not a curve
  // (a text, a hatch).
  virtual int getClosestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) = 0;
  // AcDbEntity::intersectWith: extend 0 none, 1 this, 2 the other, 3 both.
  // RTNORM with the points (none when they do not meet); RTERROR when
  // either entity is not a curve.
  virtual int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend,
                            std::vector<Point3>& out) = 0;
  // AcDbEntity::getGeomExtents: the box of the entity. RTERROR for an entity
  // without extents (an empty polyline, a block reference to no block).
  virtual int getGeomExtents(const EntityRecord& entity, Point3& min, Point3& max) = 0;

  // ---- Windows and dialogs ----------------------------------------------

  // MessageBox: shows title and text with buttons (captions); the chosen
  // button's number from 1, or 0 when the box was closed (Escape, or no
  // answer can come).
  virtual int messageBox(const std::string& title, const std::string& text,
                         const std::vector<std::string>& buttons, BoxIcon icon) = 0;
  // FormDialog: shows the form (or shows it again with new captions) and
  // waits; the clicked field's number from 1, or -1 on Escape or when no
  // answer can come.
  virtual int formWait(const FormSpec& form) = 0;
  // FormDialog editors: the new value of a clicked field. Number and Text
  // edit `text`; List, Toggle and Check choose `index` among `choices`.
  // RTNORM with the value; RTCAN when the edit was cancelled (the value
  // unchanged); RTERROR when field is not a field of the form.
  virtual int formEdit(const FormSpec& form, int field, FormEditor editor,
                       const std::vector<std::string>& choices, std::string& text, int& index) = 0;
  // FormDialog close: the form is taken off the screen. Never fails.
  virtual void formClose(const FormSpec& form) = 0;

  // ---- The operating system ---------------------------------------------

  // The services of the operating system (platform.h). The reference stays
  // valid while the Host lives.
  virtual Platform& platform() = 0;
};

// Forwards every call to another Host.
class HostWrapper : public Host {
 public:
  explicit HostWrapper(Host* target) : target_(target) {}
  Host* target() const { return target_; }

  void unlockApplication(void* appId) override { target_->unlockApplication(appId); }
  void registerAppMDIAware(void* appId) override { target_->registerAppMDIAware(appId); }
  bool addCommand(const std::string& group, const std::string& globalName, const std::string& localName,
                  int flags, CommandHandler handler) override {
    return target_->addCommand(group, globalName, localName, flags, handler);
  }
  bool removeGroup(const std::string& group) override { return target_->removeGroup(group); }
  void acutPrintf(const std::string& text) override { target_->acutPrintf(text); }
  int acedInitGet(int flags, const std::string& keywords) override {
    return target_->acedInitGet(flags, keywords);
  }
  int acedGetPoint(const Point3* base, const std::string& prompt, Point3& out) override {
    return target_->acedGetPoint(base, prompt, out);
  }
  int acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) override {
    return target_->acedGetCorner(base, prompt, out);
  }
  int acedGetReal(const std::string& prompt, double& out) override {
    return target_->acedGetReal(prompt, out);
  }
  int acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) override {
    return target_->acedGetString(allowSpaces, prompt, out);
  }
  int acedGetInput(std::string& out) override { return target_->acedGetInput(out); }
  int acedDragGen(const SelectionSet& ss, const std::string& prompt, bool pickCursor, Point3& out) override {
    return target_->acedDragGen(ss, prompt, pickCursor, out);
  }
  int acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) override {
    return target_->acedEntSel(prompt, name, picked);
  }
  bool acedUsrBrk() override { return target_->acedUsrBrk(); }
  int acedSSGet(const std::string& mode, const Point3* p1, const Point3* p2, const ResBufList* filter,
                SelectionSet& out) override {
    return target_->acedSSGet(mode, p1, p2, filter, out);
  }
  int acedSSLength(const SelectionSet& ss, long& length) override {
    return target_->acedSSLength(ss, length);
  }
  int acedSSName(const SelectionSet& ss, long i, EntityName& out) override {
    return target_->acedSSName(ss, i, out);
  }
  int acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) override {
    return target_->acedSSAdd(name, ss, out);
  }
  int acedSSMemb(const EntityName& name, const SelectionSet& ss) override {
    return target_->acedSSMemb(name, ss);
  }
  int acedSSFree(const SelectionSet& ss) override { return target_->acedSSFree(ss); }
  int acedCommand(const ResBufList& args) override { return target_->acedCommand(args); }
  int acedGetVar(const std::string& name, ResBuf& out) override { return target_->acedGetVar(name, out); }
  int acedSetVar(const std::string& name, const ResBuf& value) override {
    return target_->acedSetVar(name, value);
  }
  int acedRedraw(const EntityName* name, int mode) override { return target_->acedRedraw(name, mode); }
  int acedGrDraw(const Point3& from, const Point3& to, int color, bool highlight) override {
    return target_->acedGrDraw(from, to, color, highlight);
  }
  int acdbEntMake(const EntityRecord& entity, EntityName& out) override {
    return target_->acdbEntMake(entity, out);
  }
  int acdbEntGet(const EntityName& name, EntityRecord& out) override {
    return target_->acdbEntGet(name, out);
  }
  int acdbEntMod(const EntityName& name, const EntityRecord& entity) override {
    return target_->acdbEntMod(name, entity);
  }
  int acdbEntDel(const EntityName& name) override { return target_->acdbEntDel(name); }
  int acdbEntLast(EntityName& out) override { return target_->acdbEntLast(out); }
  int acdbEntNext(const EntityName* after, EntityName& out) override {
    return target_->acdbEntNext(after, out);
  }
  int acdbEntUpd(const EntityName& name) override { return target_->acdbEntUpd(name); }
  int acdbRegApp(const std::string& appName) override { return target_->acdbRegApp(appName); }
  std::vector<LayerRecord> layers() override { return target_->layers(); }
  int addLayer(const LayerRecord& layer, int& id) override { return target_->addLayer(layer, id); }
  int setLayer(const LayerRecord& layer) override { return target_->setLayer(layer); }
  std::vector<LinetypeRecord> linetypes() override { return target_->linetypes(); }
  int getTextStyle(const std::string& name, TextStyleRecord& out) override {
    return target_->getTextStyle(name, out);
  }
  int setTextStyle(const TextStyleRecord& style) override { return target_->setTextStyle(style); }
  int dictExists(const std::string& dict) override { return target_->dictExists(dict); }
  int dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) override {
    return target_->dictGetXRecord(dict, key, out);
  }
  int dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) override {
    return target_->dictSetXRecord(dict, key, data);
  }
  int dictRemove(const std::string& dict, const std::string& key) override {
    return target_->dictRemove(dict, key);
  }
  int getClosestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) override {
    return target_->getClosestPointTo(curve, given, extend, out);
  }
  int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend,
                    std::vector<Point3>& out) override {
    return target_->intersectWith(a, b, extend, out);
  }
  int getGeomExtents(const EntityRecord& entity, Point3& min, Point3& max) override {
    return target_->getGeomExtents(entity, min, max);
  }
  int messageBox(const std::string& title, const std::string& text, const std::vector<std::string>& buttons,
                 BoxIcon icon) override {
    return target_->messageBox(title, text, buttons, icon);
  }
  int formWait(const FormSpec& form) override { return target_->formWait(form); }
  int formEdit(const FormSpec& form, int field, FormEditor editor, const std::vector<std::string>& choices,
               std::string& text, int& index) override {
    return target_->formEdit(form, field, editor, choices, text, index);
  }
  void formClose(const FormSpec& form) override { target_->formClose(form); }
  Platform& platform() override { return target_->platform(); }

 private:
  Host* target_;
};

}  // namespace optgrind
