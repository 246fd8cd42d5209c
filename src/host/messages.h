// Messages in three languages, chosen by the language setting, and the
// small warning boxes.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// One message: the same text in Traditional Chinese, Simplified Chinese and
// English, each a printf format taking the same arguments in the same order.
struct MessageText {
  const char* traditional;
  const char* simplified;
  const char* english;
};

// The languages, as the language setting numbers them.
constexpr int kLangTraditional = 0;
constexpr int kLangSimplified = 1;
constexpr int kLangEnglish = 2;

// Answers the language setting, read again for every message. The settings
// layer installs it at load; until then (and with null) every message is
// Traditional Chinese, the language a missing setting means.
using LanguageProvider = int (*)(Host& host);
void setLanguageProvider(LanguageProvider provider);

// The language of the next message: the provider's answer, any value other
// than the three languages counting as Traditional Chinese.
int currentLanguage(Host& host);
bool isLanguage0(Host& host);
bool isLanguage1(Host& host);

// The text of the current language (the settings file is read again).
const char* chooseText(Host& host, const MessageText& message);
// The text of the current language, formatted with the arguments.
std::string formatMessage(Host& host, const MessageText& message, ...);
// Formats the message in the current language and prints it.
void printMessage(Host& host, const MessageText& message, ...);

// Two beeps, then a box with " ** WARNING! ** " and three lines; 1 for Yes.
int yesNoWarning(Host& host, const std::string& line1, const std::string& line2, const std::string& line3);
// Two beeps, then a box with two lines and " Continue ? "; 1 for OK, 0 for Quit.
int continueOrQuit(Host& host, const std::string& line1, const std::string& line2);
// Two beeps, then an information box with two texts and an OK button.
void informationBox(Host& host, const std::string& text1, const std::string& text2);

}  // namespace optgrind
