// An output stream buffer that writes through to another (the terminal) and
// keeps a copy in the view's transcript, so both show the same session.
#pragma once

#include <streambuf>

#include "standalone/view/view_state.h"

namespace optgrind::standalone {

class TranscriptTee : public std::streambuf {
 public:
  TranscriptTee(std::streambuf& terminal, ViewState& state) : terminal_(terminal), state_(state) {}

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override { return terminal_.pubsync(); }

 private:
  std::streambuf& terminal_;
  ViewState& state_;
};

}  // namespace optgrind::standalone
