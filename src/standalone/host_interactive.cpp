// StandaloneHost: prompts, boxes, forms and dialogs on the command line.
#include <cstdlib>
#include <sstream>

#include "standalone/standalone_host.h"

namespace optgrind::standalone {
namespace {

bool isCancel(const std::string& answer) { return answer == "^C"; }

// "x,y" or "x,y,z", or "@dx,dy" relative to `last`.
bool parsePoint(const std::string& text, const Point3& last, Point3& out) {
  std::string s = text;
  bool relative = !s.empty() && s[0] == '@';
  if (relative) s.erase(0, 1);
  double v[3] = {0, 0, 0};
  int n = 0;
  std::stringstream ss(s);
  std::string part;
  while (std::getline(ss, part, ',')) {
    if (n == 3) return false;
    char* end = nullptr;
    v[n] = std::strtod(part.c_str(), &end);
    if (end == part.c_str() || *end != '\0') return false;
    ++n;
  }
  if (n < 2) return false;
  out = relative ? Point3{last.x + v[0], last.y + v[1], last.z + v[2]} : Point3{v[0], v[1], v[2]};
  return true;
}

}  // namespace

int StandaloneHost::acedInitGet(int flags, const std::string& keywords) {
  initGetFlags_ = flags;
  initGetKeywords_ = keywords;
  return RTNORM;
}

int StandaloneHost::acedGetPoint(const Point3*, const std::string& prompt, Point3& out) {
  std::string answer;
  initGetFlags_ = 0;
  while (console_.ask(prompt, answer)) {
    if (isCancel(answer)) return RTCAN;
    if (answer.empty()) return RTNONE;
    if (parsePoint(answer, lastPoint_, out)) {
      lastPoint_ = out;
      return RTNORM;
    }
    console_.print("\nInvalid point.\n");
  }
  return RTCAN;
}

int StandaloneHost::acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) {
  return acedGetPoint(&base, prompt, out);
}

int StandaloneHost::acedGetReal(const std::string& prompt, double& out) {
  std::string answer;
  while (console_.ask(prompt, answer)) {
    if (isCancel(answer)) return RTCAN;
    if (answer.empty()) return RTNONE;
    char* end = nullptr;
    double v = std::strtod(answer.c_str(), &end);
    if (end != answer.c_str() && *end == '\0') {
      out = v;
      return RTNORM;
    }
    console_.print("\nRequires numeric value.\n");
  }
  return RTCAN;
}

int StandaloneHost::acedGetInt(const std::string& prompt, int& out) {
  double v = 0;
  int rc = acedGetReal(prompt, v);
  if (rc == RTNORM) out = static_cast<int>(v);
  return rc;
}

int StandaloneHost::acedGetString(bool, const std::string& prompt, std::string& out) {
  std::string answer;
  if (!console_.ask(prompt, answer) || isCancel(answer)) return RTCAN;
  out = answer;
  return RTNORM;
}

int StandaloneHost::acedGetKword(const std::string& prompt, std::string& out) {
  std::string answer;
  if (!console_.ask(prompt, answer) || isCancel(answer)) return RTCAN;
  if (answer.empty()) return RTNONE;
  out = answer;
  return RTNORM;
}

int StandaloneHost::acedGetInput(std::string& out) {
  out = lastInput_;
  return RTNORM;
}

int StandaloneHost::acedDragGen(const SelectionSet&, const std::string& prompt, bool, Point3& out) {
  return acedGetPoint(nullptr, prompt, out);
}

int StandaloneHost::acedEntSel(const std::string&, EntityName&, Point3&) { return RTERROR; }

bool StandaloneHost::acedUsrBrk() { return console_.takeBreak(); }

int StandaloneHost::acedRedraw(const EntityName*, int) { return RTNORM; }
int StandaloneHost::acedGrDraw(const Point3&, const Point3&, int, bool) { return RTNORM; }

int StandaloneHost::messageBox(const std::string& title, const std::string& text,
                               const std::vector<std::string>& buttons, BoxIcon) {
  console_.print("\n[" + title + "]\n" + text + "\n");
  std::string answer;
  if (!console_.ask("Button: ", answer) || isCancel(answer)) return 0;
  return buttons.empty() ? 0 : 1;
}

void StandaloneHost::messageBeep() { console_.print("\a"); }

int StandaloneHost::formWait(const FormSpec&) { return -1; }
int StandaloneHost::formEdit(const FormSpec&, int, FormEditor, const std::vector<std::string>&, std::string&,
                             int&) {
  return RTCAN;
}
void StandaloneHost::formClose(const FormSpec&) {}

int StandaloneHost::acedGetFileD(const std::string& title, const std::string&, const std::string&, int,
                                 std::string& out) {
  std::string answer;
  if (!console_.ask(title + ": ", answer) || answer.empty() || isCancel(answer)) return RTCAN;
  out = answer;
  return RTNORM;
}

int StandaloneHost::browseForFolder(const std::string& title, std::string& out) {
  return acedGetFileD(title, "", "", 0, out);
}

}  // namespace optgrind::standalone
