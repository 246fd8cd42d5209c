// Answers of the host's own commands: from the user or from acedCommand's
// arguments.
#include "standalone/commands/cmd_answers.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {
namespace {

bool isEnter(const ResBuf* arg) { return !arg || (arg->isString() && arg->asString().empty()); }

bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

const EntityName* nameOf(const ResBuf& arg) { return std::get_if<EntityName>(&arg.value); }
const SelectionSet* setOf(const ResBuf& arg) { return std::get_if<SelectionSet>(&arg.value); }

// How an argument reads in the echo of its prompt.
std::string describe(const ResBuf& arg) {
  if (arg.isString()) return arg.asString();
  if (arg.isPoint()) return formatPoint(arg.asPoint());
  if (arg.isReal() || arg.isInt()) return formatReal(arg.asReal());
  if (const EntityName* n = nameOf(arg)) return "<Entity name: " + std::to_string(n->a) + ">";
  if (setOf(arg)) return "<Selection set>";
  return "";
}

// A keyword given as an argument may carry the "_" of the host's
// language-neutral form.
std::string keywordOf(const ResBuf& arg, const std::string& keywords) {
  std::string given = arg.asString();
  if (!given.empty() && given.front() == '_') given.erase(0, 1);
  return matchKeyword(given, keywords);
}

// In order of first appearance; a set of those taken keeps a selection of
// the whole drawing from costing its square.
void appendUnique(std::vector<long long>& ids, const std::vector<long long>& more) {
  std::unordered_set<long long> taken(ids.begin(), ids.end());
  for (long long id : more) {
    if (taken.insert(id).second) ids.push_back(id);
  }
}

}  // namespace

bool isPause(const ResBuf& arg) { return arg.isString() && arg.asString() == PAUSE; }

// ---- UserAnswers -----------------------------------------------------------

int UserAnswers::point(const std::string& prompt, const std::string& keywords, const Point3* base,
                       Point3& out, std::string& keyword) {
  while (true) {
    session_.host.acedInitGet(0, keywords);
    int rc = session_.host.acedGetPoint(base, prompt, out);
    if (rc == RTNORM && !finite(out)) {
      session_.host.acutPrintf("Invalid point.\n");
      continue;
    }
    if (rc != RTKWORD && rc != RTSTR) return rc;
    std::string typed;
    session_.host.acedGetInput(typed);
    keyword = matchKeyword(typed, keywords);
    if (!keyword.empty()) return RTKWORD;
    session_.host.acutPrintf("Invalid point or option keyword required.\n");
  }
}

int UserAnswers::real(const std::string& prompt, double& out) {
  while (true) {
    int rc = session_.host.acedGetReal(prompt, out);
    if (rc != RTNORM || std::isfinite(out)) return rc;
    session_.host.acutPrintf("Requires numeric value.\n");
  }
}

int UserAnswers::keyword(const std::string& prompt, const std::string& keywords, std::string& out) {
  while (true) {
    session_.host.acedInitGet(0, keywords);
    std::string typed;
    int rc = session_.keyword(prompt, typed);
    if (rc != RTNORM) return rc;
    out = matchKeyword(typed, keywords);
    if (!out.empty()) return RTNORM;
    session_.host.acutPrintf("Invalid option keyword.\n");
  }
}

int UserAnswers::text(const std::string& prompt, std::string& out) {
  int rc = session_.host.acedGetString(true, prompt, out);
  if (rc == RTNORM && out.empty()) return RTNONE;
  return rc;
}

int UserAnswers::entity(const std::string& prompt, EntityName& out) {
  Point3 picked;
  return session_.host.acedEntSel(prompt, out, picked);
}

int UserAnswers::objects(std::vector<long long>& ids) {
  ids.clear();
  SelectionSet ss;
  int rc = session_.host.acedSSGet("", nullptr, nullptr, nullptr, ss);
  if (rc == RTCAN) return RTCAN;
  if (rc != RTNORM) return RTNORM;  // nothing selected
  ids = selectionSetIds(session_, ss);
  session_.host.acedSSFree(ss);
  return RTNORM;
}

void UserAnswers::message(const std::string& text) { session_.host.acutPrintf(text); }

