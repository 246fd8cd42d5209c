#include "standalone/standalone_host.h"

#include <algorithm>
#include <cctype>

namespace optgrind::standalone {
namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

}  // namespace

StandaloneHost::StandaloneHost(Console& console, StandaloneOptions options)
    : console_(console), options_(std::move(options)), drawing_(newDrawing()) {}

void StandaloneHost::setDrawing(Drawing drawing) {
  drawing_ = std::move(drawing);
  selectionSets_.clear();
  previousSelection_.clear();
}

void StandaloneHost::unlockApplication(void*) {}
void StandaloneHost::registerAppMDIAware(void*) {}

bool StandaloneHost::addCommand(const std::string& group, const std::string& globalName,
                                const std::string& localName, int flags, CommandHandler handler) {
  for (const auto& c : commands_) {
    if (upper(c.globalName) == upper(globalName)) return false;
  }
  commands_.push_back({group, globalName, localName, flags, handler});
  return true;
}

bool StandaloneHost::removeGroup(const std::string& group) {
  auto end = std::remove_if(commands_.begin(), commands_.end(),
                            [&](const RegisteredCommand& c) { return c.group == group; });
  bool removed = end != commands_.end();
  commands_.erase(end, commands_.end());
  return removed;
}

const RegisteredCommand* StandaloneHost::findCommand(const std::string& name) const {
  std::string key = upper(name);
  for (const auto& c : commands_) {
    if (upper(c.globalName) == key || upper(c.localName) == key) return &c;
  }
  return nullptr;
}

bool StandaloneHost::runCommand(const std::string& name) {
  const RegisteredCommand* c = findCommand(name);
  if (!c || !c->handler) return false;
  c->handler();
  return true;
}

void StandaloneHost::runCommandLoop() {
  std::string answer;
  while (console_.ask("\nCommand: ", answer)) {
    std::string name = trim(answer);
    if (name.empty()) continue;
    if (upper(name) == "QUIT" || upper(name) == "EXIT") break;
    if (!runCommand(name) && !runHostCommand(name)) {
      console_.print("Unknown command \"" + upper(name) + "\".\n");
    }
  }
}

void StandaloneHost::acutPrintf(const std::string& text) { console_.print(text); }

}  // namespace optgrind::standalone
