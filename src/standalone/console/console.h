// The standalone host's command line: reads the user's answers one line at
// a time from a terminal or a script, and writes prompts and messages.
#pragma once

#include <cstdio>
#include <deque>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "standalone/console/answer_queue.h"
#include "standalone/console/prompt_shape.h"

namespace optgrind::standalone {

class Console {
 public:
  // Answers come from `in`; output goes to `out`. When `echo` is set (a
  // script), every prompt's answer is printed after it, so the output reads
  // like a session typed at the command line.
  Console(std::istream& in, std::ostream& out, bool echo);
  // Answers come from a queue that several sources feed. The answers never
  // run out until the queue is closed or Ctrl-C ends the session.
  Console(AnswerQueue& answers, std::ostream& out);

  // Told about every prompt that waits and every answer taken; null: none.
  void setObserver(ConsoleObserver* observer) { observer_ = observer; }

  // Prints text as given.
  void print(const std::string& text);
  // Prints the prompt and reads one answer line (without its line end).
  // Comment lines ("//...") are skipped. Returns false once the answers have
  // run out; every later call returns false too.
  // shape tells an observer what the prompt takes.
  bool ask(const std::string& prompt, std::string& answer, const PromptShape& shape = PromptShape{});
  // Reads the next answer line, skipping comments; false when none is left.
  bool nextLine(std::string& line);
  // Answers to take before the next lines of the input, in order: the words
  // typed after a command name at "Command:", where a blank acts as Enter.
  void queueAnswers(const std::vector<std::string>& answers);
  // The next answer line without taking it; false when none is left.
  bool peek(std::string& line);
  // Takes the line peek showed.
  void skipPeeked();
  // True once the answers have run out.
  bool exhausted() const { return exhausted_; }
  // Whether the answers come from a script (a batch run, not a person).
  bool scripted() const { return echo_; }
  // A user break was asked for: Ctrl-C at a terminal, or a script line
  // "^B" standing next when the running loop polls. Reading it clears it.
  bool takeBreak();
  void requestBreak() { breakRequested_ = true; }

  std::ostream& out() { return out_; }

 private:
  // One raw line from the input or the queue.
  bool readLine(std::string& line);
  bool readQueued(std::string& line);

  std::istream* in_ = nullptr;
  AnswerQueue* answers_ = nullptr;
  ConsoleObserver* observer_ = nullptr;
  // The last answer taken from the queue showed at the terminal as typed.
  bool lastShownWhereTyped_ = false;
  std::ostream& out_;
  bool echo_;
  bool exhausted_ = false;
  bool breakRequested_ = false;
  bool atFirstLine_ = true;
  std::deque<std::string> queued_;
  bool hasPeeked_ = false;
  std::string peeked_;
};

}  // namespace optgrind::standalone
