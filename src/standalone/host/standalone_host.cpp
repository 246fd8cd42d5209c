#include "standalone/host/standalone_host.h"
#include "host/utf8.h"
#include "standalone/console/answers.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace optgrind::standalone {
namespace {}  // namespace

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
    if (upperAscii(c.globalName) == upperAscii(globalName)) return false;
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
  std::string key = upperAscii(name);
  for (const auto& c : commands_) {
    if (upperAscii(c.globalName) == key || upperAscii(c.localName) == key) return &c;
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
    // As at the host's command line, a blank ends the command name: the
    // words after it answer the command's first prompts.
    std::vector<std::string> words = commandWords(answer);
    if (words.empty() || words.front() == kCancelAnswer) continue;
    std::string name = words.front();
    console_.queueAnswers({words.begin() + 1, words.end()});
    if (upperAscii(name) == "QUIT" || upperAscii(name) == "EXIT") break;
    if (!runCommand(name) && !runHostCommand(name)) {
      console_.print("Unknown command \"" + upperAscii(name) + "\".\n");
    }
  }
}

void StandaloneHost::acutPrintf(const std::string& text) { console_.print(text); }

}  // namespace optgrind::standalone
