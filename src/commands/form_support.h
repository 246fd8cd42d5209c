// Small helpers of the settings forms: building a form on its character
// grid, formatting values into captions, and the value editors of a field.
#pragma once

#include <string>

#include "host/host.h"
#include "host/messages.h"

namespace optgrind {

// printf into a string.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The text of one language (0, 1 or 2; anything else counts as 0).
const char* textIn(int language, const MessageText& message);

void addLabel(FormSpec& form, int row, int col, const std::string& text);
// Adds a field and answers its number (from 1).
int addField(FormSpec& form, int row, int col, int width, const std::string& caption, int height = 1);
// The caption of a field by its number.
void setCaption(FormSpec& form, int field, const std::string& caption);

// A numeric entry over the field, showing value ("%g"). On Enter the text
// is read as a decimal number (text that is not a number gives 0) and
// stored in value. False when the entry was cancelled (value unchanged).
bool editNumber(Host& host, const FormSpec& form, int field, double& value);
// A text entry over the field, showing text. On Enter text is the answer
// (possibly empty). False when the entry was cancelled (text unchanged).
bool editText(Host& host, const FormSpec& form, int field, std::string& text);

// A text entry seeded with `previous`; an empty answer gives `previous`
// back. False when the entry was cancelled.
bool editTextOrKeep(Host& host, const FormSpec& form, int field, const std::string& previous,
                    std::string& answer);

// A warning box with the text and an OK button, in the current language.
void warningWithOk(Host& host, const std::string& text);

// The text with every blank removed.
std::string withoutBlanks(const std::string& text);

}  // namespace optgrind
