#include "nc/finishing_pass.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace optgrind {
namespace {

// Reads a file in pieces of up to 78 characters, each with its line end
// when the line end follows, through a block buffer.
class PieceReader {
 public:
  explicit PieceReader(std::FILE* in) : in_(in) {}
  bool next(std::string& piece) {
    piece.clear();
    while (piece.size() < kFinishingPieceChars) {
      if (!fill()) return !piece.empty();
      size_t room = kFinishingPieceChars - piece.size();
      size_t avail = std::min(room, end_ - at_);
      const char* start = buffer_ + at_;
      const char* nl = static_cast<const char*>(std::memchr(start, '\n', avail));
      if (nl != nullptr) {
        piece.append(start, static_cast<size_t>(nl - start) + 1);
        at_ += static_cast<size_t>(nl - start) + 1;
        return true;
      }
      piece.append(start, avail);
      at_ += avail;
    }
    // A full piece takes its line end along when it follows at once.
    if (fill() && buffer_[at_] == '\n') {
      piece.push_back('\n');
      ++at_;
    }
    return true;
  }

 private:
  bool fill() {
    if (at_ < end_) return true;
    at_ = 0;
    end_ = std::fread(buffer_, 1, sizeof buffer_, in_);
    return end_ > 0;
  }
  std::FILE* in_;
  char buffer_[1 << 16];
  size_t at_ = 0;
  size_t end_ = 0;
};

// One thread writes the files: the stream's lock is not needed.
void writeText(std::FILE* to, const std::string& text) {
#if defined(__GLIBC__)
  fwrite_unlocked(text.data(), 1, text.size(), to);
#else
  std::fwrite(text.data(), 1, text.size(), to);
#endif
}

// Files of the pass get a large buffer: the NC text may run to many megabytes.
constexpr size_t kPassBuffer = 1 << 20;
std::FILE* openForPass(const std::string& name, const char* mode) {
  std::FILE* file = std::fopen(name.c_str(), mode);
  if (file != nullptr) std::setvbuf(file, nullptr, _IOFBF, kPassBuffer);
  return file;
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
  auto reader = std::make_unique<PieceReader>(from);
  std::string piece;
  while (reader->next(piece)) {
    if (piece.size() >= 2) writeText(to, piece);
  }
  return std::ferror(from) || std::ferror(to) ? 0 : 1;
}

int joinContinuations(std::FILE* from, std::FILE* to) {
  if (from == nullptr || to == nullptr) return 0;
  auto write = [to](const std::string& s) { writeText(to, s); };
  ContinuationJoiner joiner;
  auto reader = std::make_unique<PieceReader>(from);
  std::string piece;
  while (reader->next(piece)) joiner.add(piece, write);
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
  std::FILE* nc = openForPass(ncFile, "rb");
  std::FILE* tmp = openForPass(scratch, "wb");
  int ok = dropShortLines(nc, tmp);
  if (nc) std::fclose(nc);
  if (tmp && std::fclose(tmp) != 0) ok = 0;
  if (ok) {
    tmp = openForPass(scratch, "rb");
    nc = openForPass(ncFile, "wb");
    ok = joinContinuations(tmp, nc);
    if (tmp) std::fclose(tmp);
    if (nc && std::fclose(nc) != 0) ok = 0;
  }
  std::remove(scratch.c_str());
  return ok;
}

}  // namespace optgrind
