#include "nc/finishing_pass.h"

#include <cctype>
#include <cstdio>
#include <string_view>

namespace optgrind {
namespace {

// One piece: up to 78 characters, with the line end when it follows.
bool readPiece(std::FILE* in, std::string& piece) {
  piece.clear();
  int c;
  while ((c = std::fgetc(in)) != EOF) {
    if (c == '\n') {
      piece.push_back('\n');
      return true;
    }
    piece.push_back(static_cast<char>(c));
    if (piece.size() == kFinishingPieceChars) {
      int next = std::fgetc(in);
      if (next == '\n') {
        piece.push_back('\n');
      } else if (next != EOF) {
        std::ungetc(next, in);
      }
      return true;
    }
  }
  return !piece.empty();
}

bool startsContinuation(std::string_view piece, size_t amp) {
  if (amp == 0) return true;
  unsigned char before = static_cast<unsigned char>(piece[amp - 1]);
  return !std::isprint(before);
}

std::string withoutAmpersands(std::string_view piece) {
  std::string out;
  out.reserve(piece.size());
  for (char c : piece)
    if (c != '&') out.push_back(c);
  return out;
}

// The held-line rules over a sequence of pieces.
class ContinuationJoiner {
 public:
  template <class Write>
  void add(std::string_view piece, Write&& write) {
    size_t amp = piece.find('&');
    if (amp != std::string_view::npos && startsContinuation(piece, amp)) {
      if (!held_.empty() && held_.back() == '\n') held_.pop_back();
      held_ += withoutAmpersands(piece);
      return;
    }
    write(held_);
    held_ = amp == std::string_view::npos ? std::string(piece) : withoutAmpersands(piece);
  }
  template <class Write>
  void finish(Write&& write) {
    write(held_);
    held_.clear();
  }

 private:
  std::string held_;
};

}  // namespace

int dropShortLines(std::FILE* from, std::FILE* to) {
  if (from == nullptr || to == nullptr) return 0;
  std::string piece;
  while (readPiece(from, piece)) {
    if (piece.size() >= 2) std::fwrite(piece.data(), 1, piece.size(), to);
  }
  return std::ferror(from) || std::ferror(to) ? 0 : 1;
}

int joinContinuations(std::FILE* from, std::FILE* to) {
  if (from == nullptr || to == nullptr) return 0;
  auto write = [to](const std::string& s) { std::fwrite(s.data(), 1, s.size(), to); };
  ContinuationJoiner joiner;
  std::string piece;
  while (readPiece(from, piece)) joiner.add(piece, write);
  joiner.finish(write);
  return std::ferror(from) || std::ferror(to) ? 0 : 1;
}

std::string finishNcText(const std::string& text) {
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  std::FILE* middle = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::string result;
  if (text.empty()) {
    // fmemopen refuses an empty buffer.
  } else if (in && middle && out && dropShortLines(in, middle)) {
    std::rewind(middle);
    if (joinContinuations(middle, out)) {
      std::rewind(out);
      char buf[4096];
      size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, out)) > 0) result.append(buf, n);
    }
  }
  for (std::FILE* f : {in, middle, out})
    if (f) std::fclose(f);
  return result;
}

int runFinishingPass(const std::string& ncFile, const std::string& scratch) {
  std::FILE* nc = std::fopen(ncFile.c_str(), "rb");
  std::FILE* tmp = std::fopen(scratch.c_str(), "wb");
  int ok = dropShortLines(nc, tmp);
  if (nc) std::fclose(nc);
  if (tmp && std::fclose(tmp) != 0) ok = 0;
  if (ok) {
    tmp = std::fopen(scratch.c_str(), "rb");
    nc = std::fopen(ncFile.c_str(), "wb");
    ok = joinContinuations(tmp, nc);
    if (tmp) std::fclose(tmp);
    if (nc && std::fclose(nc) != 0) ok = 0;
  }
  std::remove(scratch.c_str());
  return ok;
}

}  // namespace optgrind
