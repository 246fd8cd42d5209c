#include "standalone/host/standalone_host.h"
#include "host/utf8.h"
#include "standalone/console/answers.h"
#include "standalone/model/drawing_history.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace optgrind::standalone {
namespace {}  // namespace

StandaloneHost::StandaloneHost(Console& console, StandaloneOptions options)
    : console_(console),
      options_(std::move(options)),
      platform_(console, options_.installRoot),
      session_(*this, console,
               [this](const std::string& prompt, std::string& out) { return acedGetKword(prompt, out); }) {}

void StandaloneHost::setDrawing(Drawing drawing) { session_.setDrawing(std::move(drawing)); }

void StandaloneHost::unlockApplication(void*) {}
void StandaloneHost::registerAppMDIAware(void*) {}

bool StandaloneHost::addCommand(const std::string& group, const std::string& globalName,
                                const std::string& localName, int flags, CommandHandler handler) {
  std::vector<RegisteredCommand>& commands = session_.registeredCommands;
  for (const auto& c : commands) {
    if (equalIgnoringCase(c.globalName, globalName)) return false;
  }
  commands.push_back({group, globalName, localName, flags, handler});
  return true;
}

bool StandaloneHost::removeGroup(const std::string& group) {
  std::vector<RegisteredCommand>& commands = session_.registeredCommands;
  auto end = std::remove_if(commands.begin(), commands.end(),
                            [&](const RegisteredCommand& c) { return c.group == group; });
  bool removed = end != commands.end();
  commands.erase(end, commands.end());
  return removed;
}

const RegisteredCommand* StandaloneHost::findCommand(const std::string& name) const {
  std::string key = upperAscii(name);
  for (const auto& c : session_.registeredCommands) {
    if (upperAscii(c.globalName) == key || upperAscii(c.localName) == key) return &c;
  }
  return nullptr;
}

bool StandaloneHost::runCommand(const std::string& name) {
  const RegisteredCommand* c = findCommand(name);
  if (!c || !c->handler) return false;
  // The command may change the list it came from (by unloading).
  CommandHandler handler = c->handler;
  beginCommand(session_.drawing, upperAscii(c->globalName));
  handler();
  endCommand(session_.drawing);
  return true;
}

void StandaloneHost::runCommandLoop() {
  std::string answer;
  session_.quitRequested = false;
  while (!session_.quitRequested && console_.ask("\nCommand: ", answer)) {
    // As at the host's command line, a blank ends the command name: the
    // words after it answer the command's first prompts.
    std::vector<std::string> words = commandWords(answer);
    if (words.empty() || words.front() == kCancelAnswer) continue;
    std::string name = words.front();
    console_.queueAnswers({words.begin() + 1, words.end()});
    if (!runCommand(name) && !runHostCommand(name)) {
      console_.print("Unknown command \"" + upperAscii(name) + "\".\n");
    }
  }
}

void StandaloneHost::acutPrintf(const std::string& text) { console_.print(text); }

}  // namespace optgrind::standalone
