#include "commands/form_support.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "post/text_util.h"

namespace optgrind {
namespace {

const MessageText kWarningTitle = {"警告", "警告", "Warning"};
const MessageText kOk = {"確定", "确定", "OK"};

}  // namespace

std::string formatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (n > 0) {
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    text.assign(buf.data(), static_cast<size_t>(n));
  }
  va_end(args);
  return text;
}

const char* textIn(int language, const MessageText& message) {
  if (language == kLangSimplified) return message.simplified;
  if (language == kLangEnglish) return message.english;
  return message.traditional;
}

void addLabel(FormSpec& form, int row, int col, const std::string& text) {
  form.labels.push_back({row, col, text});
}

int addField(FormSpec& form, int row, int col, int width, const std::string& caption, int height) {
  form.fields.push_back({row, col, width, height, caption});
  return static_cast<int>(form.fields.size());
}

void setCaption(FormSpec& form, int field, const std::string& caption) {
  if (field >= 1 && field <= static_cast<int>(form.fields.size())) {
    form.fields[static_cast<size_t>(field - 1)].caption = caption;
  }
}

bool editNumber(Host& host, const FormSpec& form, int field, double& value) {
  std::string text = formatted("%g", value);
  int index = 0;
  if (host.formEdit(form, field, FormEditor::Number, {}, text, index) != RTNORM) return false;
  value = leadingDouble(text.c_str());
  return true;
}

bool editText(Host& host, const FormSpec& form, int field, std::string& text) {
  std::string answer = text;
  int index = 0;
  if (host.formEdit(form, field, FormEditor::Text, {}, answer, index) != RTNORM) return false;
  text = answer;
  return true;
}

bool editTextOrKeep(Host& host, const FormSpec& form, int field, const std::string& previous,
                    std::string& answer) {
  answer = previous;
  if (!editText(host, form, field, answer)) return false;
  if (answer.empty()) answer = previous;
  return true;
}

void warningWithOk(Host& host, const std::string& text) {
  host.messageBox(chooseText(host, kWarningTitle), text, {chooseText(host, kOk)}, BoxIcon::Warning);
}

std::string withoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ') kept.push_back(c);
  }
  return kept;
}

}  // namespace optgrind
