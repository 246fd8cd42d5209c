// The terminal's lines fed into an answer queue by a thread of its own, so
// that the session can take answers from another source at the same time.
#pragma once

#include <atomic>
#include <thread>

#include "standalone/console/answer_queue.h"

namespace optgrind::standalone {

class TerminalReader {
 public:
  // Reads fd until its input ends. shownWhereTyped: the fd is a terminal
  // that echoes what is typed.
  TerminalReader(int fd, AnswerQueue& queue, bool shownWhereTyped);
  ~TerminalReader();
  TerminalReader(const TerminalReader&) = delete;
  TerminalReader& operator=(const TerminalReader&) = delete;

 private:
  void run();

  int fd_;
  AnswerQueue& queue_;
  bool shownWhereTyped_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace optgrind::standalone
