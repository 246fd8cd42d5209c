#include "standalone/console/answers.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace optgrind::standalone {

std::string trimmed(const std::string& text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = text.find_last_not_of(" \t");
  return text.substr(b, e - b + 1);
}

bool parseNumberAnswer(const std::string& text, double& out) {
  std::string t = trimmed(text);
  if (t.empty()) return false;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0' || v != v) return false;
  out = v;
  return true;
}

bool parsePointAnswer(const std::string& text, const Point3& last, Point3& out) {
  std::string s = trimmed(text);
  bool relative = !s.empty() && s[0] == '@';
  if (relative) s.erase(0, 1);
  double v[3] = {0, 0, 0};
  int n = 0;
  std::stringstream ss(s);
  std::string part;
  while (std::getline(ss, part, ',')) {
    if (n == 3 || !parseNumberAnswer(part, v[n])) return false;
    ++n;
  }
  if (n < 2 || (!s.empty() && s.back() == ',')) return false;
  out = relative ? Point3{last.x + v[0], last.y + v[1], last.z + v[2]} : Point3{v[0], v[1], v[2]};
  return true;
}

std::vector<std::string> splitWords(const std::string& text) {
  std::vector<std::string> words;
  std::stringstream ss(text);
  std::string w;
  while (ss >> w) words.push_back(w);
  return words;
}

std::vector<std::string> commandWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : line) {
    bool blank = c == ' ' || c == '\t';
    if (blank && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    if (c == '"') quoted = !quoted;
    word += c;
    inWord = true;
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string foldedName(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  return out;
}

namespace {

bool isLowerLetter(char c) { return std::islower(static_cast<unsigned char>(c)) != 0; }

// The short form of a keyword: its capitals (all of it when it has none).
std::string shortForm(const std::string& keyword) {
  std::string s;
  for (char c : keyword) {
    if (!isLowerLetter(c)) s += c;
  }
  return s.empty() ? keyword : s;
}

// How many leading characters of the keyword must be typed when it is
// typed from its start: up to its last capital.
size_t leadingNeeded(const std::string& keyword) {
  size_t needed = 1;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (!isLowerLetter(keyword[i])) needed = i + 1;
  }
  return needed;
}

}  // namespace

std::string matchKeyword(const std::string& answer, const std::string& keywords) {
  std::string typed = foldedName(answer);
  if (typed.empty()) return std::string();
  std::string found;
  int matches = 0;
  for (const std::string& keyword : splitWords(keywords)) {
    std::string folded = foldedName(keyword);
    if (typed == folded) return keyword;
    bool isShort = typed == foldedName(shortForm(keyword));
    bool isLeading = typed.size() >= leadingNeeded(keyword) && folded.compare(0, typed.size(), typed) == 0;
    if (isShort || isLeading) {
      found = keyword;
      ++matches;
    }
  }
  return matches == 1 ? found : std::string();
}

}  // namespace optgrind::standalone
