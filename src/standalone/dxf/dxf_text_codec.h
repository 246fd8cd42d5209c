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

// Turns the drawing's UTF-8 into the code page a written file declares,
// with \U+XXXX for the characters the code page lacks.
class DxfTextEncoder {
 public:
  // The code page of a $DWGCODEPAGE value; one iconv does not know, or
  // none, is Windows-1252 ("ANSI_1252").
  explicit DxfTextEncoder(std::string_view dwgCodePage);
  ~DxfTextEncoder();
  DxfTextEncoder(const DxfTextEncoder&) = delete;
  DxfTextEncoder& operator=(const DxfTextEncoder&) = delete;

  // The $DWGCODEPAGE value the file is to declare.
  const std::string& codePage() const { return codePage_; }

  // The text in the code page, cut before the character that would make it
  // longer than `limit` bytes; `consumed` (when given) tells how many bytes
  // of the text went in.
  std::string encode(std::string_view utf8, std::size_t limit, std::size_t* consumed = nullptr) const;

 private:
  struct Converter;
  std::unique_ptr<Converter> conv_;
  std::string codePage_;
};

}  // namespace optgrind::standalone
