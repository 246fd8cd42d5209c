// StandaloneHost: the prompts on the command line. Each prompt reads one
// answer line; the flags and keywords of acedInitGet hold for one prompt.
#include "standalone/console/answers.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {
namespace {

// What one answer line was taken as.
enum class AnswerKind { Cancel, Enter, Point, Number, Keyword, Text };

}  // namespace

// Reads answers until one fits what the prompt accepts. acceptPoint and
// acceptNumber say what the prompt takes besides keywords and text.
int StandaloneHost::promptAnswer(const std::string& prompt, bool acceptPoint, bool acceptNumber,
                                 const char* retryMessage, Point3& point, double& number) {
  int flags = initGetFlags_;
  std::string keywords = initGetKeywords_;
  initGetFlags_ = 0;
  initGetKeywords_.clear();
  std::string answer;
  PromptShape shape = promptOfKind(acceptPoint ? PromptKind::Point : PromptKind::Line);
  while (console_.ask(prompt, answer, shape)) {
    std::string text = trimmed(answer);
    if (text == kCancelAnswer) return RTCAN;
    if (text.empty()) {
      if (flags & RSG_NONULL) {
        console_.print(retryMessage);
        continue;
      }
      return RTNONE;
    }
    if (acceptPoint && parsePointAnswer(text, lastPoint_, point)) {
      lastPoint_ = point;
      return RTNORM;
    }
    if (acceptNumber && parseNumberAnswer(text, number)) {
      if ((flags & RSG_NONEG) && number < 0) {
        console_.print("\nValue must be positive.\n");
        continue;
      }
      if ((flags & RSG_NOZERO) && number == 0) {
        console_.print("\nValue must be nonzero.\n");
        continue;
      }
      return RTNORM;
    }
    std::string keyword = matchKeyword(text, keywords);
    if (!keyword.empty()) {
      lastInput_ = keyword;
      return RTKWORD;
    }
    if (flags & RSG_OTHER) {
      lastInput_ = answer;
      return RTSTR;
    }
    console_.print(retryMessage);
  }
  return RTCAN;
}

int StandaloneHost::acedInitGet(int flags, const std::string& keywords) {
  initGetFlags_ = flags;
  initGetKeywords_ = keywords;
  return RTNORM;
}

int StandaloneHost::acedGetPoint(const Point3*, const std::string& prompt, Point3& out) {
  double unused = 0;
  return promptAnswer(prompt, true, false, "\nInvalid point.\n", out, unused);
}

int StandaloneHost::acedGetCorner(const Point3& base, const std::string& prompt, Point3& out) {
  return acedGetPoint(&base, prompt, out);
}

int StandaloneHost::acedGetReal(const std::string& prompt, double& out) {
  Point3 unused;
  return promptAnswer(prompt, false, true, "\nRequires numeric value.\n", unused, out);
}

int StandaloneHost::acedGetString(bool allowSpaces, const std::string& prompt, std::string& out) {
  initGetFlags_ = 0;
  initGetKeywords_.clear();
  std::string answer;
  if (!console_.ask(prompt, answer) || trimmed(answer) == kCancelAnswer) return RTCAN;
  if (!allowSpaces) {
    std::string t = trimmed(answer);
    answer = t.substr(0, t.find_first_of(" \t"));
  }
  out = answer;
  return RTNORM;
}

int StandaloneHost::acedGetKword(const std::string& prompt, std::string& out) {
  Point3 unusedPoint;
  double unusedNumber = 0;
  int rc = promptAnswer(prompt, false, false, "\nInvalid option keyword.\n", unusedPoint, unusedNumber);
  if (rc == RTKWORD || rc == RTSTR) {
    out = lastInput_;
    return RTNORM;
  }
  return rc;
}

int StandaloneHost::acedGetInput(std::string& out) {
  out = lastInput_;
  return RTNORM;
}

int StandaloneHost::acedDragGen(const SelectionSet&, const std::string& prompt, bool, Point3& out) {
  return acedGetPoint(nullptr, prompt, out);
}

bool StandaloneHost::acedUsrBrk() { return console_.takeBreak(); }

int StandaloneHost::acedRedraw(const EntityName*, int) { return RTNORM; }
int StandaloneHost::acedGrDraw(const Point3&, const Point3&, int, bool) { return RTNORM; }

}  // namespace optgrind::standalone
