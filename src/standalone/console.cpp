#include "standalone/console.h"

#include <csignal>

namespace optgrind::standalone {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

}  // namespace

Console::Console(std::istream& in, std::ostream& out, bool echo) : in_(in), out_(out), echo_(echo) {
  if (!echo_) std::signal(SIGINT, onInterrupt);
}

void Console::print(const std::string& text) {
  out_ << text;
  out_.flush();
}

bool Console::ask(const std::string& prompt, std::string& answer) {
  out_ << prompt;
  out_.flush();
  if (exhausted_) {
    if (echo_) out_ << "\n";
    return false;
  }
  std::string line;
  while (true) {
    if (!std::getline(in_, line)) {
      exhausted_ = true;
      // The script ended: the prompt in progress is cancelled.
      out_ << (echo_ ? "*Cancel*\n" : "\n");
      out_.flush();
      return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line.compare(first, 2, "//") == 0) continue;
    break;
  }
  if (echo_) out_ << line << "\n";
  out_.flush();
  answer = line;
  return true;
}

bool Console::takeBreak() {
  bool taken = breakRequested_ || g_interrupted;
  breakRequested_ = false;
  g_interrupted = 0;
  return taken;
}

}  // namespace optgrind::standalone
