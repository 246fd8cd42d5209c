// Group-by-group output of a DXF file through the DXF library's ASCII
// writer, with exact reals and strings that keep the file readable.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/host_types.h"

class DL_WriterA;

namespace optgrind::standalone {

// The longest string value written on one line; longer texts are cut (or,
// where the format allows, split over several groups).
constexpr std::size_t kMaxStringValueBytes = 2049;
// Chunk size of multi-line text contents and 3D solid data lines.
constexpr std::size_t kTextChunkBytes = 250;

// How much longer a text can get once its characters are escaped (one
// byte of UTF-8 at most becomes one escape of seven).
constexpr std::size_t kMaxEscapeGrowth = 7;

class DxfTextEncoder;

class DxfOut {
 public:
  // Text goes out in the code page of `dwgCodePage` (see DxfTextEncoder).
  DxfOut(const std::string& file, const std::string& dwgCodePage);
  ~DxfOut();
  DxfOut(const DxfOut&) = delete;
  DxfOut& operator=(const DxfOut&) = delete;

  bool openFailed() const;
  // The $DWGCODEPAGE value the file declares.
  const std::string& codePage() const;
  void close();

  void str(int code, std::string_view value);
  void integer(int code, long long value);
  void real(int code, double value);
  void point(int code, const Point3& p);  // code, code + 10, code + 20
  // A value kept as it came from a file, uncut where the format allows.
  void kept(int code, std::string_view value);
  void handle(int code, unsigned long value);
  // A value as its ResBuf holds it (extended data, xrecords, header).
  void resbuf(const ResBuf& rb);
  // A long text as chunks of `chunkCode` groups ended by one `lastCode` group
  // (multi-line text contents).
  void chunksEndingWith(int chunkCode, int lastCode, std::string_view text);
  // A long text as one `firstCode` group continued by `restCode` groups
  // (3D solid data lines).
  void chunksStartingWith(int firstCode, int restCode, std::string_view text);

 private:
  // The next chunk of the text, encoded: at most kTextChunkBytes bytes,
  // never cutting a character or its \U+XXXX spelling.
  std::string takeChunk(std::string_view& text) const;
  std::unique_ptr<DL_WriterA> w_;
  std::unique_ptr<DxfTextEncoder> text_;
};

// The text as one line: line breaks become blanks, and it is cut to `limit`
// bytes without splitting a UTF-8 character.
std::string oneLine(std::string_view text, std::size_t limit = kMaxStringValueBytes);

}  // namespace optgrind::standalone
