#include "datafiles/settings_line_file.h"

#include <cctype>
#include <cstdlib>

#include "host/utf8.h"

namespace optgrind {
namespace {

// One line without its line end; false at the end of the file.
bool readLine(std::FILE* file, std::string& line) {
  line.clear();
  int c = std::fgetc(file);
  if (c == EOF) return false;
  size_t chars = 0;
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    if (c == '\r') continue;
    bool startsChar = (c & 0xC0) != 0x80;
    if (startsChar) ++chars;
    if (chars <= kSettingsLineChars) line.push_back(static_cast<char>(c));
  }
  return true;
}

// The leading number of text as the platform's lenient conversions read it:
// blanks, a sign, digits, a fraction and an exponent; anything else ends it.
// Hexadecimal, "inf" and "nan" are not numbers here.
std::string numberPrefix(const std::string& text, bool allowFraction) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  auto digits = [&] {
    size_t from = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i > from;
  };
  bool any = digits();
  if (allowFraction) {
    if (i < text.size() && text[i] == '.') {
      ++i;
      any = digits() || any;
    }
    if (any && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
      size_t mark = i++;
      if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
      if (!digits()) i = mark;
    }
  }
  return any ? text.substr(start, i - start) : std::string();
}

}  // namespace

bool readSettingsInt(std::FILE* file, int& value) {
  std::string line;
  if (!readLine(file, line)) return false;
  std::string number = numberPrefix(line, false);
  long long v = number.empty() ? 0 : std::strtoll(number.c_str(), nullptr, 10);
  value = (v < -kSettingsIntLimit || v > kSettingsIntLimit) ? 0 : static_cast<int>(v);
  return true;
}

bool readSettingsDouble(std::FILE* file, double& value) {
  std::string line;
  if (!readLine(file, line)) return false;
  std::string number = numberPrefix(line, true);
  double v = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
  value = (v < kSettingsReadLow || v > kSettingsReadHigh) ? 0.0 : v;
  return true;
}

bool readSettingsString(std::FILE* file, std::string& value) {
  std::string line;
  if (!readLine(file, line)) return false;
  value = line;
  return true;
}

void writeSettingsInt(std::string& out, int value) { out += std::to_string(value) + "\r\n"; }

void writeSettingsDouble(std::string& out, double& value) {
  if (!(value >= kSettingsWriteLow && value <= kSettingsWriteHigh)) value = 0.0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f\r\n", value);
  out += buf;
}

void writeSettingsString(std::string& out, std::string& value) {
  std::string kept;
  for (char c : value) {
    if (c != '\n' && c != '\r') kept.push_back(c);
  }
  value = kept;
  out += value + "\r\n";
}

}  // namespace optgrind
