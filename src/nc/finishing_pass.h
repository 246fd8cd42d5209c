// The finishing pass over the NC text, made as the text is written: lines
// shorter than two characters go, and a line that begins with "&" continues
// the line before it. Lines are read in pieces of at most 78 characters.
// The pass holds one piece and a bounded output buffer, never the file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "post/post_state.h"

namespace optgrind {

constexpr size_t kFinishingPieceChars = 78;

// The pass over text given in any number of parts; the finished text
// collects in output().
class NcFinisher {
 public:
  void add(std::string_view text);
  // The end of the text: the last piece and the held line's end go out.
  void finish();
  std::string& output() { return out_; }

 private:
  void completePiece(std::string_view piece);
  void emitBody(std::string_view piece, bool dropAmpersands);

  std::string piece_;            // the piece being read
  bool pieceFull_ = false;       // it is full: a line end right after it joins it
  bool pendingLineEnd_ = false;  // the held line's end, not yet written
  std::string out_;
};

// An NC sink that runs the pass into an open file. The interpreter writes
// a word at a time: the words are gathered and passed on in blocks.
class FinishingNcSink : public NcSink {
 public:
  explicit FinishingNcSink(std::FILE* file) : file_(file) {}
  void write(const std::string& text) override;
  // Ends the pass and writes what is left; 1 when every write succeeded.
  int finish();

 private:
  void flush();
  std::FILE* file_;
  std::string in_;
  NcFinisher finisher_;
};

// The pass over a text in memory, for tests and tools.
std::string finishNcText(const std::string& text);

}  // namespace optgrind
