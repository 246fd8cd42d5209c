#include "host/messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace optgrind {
namespace {

std::string vformat(const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n <= 0) return std::string();
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), fmt, args);
  return std::string(buf.data(), static_cast<size_t>(n));
}

int noLanguageSetting(Host&) { return kLangTraditional; }

LanguageProvider g_languageProvider = noLanguageSetting;

}  // namespace

void setLanguageProvider(LanguageProvider provider) {
  g_languageProvider = provider ? provider : noLanguageSetting;
}

int currentLanguage(Host& host) {
  int language = g_languageProvider(host);
  return (language == kLangSimplified || language == kLangEnglish) ? language : kLangTraditional;
}

bool isLanguage0(Host& host) { return currentLanguage(host) == kLangTraditional; }
bool isLanguage1(Host& host) { return currentLanguage(host) == kLangSimplified; }

const char* chooseText(Host& host, const MessageText& message) {
  int language = currentLanguage(host);
  if (language == kLangTraditional) return message.traditional;
  if (language == kLangSimplified) return message.simplified;
  return message.english;
}

std::string formatMessage(Host& host, const MessageText& message, ...) {
  const char* fmt = chooseText(host, message);
  va_list args;
  va_start(args, message);
  std::string text = vformat(fmt, args);
  va_end(args);
  return text;
}

void printMessage(Host& host, const MessageText& message, ...) {
  const char* fmt = chooseText(host, message);
  va_list args;
  va_start(args, message);
  std::string text = vformat(fmt, args);
  va_end(args);
  host.acutPrintf(text);
}

}  // namespace optgrind
