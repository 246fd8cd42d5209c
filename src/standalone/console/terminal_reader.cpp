#include "standalone/console/terminal_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace optgrind::standalone {
namespace {

// How often the reader looks whether it is to stop.
constexpr int kPollMilliseconds = 100;
// A line longer than this is cut: a runaway input must not eat the memory.
constexpr size_t kMaxLineBytes = 1 << 20;

}  // namespace

TerminalReader::TerminalReader(int fd, AnswerQueue& queue, bool shownWhereTyped)
    : fd_(fd), queue_(queue), shownWhereTyped_(shownWhereTyped), thread_([this] { run(); }) {}

TerminalReader::~TerminalReader() {
  stopping_ = true;
  thread_.join();
}

void TerminalReader::run() {
  std::string pending;
  char buf[4096];
  while (!stopping_) {
    pollfd p{fd_, POLLIN, 0};
    int ready = poll(&p, 1, kPollMilliseconds);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      if (ready < 0) return;
      continue;
    }
    ssize_t n = read(fd_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    pending.append(buf, static_cast<size_t>(n));
    size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      queue_.push({pending.substr(0, end), shownWhereTyped_, {}});
      pending.erase(0, end + 1);
    }
    if (pending.size() > kMaxLineBytes) pending.resize(kMaxLineBytes);
  }
  // The last line may lack its line end; the session goes on without input.
  if (!stopping_ && !pending.empty()) queue_.push({pending, shownWhereTyped_, {}});
}

}  // namespace optgrind::standalone
