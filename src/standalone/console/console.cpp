#include "standalone/console/console.h"

#include <csignal>

namespace optgrind::standalone {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

bool isComment(const std::string& line) {
  size_t first = line.find_first_not_of(" \t");
  return first != std::string::npos && line.compare(first, 2, "//") == 0;
}

constexpr const char* kBreakLine = "^B";

}  // namespace

Console::Console(std::istream& in, std::ostream& out, bool echo) : in_(in), out_(out), echo_(echo) {
  if (!echo_) std::signal(SIGINT, onInterrupt);
}

void Console::print(const std::string& text) {
  out_ << text;
  out_.flush();
}

void Console::queueAnswers(const std::vector<std::string>& answers) {
  queued_.insert(queued_.begin(), answers.begin(), answers.end());
}

bool Console::nextLine(std::string& line) {
  if (!queued_.empty()) {
    line = queued_.front();
    queued_.pop_front();
    return true;
  }
  if (hasPeeked_) {
    hasPeeked_ = false;
    line = peeked_;
    return true;
  }
  while (!exhausted_) {
    if (!std::getline(in_, line)) {
      exhausted_ = true;
      return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!isComment(line)) return true;
  }
  return false;
}

bool Console::peek(std::string& line) {
  if (!queued_.empty()) {
    line = queued_.front();
    return true;
  }
  if (!hasPeeked_) {
    if (!nextLine(peeked_)) return false;
    hasPeeked_ = true;
  }
  line = peeked_;
  return true;
}

void Console::skipPeeked() {
  if (!queued_.empty()) {
    queued_.pop_front();
  } else {
    hasPeeked_ = false;
  }
}

bool Console::ask(const std::string& prompt, std::string& answer) {
  out_ << prompt;
  std::string line;
  bool got = nextLine(line);
  // A break line left over from a loop that has ended is no answer.
  while (got && line == kBreakLine) got = nextLine(line);
  if (!got) {
    // The answers ran out: the prompt in progress is cancelled.
    out_ << (echo_ ? "*Cancel*\n" : "\n");
    out_.flush();
    return false;
  }
  if (echo_) out_ << line << "\n";
  out_.flush();
  answer = line;
  return true;
}

bool Console::takeBreak() {
  std::string line;
  if (echo_ && peek(line) && line == kBreakLine) {
    skipPeeked();
    out_ << "*Break*\n";
    breakRequested_ = true;
  }
  bool taken = breakRequested_ || g_interrupted;
  breakRequested_ = false;
  g_interrupted = 0;
  return taken;
}

}  // namespace optgrind::standalone
