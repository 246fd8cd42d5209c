#include "standalone/console/answer_queue.h"

namespace optgrind::standalone {

bool AnswerQueue::push(QueuedAnswer answer) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_ || waiting_.size() >= kMaxWaiting) return false;
    waiting_.push_back(std::move(answer));
  }
  arrived_.notify_all();
  return true;
}

TakeResult AnswerQueue::take(QueuedAnswer& out, std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  arrived_.wait_for(lock, wait, [&] { return closed_ || !waiting_.empty(); });
  if (closed_) return TakeResult::Closed;
  if (waiting_.empty()) return TakeResult::TimedOut;
  out = std::move(waiting_.front());
  waiting_.pop_front();
  return TakeResult::Taken;
}

void AnswerQueue::close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  arrived_.notify_all();
}

bool AnswerQueue::closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

}  // namespace optgrind::standalone
