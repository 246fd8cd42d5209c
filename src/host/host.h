// Host: every operation the system needs of the CAD host.
//
// The system reaches its host only through this interface. Methods carry the
// names of the host calls they stand for. Unless a comment says otherwise,
// an int result is a host result code: RTNORM on success, RTERROR when the
// operation failed (out-parameters are then left unchanged), RTCAN when the
// user cancelled, RTNONE when the user answered with Enter.
//
// A Host is not copyable. HostWrapper forwards every call to another Host, so
// a test can wrap the standalone host and change one operation (a failed
// save, a cancelled prompt) without a mock.
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"

namespace optgrind {

using CommandHandler = void (*)();

class Host {
 public:
  Host() = default;
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  virtual ~Host() = default;

  // ---- Module and commands ----------------------------------------------

  // acrxDynamicLinker->unlockApplication: the module may be unloaded.
  virtual void unlockApplication(void* appId) = 0;
  // acrxDynamicLinker->registerAppMDIAware: the module works in every drawing.
  virtual void registerAppMDIAware(void* appId) = 0;
  // acedRegCmds->addCommand: registers a command in a group. Returns false
  // when the name is taken in another group; the command is then not added.
  virtual bool addCommand(const std::string& group, const std::string& globalName,
                          const std::string& localName, int flags, CommandHandler handler) = 0;
  // acedRegCmds->removeGroup: removes every command of the group. Returns
  // false when no such group was registered.
  virtual bool removeGroup(const std::string& group) = 0;

  // ---- Output and prompts -----------------------------------------------

