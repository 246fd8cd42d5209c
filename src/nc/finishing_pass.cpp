#include "nc/finishing_pass.h"

#include <cctype>
#include <cstring>

namespace optgrind {
namespace {

// The text goes through the pass, and into the file, in blocks of about
// these sizes.
constexpr size_t kInputBlock = 1 << 14;
constexpr size_t kOutputBlock = 1 << 16;

bool startsContinuation(std::string_view piece, size_t amp) {
  if (amp == 0) return true;
  unsigned char before = static_cast<unsigned char>(piece[amp - 1]);
  return !std::isprint(before);
}

}  // namespace

void NcFinisher::add(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (pieceFull_) {
      // A full piece takes its line end along when it follows at once.
      pieceFull_ = false;
      if (text[i] == '\n') {
        piece_.push_back('\n');
        ++i;
      }
      completePiece(piece_);
      piece_.clear();
      continue;
    }
    size_t avail = std::min(kFinishingPieceChars - piece_.size(), text.size() - i);
    const char* start = text.data() + i;
    const char* nl = static_cast<const char*>(std::memchr(start, '\n', avail));
    if (nl != nullptr) {
      size_t length = static_cast<size_t>(nl - start) + 1;
      if (piece_.empty()) {
        completePiece({start, length});
      } else {
        piece_.append(start, length);
        completePiece(piece_);
        piece_.clear();
      }
      i += length;
      continue;
    }
    piece_.append(start, avail);
    i += avail;
    pieceFull_ = piece_.size() == kFinishingPieceChars;
  }
}

void NcFinisher::finish() {
  if (!piece_.empty()) completePiece(piece_);
  piece_.clear();
  pieceFull_ = false;
  if (pendingLineEnd_) out_.push_back('\n');
  pendingLineEnd_ = false;
}

// The held line is what was written, and its line end when one is pending:
// a continuation takes the line end away and goes on the same line.
void NcFinisher::completePiece(std::string_view piece) {
  if (piece.size() < 2) return;
  size_t amp = piece.find('&');
  if (amp != std::string_view::npos && startsContinuation(piece, amp)) {
    pendingLineEnd_ = false;
  } else if (pendingLineEnd_) {
    out_.push_back('\n');
  }
  emitBody(piece, amp != std::string_view::npos);
}

void NcFinisher::emitBody(std::string_view piece, bool dropAmpersands) {
  pendingLineEnd_ = piece.back() == '\n';
  if (pendingLineEnd_) piece.remove_suffix(1);
  if (!dropAmpersands) {
    out_.append(piece);
    return;
  }
  for (char c : piece)
    if (c != '&') out_.push_back(c);
}

void FinishingNcSink::write(const std::string& text) {
  in_ += text;
  if (in_.size() < kInputBlock) return;
  finisher_.add(in_);
  in_.clear();
  if (finisher_.output().size() >= kOutputBlock) flush();
}

int FinishingNcSink::finish() {
  finisher_.add(in_);
  in_.clear();
  finisher_.finish();
  flush();
  return file_ != nullptr && !std::ferror(file_);
}

void FinishingNcSink::flush() {
  std::string& out = finisher_.output();
  if (file_ != nullptr && !out.empty()) {
#if defined(__GLIBC__)
    // One thread writes the NC file: the stream's lock is not needed.
    fwrite_unlocked(out.data(), 1, out.size(), file_);
#else
    std::fwrite(out.data(), 1, out.size(), file_);
#endif
  }
  out.clear();
}

std::string finishNcText(const std::string& text) {
  NcFinisher finisher;
  finisher.add(text);
  finisher.finish();
  return std::move(finisher.output());
}

}  // namespace optgrind
