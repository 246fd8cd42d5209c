// Line-by-line reading of an ASCII DXF file through a fixed buffer, shared by
// the check and the reader so that both see the same lines.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace optgrind::standalone {

// The longest name or string value a DXF line may hold, without its CR/LF.
constexpr std::size_t kMaxDxfLineBytes = 2049;
// Group codes whose values may be of any length (long text of fields and
// other objects).
constexpr bool isUnboundedTextCode(int code) { return code >= 300 && code <= 309; }

// The DOS end-of-file byte that DOS-era programs appended after EOF.
constexpr char kDosEndOfFile = '\x1A';

class DxfLineSource {
 public:
  explicit DxfLineSource(FILE* f) : f_(f) {}

  enum class Result { Line, End, TooLong, Nul };

  // The next line without its line break (and CR); `limit` bounds its bytes
  // (0: no bound). A UTF-8 byte-order mark in front of the first line is
  // dropped.
  Result next(std::string& line, std::size_t limit = kMaxDxfLineBytes);

  long long consumed() const { return consumed_; }

 private:
  FILE* f_;
  char buf_[1 << 16];
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  long long consumed_ = 0;
  bool first_ = true;
};

}  // namespace optgrind::standalone