  // acutPrintf: prints text on the command line as given (no line break added).
  virtual void acutPrintf(const std::string& text) = 0;
  // acedInitGet: flags and keywords (blank separated) for the next prompt only.
  virtual int acedInitGet(int flags, const std::string& keywords) = 0;
  // acedGetPoint: a point, optionally rubber-banded from base. RTKWORD and
  // RTSTR after acedInitGet; the answer is then fetched by acedGetInput.
  virtual int acedGetPoint(const Point3* base, const std::string& prompt, Point3& out) = 0;
  // acedGetCorner: the opposite corner of a window from base.
  virtual int acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) = 0;
  // acedGetReal: a real number.
  virtual int acedGetReal(const std::string& prompt, double& out) = 0;
  // acedGetInt: an integer.
  virtual int acedGetInt(const std::string& prompt, int& out) = 0;
  // acedGetString: a text; with allowSpaces only Enter ends the answer.
  virtual int acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) = 0;
  // acedGetKword: one of the keywords given to acedInitGet.
  virtual int acedGetKword(const std::string& prompt, std::string& out) = 0;
  // acedGetInput: the keyword or free text of the last prompt's answer.
  virtual int acedGetInput(std::string& out) = 0;
  // acedDragGen: drags the set with the cursor until the user answers; the
  // result is a point (RTNORM), a keyword (RTKWORD), free text (RTSTR), Enter
  // (RTNONE) or a cancel. pickCursor selects the pick-box cursor.
  virtual int acedDragGen(const SelectionSet& ss, const std::string& prompt, bool pickCursor,
                          Point3& out) = 0;
  // acedEntSel: the user picks one entity; out gets its name and the point.
  virtual int acedEntSel(const std::string& prompt, EntityName& name, Point3& picked) = 0;
  // acedUsrBrk: true once when the user asked to break the running loop.
  virtual bool acedUsrBrk() = 0;

  // ---- Selection sets ---------------------------------------------------

  // acedSSGet: mode "X" (all, filter only), "C" or "W" (crossing or window
  // between p1 and p2), "P" (previous set), "" (the user selects). filter
  // may be null. RTNORM with a non-empty set, else RTERROR or RTCAN.
  virtual int acedSSGet(const std::string& mode, const Point3* p1, const Point3* p2, const ResBufList* filter,
                        SelectionSet& out) = 0;
  // acedSSLength: the number of entities in the set.
  virtual int acedSSLength(const SelectionSet& ss, long& length) = 0;
  // acedSSName: the entity at index i.
  virtual int acedSSName(const SelectionSet& ss, long i, EntityName& out) = 0;
  // acedSSAdd: adds name to ss (a new set when ss is empty or name is null).
  virtual int acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) = 0;
  // acedSSMemb: RTNORM when name is in the set, else RTERROR.
  virtual int acedSSMemb(const EntityName& name, const SelectionSet& ss) = 0;
  // acedSSFree: gives the set back.
  virtual int acedSSFree(const SelectionSet& ss) = 0;

  // ---- Host commands and variables --------------------------------------

  // acedCommand: runs a host command. args: the command name, then its
  // answers (strings, points, reals, entity names, selection sets); a string
  // PAUSE takes that answer from the user. RTNORM when the command ran.
  virtual int acedCommand(const ResBufList& args) = 0;
  // acedGetVar: a system variable's value (RTSHORT, RTREAL, RTSTR, RT3DPOINT).
  virtual int acedGetVar(const std::string& name, ResBuf& out) = 0;
  // acedSetVar: sets a system variable; RTERROR for an unknown or read-only one.
  virtual int acedSetVar(const std::string& name, const ResBuf& value) = 0;
  // acedRedraw: redraws one entity (or the view when name is null) in mode.
  virtual int acedRedraw(const EntityName* name, int mode) = 0;
  // acedGrDraw: draws a temporary vector in colour; highlight dashes it.
  virtual int acedGrDraw(const Point3& from, const Point3& to, int color, bool highlight) = 0;

  // ---- Entities ---------------------------------------------------------

  // acdbEntMake: appends the entity to model space; it becomes the last.
  virtual int acdbEntMake(const EntityRecord& entity, EntityName& out) = 0;
  // acdbEntGet: the entity's record.
  virtual int acdbEntGet(const EntityName& name, EntityRecord& out) = 0;
  // acdbEntMod: replaces the entity's record; it keeps its place and name.
  virtual int acdbEntMod(const EntityName& name, const EntityRecord& entity) = 0;
  // acdbEntDel: erases the entity. RTERROR when it is gone already.
  virtual int acdbEntDel(const EntityName& name) = 0;
  // acdbEntLast: the last entity of the drawing.
  virtual int acdbEntLast(EntityName& out) = 0;
  // acdbEntNext: the entity after `after` in drawing order (the first when
  // after is null). RTERROR after the last.
  virtual int acdbEntNext(const EntityName* after, EntityName& out) = 0;
  // acdbEntUpd: shows the entity's new state.
  virtual int acdbEntUpd(const EntityName& name) = 0;
  // acdbRegApp: registers an application name for extended data.
  virtual int acdbRegApp(const std::string& appName) = 0;

  // ---- Tables -----------------------------------------------------------

  // AcDbLayerTable iteration: every layer in table order.
  virtual std::vector<LayerRecord> layers() = 0;
  // AcDbLayerTable::add: a new layer; out gets its id. RTERROR when the name exists.
  virtual int addLayer(const LayerRecord& layer, int& id) = 0;
  // AcDbLayerTableRecord set*: writes the layer with layer.id (name included).
  virtual int setLayer(const LayerRecord& layer) = 0;
  // AcDbLinetypeTable iteration: every linetype in table order.
  virtual std::vector<LinetypeRecord> linetypes() = 0;
  // AcDbTextStyleTable::getAt: the style of that name.
  virtual int getTextStyle(const std::string& name, TextStyleRecord& out) = 0;
  // AcDbTextStyleTableRecord set*: adds or replaces the style of that name.
  virtual int setTextStyle(const TextStyleRecord& style) = 0;

  // ---- Named-object dictionary ------------------------------------------

  // AcDbDictionary::getAt on the named-object dictionary: RTNORM when a
  // dictionary of that name exists.
  virtual int dictExists(const std::string& dict) = 0;
  // The xrecord `key` of dictionary `dict`: its data chain.
  virtual int dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) = 0;
  // Sets the xrecord `key` of dictionary `dict`, making both when absent.
  virtual int dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) = 0;
  // Removes the entry `key` of dictionary `dict`; RTERROR when absent.
  virtual int dictRemove(const std::string& dict, const std::string& key) = 0;

  // ---- Geometry ---------------------------------------------------------

  // AcDbCurve::getClosestPointTo in the XY plane, optionally on the curve
  // extended (lines to infinite lines, arcs to circles). RTERROR for a
  // non-curve.
  virtual int getClosestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) = 0;
  // AcDbEntity::intersectWith: extend 0 none, 1 this, 2 the other, 3 both.
  virtual int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend,
                            std::vector<Point3>& out) = 0;
  // AcDbEntity::getGeomExtents: the box of the entity.
  virtual int getGeomExtents(const EntityRecord& entity, Point3& min, Point3& max) = 0;

  // ---- Windows and dialogs ----------------------------------------------

  // MessageBox: shows title and text with buttons (captions); result is the
  // chosen button's number from 1, or 0 when the box was closed.
  virtual int messageBox(const std::string& title, const std::string& text,
                         const std::vector<std::string>& buttons, BoxIcon icon) = 0;
  // MessageBeep: the system's error beep.
  virtual void messageBeep() = 0;
  // FormDialog: shows the form (or shows it again with new captions) and
  // waits; the clicked field's number from 1, or -1 on Escape.
  virtual int formWait(const FormSpec& form) = 0;
  // FormDialog editors: the new value of a clicked field. Number and Text
  // edit `text`; List, Toggle and Check choose `index` among `choices`.
  // RTNORM, or RTCAN when the edit was cancelled.
  virtual int formEdit(const FormSpec& form, int field, FormEditor editor,
                       const std::vector<std::string>& choices, std::string& text, int& index) = 0;
  // FormDialog close: the form is taken off the screen.
  virtual void formClose(const FormSpec& form) = 0;
  // acedGetFileD: a file name; RTNORM, or RTCAN when cancelled.
  virtual int acedGetFileD(const std::string& title, const std::string& defaultName,
                           const std::string& extension, int flags, std::string& out) = 0;
  // SHBrowseForFolder: a folder; RTNORM, or RTCAN when cancelled.
  virtual int browseForFolder(const std::string& title, std::string& out) = 0;
  // acedFindFile: the full name of a file on the host's search path.
  virtual int acedFindFile(const std::string& name, std::string& out) = 0;
  // WinExec: starts a program without waiting for it. argv[0] is the
  // program (a path, or a name looked up on PATH), the rest its arguments,
  // passed as they are: never through a shell.
  virtual int startProgram(const std::vector<std::string>& argv) = 0;
  // RegQueryValueEx under HKEY_LOCAL_MACHINE: a string value of a key.
  // RTERROR when the key cannot be opened or the value is missing.
  virtual int registryValue(const std::string& key, const std::string& value, std::string& out) = 0;
  // GetLocalTime: today's date and time.
  virtual LocalDate localDate() = 0;
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
  int acedGetInt(const std::string& prompt, int& out) override { return target_->acedGetInt(prompt, out); }
  int acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) override {
    return target_->acedGetString(allowSpaces, prompt, out);
  }
  int acedGetKword(const std::string& prompt, std::string& out) override {
    return target_->acedGetKword(prompt, out);
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
  void messageBeep() override { target_->messageBeep(); }
  int formWait(const FormSpec& form) override { return target_->formWait(form); }
  int formEdit(const FormSpec& form, int field, FormEditor editor, const std::vector<std::string>& choices,
               std::string& text, int& index) override {
    return target_->formEdit(form, field, editor, choices, text, index);
  }
  void formClose(const FormSpec& form) override { target_->formClose(form); }
  int acedGetFileD(const std::string& title, const std::string& defaultName, const std::string& extension,
                   int flags, std::string& out) override {
    return target_->acedGetFileD(title, defaultName, extension, flags, out);
  }
  int browseForFolder(const std::string& title, std::string& out) override {
    return target_->browseForFolder(title, out);
  }
  int acedFindFile(const std::string& name, std::string& out) override {
    return target_->acedFindFile(name, out);
  }
  int startProgram(const std::vector<std::string>& argv) override { return target_->startProgram(argv); }
  int registryValue(const std::string& key, const std::string& value, std::string& out) override {
    return target_->registryValue(key, value, out);
  }
  LocalDate localDate() override { return target_->localDate(); }

 private:
  Host* target_;
};

}  // namespace optgrind
