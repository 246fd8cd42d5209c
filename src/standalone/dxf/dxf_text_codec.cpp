#include "standalone/dxf/dxf_text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/utf8.h"

namespace optgrind::standalone {
namespace {

// The first version that stores text as UTF-8 (AutoCAD 2007).
constexpr std::string_view kFirstUtf8Version = "AC1021";
constexpr std::size_t kEscapeDigits = 4;
constexpr char32_t kReplacement = 0xFFFD;

bool isAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// \U+XXXX sequences as the characters they name.
void decodeUnicodeEscapes(std::string& s) {
  if (s.find("\\U+") == std::string::npos && s.find("\\u+") == std::string::npos) return;
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == '\\' && i + 2 + kEscapeDigits < s.size() + 1 && (s[i + 1] == 'U' || s[i + 1] == 'u') &&
        s[i + 2] == '+') {
      char32_t cp = 0;
      bool ok = i + 3 + kEscapeDigits <= s.size();
      for (std::size_t k = 0; ok && k < kEscapeDigits; ++k) {
        int d = hexDigit(s[i + 3 + k]);
        ok = d >= 0;
        cp = cp * 16 + static_cast<char32_t>(d < 0 ? 0 : d);
      }
      if (ok) {
        appendUtf8(out, cp);
        i += 3 + kEscapeDigits;
        continue;
      }
    }
    out += s[i++];
  }
  s = std::move(out);
}

// One UTF-8 character at s[i]; advances i. Bad bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
  if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) {
    ++i;
    return extra == 0 ? c : kReplacement;
  }
  char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

std::string codePageCharset(std::string_view page) {
  std::string u = upperAscii(std::string(page));
  for (std::string_view prefix : {"ANSI_", "DOS"}) {
    if (u.rfind(prefix, 0) == 0 && u.size() > prefix.size()) {
      std::string number = u.substr(prefix.size());
      if (number.find_first_not_of("0123456789") != std::string::npos) return {};
      return "CP" + number;
    }
  }
  if (u == "UTF-8" || u == "UTF8") return "UTF-8";
  return {};
}

struct DxfTextDecoder::Converter {
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

DxfTextDecoder::DxfTextDecoder() { open(); }
DxfTextDecoder::~DxfTextDecoder() = default;

void DxfTextDecoder::setVersion(std::string_view acadVer) {
  utf8_ = upperAscii(std::string(acadVer)) >= kFirstUtf8Version;
}

void DxfTextDecoder::setCodePage(std::string_view page) {
  std::string charset = codePageCharset(page);
  if (charset.empty() || charset == charset_) return;
  charset_ = charset;
  open();
  if (conv_->cd == reinterpret_cast<iconv_t>(-1)) {
    charset_ = "CP1252";
    open();
  }
}

void DxfTextDecoder::open() {
  conv_ = std::make_unique<Converter>();
  conv_->cd = iconv_open("UTF-8", charset_.c_str());
}

void DxfTextDecoder::decode(std::string& value) {
  if (!isAscii(value) && !utf8_ && charset_ != "UTF-8" && conv_->cd != reinterpret_cast<iconv_t>(-1)) {
    std::string out(value.size() * 4 + 4, '\0');
    char* in = value.data();
    std::size_t inLeft = value.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    iconv(conv_->cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
      if (iconv(conv_->cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
      // A byte the code page does not define: keep the text readable.
      if (outLeft < 3) break;
      std::string bad;
      appendUtf8(bad, kReplacement);
      for (char c : bad) *dst++ = c;
      outLeft -= bad.size();
      ++in;
      --inLeft;
    }
    out.resize(out.size() - outLeft);
    value = std::move(out);
  }
  decodeUnicodeEscapes(value);
}

namespace {

constexpr std::string_view kDefaultCodePage = "ANSI_1252";

// The \U+XXXX spelling of a character; those beyond the basic plane have no
// four-digit spelling and are written as the replacement character.
std::string unicodeEscape(char32_t cp) {
  char piece[16];
  std::snprintf(piece, sizeof piece, "\\U+%04X", static_cast<unsigned>(cp > 0xFFFF ? kReplacement : cp));
  return piece;
}

}  // namespace

struct DxfTextEncoder::Converter {
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

DxfTextEncoder::DxfTextEncoder(std::string_view dwgCodePage) : conv_(std::make_unique<Converter>()) {
  std::string charset = codePageCharset(dwgCodePage);
  if (!charset.empty() && charset != "UTF-8") conv_->cd = iconv_open(charset.c_str(), "UTF-8");
  if (conv_->cd != reinterpret_cast<iconv_t>(-1)) {
    codePage_ = std::string(dwgCodePage);
  } else {
    codePage_ = std::string(kDefaultCodePage);
    conv_->cd = iconv_open("CP1252", "UTF-8");
  }
}

DxfTextEncoder::~DxfTextEncoder() = default;

std::string DxfTextEncoder::encode(std::string_view s, std::size_t limit, std::size_t* consumed) const {
  if (isAscii(s)) {
    std::size_t n = std::min(s.size(), limit);
    if (consumed) *consumed = n;
    return std::string(s.substr(0, n));
  }
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t start = i;
    char32_t cp = nextCodePoint(s, i);
    std::string piece;
    if (cp < 0x80) {
      piece = std::string(1, static_cast<char>(cp));
    } else if (conv_->cd != reinterpret_cast<iconv_t>(-1) && cp != kReplacement) {
      std::string one(s.substr(start, i - start));
      char in[8];
      char bytes[8];
      std::copy(one.begin(), one.end(), in);
      char* src = in;
      std::size_t inLeft = one.size();
      char* dst = bytes;
      std::size_t outLeft = sizeof bytes;
      iconv(conv_->cd, nullptr, nullptr, nullptr, nullptr);
      bool ok =
          iconv(conv_->cd, &src, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
      piece = ok ? std::string(bytes, sizeof bytes - outLeft) : unicodeEscape(cp);
    } else {
      piece = unicodeEscape(cp);
    }
    if (out.size() + piece.size() > limit) {
      i = start;
      break;
    }
    out += piece;
  }
  if (consumed) *consumed = i;
  return out;
}

}  // namespace optgrind::standalone
