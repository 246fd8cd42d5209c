#include "standalone/dxf/dxf_out.h"

#include <dl_writer_ascii.h>

#include <algorithm>
#include <limits>

#include "standalone/dxf/dxf_groups.h"
#include "standalone/dxf/dxf_lines.h"
#include "standalone/dxf/dxf_text_codec.h"

namespace optgrind::standalone {
namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The largest cut at or below `limit` that does not split a UTF-8 character.
std::size_t utf8Cut(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t cut = limit;
  while (cut > 0 && isContinuationByte(text[cut])) --cut;
  return cut;
}

}  // namespace

std::string oneLine(std::string_view text, std::size_t limit) {
  std::string out(text.substr(0, utf8Cut(text, limit)));
  for (char& c : out) {
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  }
  return out;
}

DxfOut::DxfOut(const std::string& file, const std::string& dwgCodePage)
    : w_(std::make_unique<DL_WriterA>(file.c_str(), DL_Codes::AC1015)),
      text_(std::make_unique<DxfTextEncoder>(dwgCodePage)) {}

DxfOut::~DxfOut() = default;

bool DxfOut::openFailed() const { return w_->openFailed(); }

const std::string& DxfOut::codePage() const { return text_->codePage(); }

void DxfOut::close() { w_->close(); }

void DxfOut::str(int code, std::string_view value) {
  w_->dxfString(code, text_->encode(oneLine(value), kMaxDxfLineBytes));
}

void DxfOut::kept(int code, std::string_view value) {
  std::size_t limit = isUnboundedTextCode(code) ? value.size() * kMaxEscapeGrowth : kMaxDxfLineBytes;
  w_->dxfString(code, text_->encode(oneLine(value, value.size()), limit));
}

void DxfOut::integer(int code, long long value) {
  if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()) {
    w_->dxfInt(code, static_cast<int>(value));
  } else {
    w_->dxfString(code, std::to_string(value));
  }
}

// The library's own real output overflows its buffer on large values and
// rounds small ones, so reals go out as exact text.
void DxfOut::real(int code, double value) { w_->dxfString(code, formatGroupReal(value)); }

void DxfOut::point(int code, const Point3& p) {
  real(code, p.x);
  real(code + 10, p.y);
  real(code + 20, p.z);
}

void DxfOut::handle(int code, unsigned long value) { w_->dxfHex(code, static_cast<int>(value)); }

void DxfOut::resbuf(const ResBuf& rb) {
  if (rb.isPoint()) {
    point(rb.code, rb.asPoint());
  } else if (rb.isReal()) {
    real(rb.code, rb.asReal());
  } else if (rb.isInt()) {
    integer(rb.code, rb.asInt());
  } else if (rb.isString()) {
    str(rb.code, rb.asString());
  }
}

std::string DxfOut::takeChunk(std::string_view& text) const {
  std::size_t used = 0;
  std::string chunk = text_->encode(text, kTextChunkBytes, &used);
  if (used == 0 && !text.empty()) used = 1;  // no character fits: never loop on it
  text.remove_prefix(used);
  return chunk;
}

void DxfOut::chunksEndingWith(int chunkCode, int lastCode, std::string_view original) {
  std::string flat = oneLine(original, original.size());
  std::string_view rest = flat;
  std::string chunk = takeChunk(rest);
  while (!rest.empty()) {
    w_->dxfString(chunkCode, chunk);
    chunk = takeChunk(rest);
  }
  w_->dxfString(lastCode, chunk);
}

void DxfOut::chunksStartingWith(int firstCode, int restCode, std::string_view original) {
  std::string flat = oneLine(original, original.size());
  std::string_view text = flat;
  w_->dxfString(firstCode, takeChunk(text));
  while (!text.empty()) w_->dxfString(restCode, takeChunk(text));
}

}  // namespace optgrind::standalone
