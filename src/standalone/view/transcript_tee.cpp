#include "standalone/view/transcript_tee.h"

#include <string>

namespace optgrind::standalone {

TranscriptTee::int_type TranscriptTee::overflow(int_type ch) {
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  char c = traits_type::to_char_type(ch);
  xsputn(&c, 1);
  return ch;
}

std::streamsize TranscriptTee::xsputn(const char* s, std::streamsize n) {
  state_.appendTranscript(std::string(s, static_cast<size_t>(n)));
  // The terminal may be gone (a closed pipe); the page still gets it all.
  terminal_.sputn(s, n);
  return n;
}

}  // namespace optgrind::standalone
