// What the session shows, published by the session thread for the page:
// the transcript, the drawing as SVG and the open prompt. The server reads
// it under the same lock and never touches the session itself.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "standalone/console/prompt_shape.h"

namespace optgrind::standalone {

struct ViewSnapshot {
  long long version = 0;          // passes every change of what follows
  long long transcriptStart = 0;  // offset of `transcript` in the whole transcript
  std::string transcript;
  long long transcriptEnd = 0;
  long long drawingVersion = 0;
  std::string promptJson;
  bool ended = false;
};

class ViewState {
 public:
  // The transcript keeps this much of its end; a page that falls further
  // behind starts again from what is kept.
  static constexpr size_t kMaxTranscriptBytes = 1 << 20;

  void appendTranscript(const std::string& text);
  // A new picture of the drawing; nothing changes when it is the same.
  void publishDrawing(std::string svg);
  void publishPrompt(const PromptShape& shape);
  // No prompt is open: the session works on an answer.
  void closePrompt();
  // The session is over: waiting pages are answered at once.
  void endSession();

  std::string drawing() const;
  // The state once it has changed past seenVersion, or after `wait`; the
  // transcript from offset `from` on.
  ViewSnapshot waitForChange(long long seenVersion, long long from, std::chrono::milliseconds wait) const;

 private:
  void changed();

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  long long version_ = 1;
  std::string transcript_;
  long long transcriptBase_ = 0;
  std::string svg_;
  long long drawingVersion_ = 0;
  std::string promptJson_;
  bool ended_ = false;
};

// The prompt as the page reads it (JSON).
std::string promptJson(const PromptShape& shape);

}  // namespace optgrind::standalone
