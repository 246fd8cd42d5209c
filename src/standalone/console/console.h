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

namespace optgrind::standalone {

class Console {
 public:
  // Answers come from `in`; output goes to `out`. When `echo` is set (a
  // script), every prompt's answer is printed after it, so the output reads
  // like a session typed at the command line.
  Console(std::istream& in, std::ostream& out, bool echo);

  // Prints text as given.
  void print(const std::string& text);
  // Prints the prompt and reads one answer line (without its line end).
  // Comment lines ("//...") are skipped. Returns false once the answers have
  // run out; every later call returns false too.
  bool ask(const std::string& prompt, std::string& answer);
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
  std::istream& in_;
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
