// SETVAR: shows a system variable and sets a number to a new value.
#include <charconv>

#include "host/utf8.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {

int runSetvar(Session& session, Answers& in) {
  std::string name;
  int rc = in.text("Enter variable name: ", name);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  name = upperAscii(name);
  ResBuf value;
  if (session.host.acedGetVar(name, value) != RTNORM) {
    in.message("Unknown variable name.\n");
    return RTERROR;
  }
  if (!value.isInt() && !value.isReal()) {
    in.message(name + " = \"" + value.asString() + "\"\n");
    return RTNORM;
  }
  std::string shown = value.isInt() ? std::to_string(value.asInt()) : formatReal(value.asReal());
  std::string answer;
  rc = in.text("Enter new value for " + name + " <" + shown + ">: ", answer);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  double number = 0.0;
  auto [end, ec] = std::from_chars(answer.data(), answer.data() + answer.size(), number);
  bool whole = ec == std::errc() && end == answer.data() + answer.size();
  ResBuf given =
      value.isInt() ? ResBuf::ofInt(RTSHORT, static_cast<long long>(number)) : ResBuf::ofReal(RTREAL, number);
  if (!whole || (value.isInt() && number != static_cast<double>(given.asInt())) ||
      session.host.acedSetVar(name, given) != RTNORM) {
    in.message("Invalid value for " + name + ".\n");
    return RTERROR;
  }
  return RTNORM;
}

}  // namespace optgrind::standalone
