#include "post/event_script.h"

#include <cstdlib>
#include <sstream>

#include "post/executor.h"
#include "post/keywords.h"
#include "post/post_state.h"
#include "post/text_util.h"

namespace optgrind {
namespace {

std::string trimmed(const std::string& text) {
  size_t b = text.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return std::string();
  size_t e = text.find_last_not_of(" \t\r\n");
  return text.substr(b, e - b + 1);
}

// A variable by letter or by number 0 to 119; -1 for anything else.
int variableByName(const std::string& name) {
  if (name.size() == 1 && isAsciiLetter(name[0])) return toUpperAscii(name[0]) - 'A' + 1;
  if (name.empty() || name.size() > 3) return -1;
  for (char c : name) {
    if (!isAsciiDigit(c)) return -1;
  }
  int index = std::atoi(name.c_str());
  return index < kPostVariableCount ? index : -1;
}

bool parseNumber(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return end != nullptr && *end == '\0';
}

bool runLine(Host& host, const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) {
    int code = lookupEvent(line);
    if (code < 0) return false;
    runEvent(host, code);
    return true;
  }
  std::string name = trimmed(line.substr(0, eq));
  std::string value = trimmed(line.substr(eq + 1));
  std::string lower = toLowerAscii(name);
  if (lower == "nc_name") {
    setNcFileName(value);
    return true;
  }
  double number = 0.0;
  if (!parseNumber(value, number)) return false;
  if (lower == "coord_system") {
    if (number != 0.0 && number != 1.0) return false;
    setCoordSystem(static_cast<int>(number));
    return true;
  }
  bool last = !name.empty() && name[0] == '#';
  int index = variableByName(trimmed(last ? name.substr(1) : name));
  if (index < 0) return false;
  PostVariable& v = postVariable(index);
  (last ? v.last : v.current) = number;
  return true;
}

}  // namespace

EventScriptResult runEventScript(Host& host, const std::string& script) {
  EventScriptResult result;
  std::istringstream lines(script);
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    std::string line = trimmed(raw);
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    if (!runLine(host, line)) {
      result.badLine = number;
      result.text = line;
      return result;
    }
  }
  result.valid = 1;
  return result;
}

}  // namespace optgrind
