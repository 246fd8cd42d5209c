#include "standalone/console/console.h"

#include "standalone/console/answers.h"

#include <signal.h>

#include <chrono>
#include <csignal>
#include <cstdio>

namespace optgrind::standalone {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

// Ctrl-C at a terminal: the flag is set, and a read in progress returns
// (no SA_RESTART) so that the prompt waiting for it is cancelled.
void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
}

// Takes a pending Ctrl-C.
bool takeInterrupt() {
  if (!g_interrupted) return false;
  g_interrupted = 0;
  return true;
}

// A UTF-8 byte-order mark, as some editors put at the start of a file.
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

bool isComment(const std::string& line) {
  size_t first = line.find_first_not_of(" \t");
  return first != std::string::npos && line.compare(first, 2, "//") == 0;
}

constexpr const char* kBreakLine = "^B";

// How often a wait for a queued answer looks for Ctrl-C.
constexpr std::chrono::milliseconds kQueuePoll{100};

}  // namespace

Console::Console(std::istream& in, std::ostream& out, bool echo) : in_(&in), out_(out), echo_(echo) {
  if (!echo_) catchInterrupts();
}

Console::Console(AnswerQueue& answers, std::ostream& out) : answers_(&answers), out_(out), echo_(false) {
  catchInterrupts();
}

bool Console::readQueued(std::string& line) {
  for (;;) {
    // Ctrl-C ends a session fed by a queue: its sources may never run out.
    if (g_interrupted) answers_->close();
    QueuedAnswer taken;
    switch (answers_->take(taken, kQueuePoll)) {
      case TakeResult::Taken:
        line = std::move(taken.line);
        lastShownWhereTyped_ = taken.shownWhereTyped;
        if (taken.view.valid && observer_) observer_->answerView(taken.view);
        return true;
      case TakeResult::Closed:
        return false;
      case TakeResult::TimedOut:
        break;
    }
  }
}

bool Console::readLine(std::string& line) {
  if (answers_) return readQueued(line);
  if (std::getline(*in_, line)) return true;
  if (takeInterrupt()) {
    // The read was cut short; the input itself goes on.
    in_->clear();
    std::clearerr(stdin);
    line = kCancelAnswer;
    return true;
  }
  return false;
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
    // Ctrl-C before or during the read cancels the prompt, as Escape does.
    if (!answers_ && takeInterrupt()) {
      line = kCancelAnswer;
      return true;
    }
    if (!readLine(line)) {
      exhausted_ = true;
      return false;
    }
    if (atFirstLine_ && line.compare(0, 3, kByteOrderMark) == 0) line.erase(0, 3);
    atFirstLine_ = false;
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

bool Console::ask(const std::string& prompt, std::string& answer, const PromptShape& shape) {
  out_ << prompt;
  out_.flush();
  bool waits = queued_.empty() && !hasPeeked_;
  if (observer_ && waits && !exhausted_) {
    PromptShape shown = shape;
    shown.prompt = prompt;
    observer_->promptOpened(shown);
  }
  lastShownWhereTyped_ = false;
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
  if (echo_ || (answers_ && waits && !lastShownWhereTyped_)) out_ << line << "\n";
  if (observer_ && waits) observer_->answerTaken(line + "\n", lastShownWhereTyped_);
  // At a terminal the cancel came from Ctrl-C (or was typed): say so.
  if (!echo_ && trimmed(line) == kCancelAnswer) out_ << "*Cancel*\n";
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
  // Ctrl-C ends a queue-fed session: the flag stays for the next read.
  if (!answers_) g_interrupted = 0;
  return taken;
}

}  // namespace optgrind::standalone