// ---- ScriptedAnswers -------------------------------------------------------

const ResBuf* ScriptedAnswers::take() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

void ScriptedAnswers::echo(const std::string& prompt, const std::string& answer) {
  if (echo_) session_.host.acutPrintf(prompt + answer + "\n");
}

void ScriptedAnswers::message(const std::string& text) {
  if (echo_) session_.host.acutPrintf(text);
}

ScriptedAnswers::Next ScriptedAnswers::nextArg(const std::string& prompt, const ResBuf*& arg) {
  arg = take();
  if (isEnter(arg)) {
    echo(prompt, "");
    return Next::Enter;
  }
  if (isPause(*arg)) return Next::Pause;
  echo(prompt, describe(*arg));
  return Next::Given;
}

int ScriptedAnswers::point(const std::string& prompt, const std::string& keywords, const Point3* base,
                           Point3& out, std::string& keyword) {
  const ResBuf* arg = nullptr;
  Next next = nextArg(prompt, arg);
  if (next != Next::Given)
    return next == Next::Enter ? RTNONE : user_.point(prompt, keywords, base, out, keyword);
  if (arg->isPoint()) {
    out = arg->asPoint();
    return finite(out) ? RTNORM : RTERROR;
  }
  keyword = keywordOf(*arg, keywords);
  return keyword.empty() ? RTERROR : RTKWORD;
}

int ScriptedAnswers::real(const std::string& prompt, double& out) {
  const ResBuf* arg = nullptr;
  Next next = nextArg(prompt, arg);
  if (next != Next::Given) return next == Next::Enter ? RTNONE : user_.real(prompt, out);
  if (arg->isReal() || arg->isInt()) {
    out = arg->asReal();
  } else if (!parseNumberAnswer(arg->asString(), out)) {
    return RTERROR;
  }
  return std::isfinite(out) ? RTNORM : RTERROR;
}

int ScriptedAnswers::keyword(const std::string& prompt, const std::string& keywords, std::string& out) {
  const ResBuf* arg = nullptr;
  Next next = nextArg(prompt, arg);
  if (next != Next::Given) return next == Next::Enter ? RTNONE : user_.keyword(prompt, keywords, out);
  out = keywordOf(*arg, keywords);
  return out.empty() ? RTERROR : RTNORM;
}

int ScriptedAnswers::text(const std::string& prompt, std::string& out) {
  const ResBuf* arg = nullptr;
  Next next = nextArg(prompt, arg);
  if (next != Next::Given) return next == Next::Enter ? RTNONE : user_.text(prompt, out);
  if (!arg->isString()) return RTERROR;
  out = arg->asString();
  return RTNORM;
}

int ScriptedAnswers::entity(const std::string& prompt, EntityName& out) {
  const ResBuf* arg = nullptr;
  Next next = nextArg(prompt, arg);
  if (next != Next::Given) return next == Next::Enter ? RTNONE : user_.entity(prompt, out);
  const EntityName* name = nameOf(*arg);
  if (!name) return RTERROR;
  out = *name;
  return RTNORM;
}

int ScriptedAnswers::objects(std::vector<long long>& ids) {
  static const std::string kPrompt = "Select objects: ";
  ids.clear();
  while (true) {
    const ResBuf* arg = take();
    if (isEnter(arg)) {
      echo(kPrompt, "");
      return RTNORM;
    }
    if (isPause(*arg)) {
      // The user goes on selecting; the user's Enter ends the selection.
      std::vector<long long> more;
      int rc = user_.objects(more);
      if (rc != RTNORM) return rc;
      appendUnique(ids, more);
      return RTNORM;
    }
    std::vector<long long> found;
    if (const SelectionSet* ss = setOf(*arg)) {
      found = selectionSetIds(session_, *ss);
    } else if (const EntityName* name = nameOf(*arg)) {
      EntityRecord record;
      if (session_.host.acdbEntGet(*name, record) == RTNORM) found.push_back(name->a);
    } else {
      echo(kPrompt, describe(*arg));
      return RTERROR;
    }
    echo(kPrompt, std::to_string(found.size()) + " found");
    appendUnique(ids, found);
  }
}

}  // namespace optgrind::standalone
