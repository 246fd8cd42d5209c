// Text in DXF files: files before AutoCAD 2007 hold text in the code page
// their $DWGCODEPAGE names, later ones in UTF-8; both may spell a character
// as \U+XXXX. The drawing holds UTF-8 throughout.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace optgrind::standalone {

// The iconv name of a $DWGCODEPAGE value ("ANSI_936" -> "CP936"); empty
// when the value names no code page iconv knows by that scheme.
std::string codePageCharset(std::string_view dwgCodePage);

// Turns a file's text values into UTF-8.
class DxfTextDecoder {
 public:
  DxfTextDecoder();
  ~DxfTextDecoder();
  DxfTextDecoder(const DxfTextDecoder&) = delete;
  DxfTextDecoder& operator=(const DxfTextDecoder&) = delete;

  // The file's version ($ACADVER) and code page ($DWGCODEPAGE), as the
  // header gives them; until then text is taken as Windows-1252, the code
  // page of files that name none.
  void setVersion(std::string_view acadVer);
  void setCodePage(std::string_view dwgCodePage);

  // The value in UTF-8, with \U+XXXX spelt out. Plain ASCII comes back as is.
  void decode(std::string& value);

 private:
  void open();
  struct Converter;
  std::unique_ptr<Converter> conv_;
  bool utf8_ = false;
  std::string charset_ = "CP1252";
};

// The text with every character outside ASCII written as \U+XXXX, which
// every reader takes whatever code page the file declares; a text longer
// than `limit` bytes once written is cut before the character that would
// pass it.
std::string escapeNonAscii(std::string_view utf8, std::size_t limit);

}  // namespace optgrind::standalone
