#include "standalone/dxf/dxf_lines.h"

#include <cstring>
#include <string_view>

namespace optgrind::standalone {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

DxfLineSource::Result DxfLineSource::next(std::string& line, std::size_t limit) {
  line.clear();
  bool any = false;
  while (true) {
    if (pos_ == len_) {
      len_ = std::fread(buf_, 1, sizeof buf_, f_);
      pos_ = 0;
      if (len_ == 0) return any ? Result::Line : Result::End;
    }
    any = true;
    const char* start = buf_ + pos_;
    const char* newline = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
    std::size_t take = newline ? static_cast<std::size_t>(newline - start) : len_ - pos_;
    if (std::memchr(start, '\0', take)) return Result::Nul;
    // Room for a trailing CR, which is not part of the line.
    if (limit != 0 && line.size() + take > limit + 1) return Result::TooLong;
    line.append(start, take);
    pos_ += take + (newline ? 1 : 0);
    consumed_ += static_cast<long long>(take + (newline ? 1 : 0));
    if (newline) break;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (limit != 0 && line.size() > limit) return Result::TooLong;
  if (first_) {
    first_ = false;
    if (std::string_view(line).substr(0, kUtf8Bom.size()) == kUtf8Bom) line.erase(0, kUtf8Bom.size());
  }
  return Result::Line;
}

}  // namespace optgrind::standalone
