// Answers from more than one source (the terminal, a browser page) for the
// one session thread. Every answer is a whole line and one prompt takes one
// whole answer, so the sources never mix inside a prompt.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

namespace optgrind::standalone {

// The view a point was picked in, in drawing units, so that the pick box
// follows the zoom of the page.
struct AnswerView {
  bool valid = false;
  double centerX = 0.0;
  double centerY = 0.0;
  double height = 0.0;
};

struct QueuedAnswer {
  std::string line;
  // Typed at a terminal that showed it already: the answer is not echoed there.
  bool shownWhereTyped = false;
  AnswerView view;
};

enum class TakeResult { Taken, TimedOut, Closed };

class AnswerQueue {
 public:
  // Answers typed ahead beyond this are refused, so that a flood cannot
  // eat the memory of the session.
  static constexpr size_t kMaxWaiting = 1000;

  // False when the queue is closed or full.
  bool push(QueuedAnswer answer);
  // The oldest answer, waiting up to `wait` for one.
  TakeResult take(QueuedAnswer& out, std::chrono::milliseconds wait);
  // No answer comes any more: a waiting take returns Closed.
  void close();
  bool closed() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<QueuedAnswer> waiting_;
  bool closed_ = false;
};

}  // namespace optgrind::standalone
