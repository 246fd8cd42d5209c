// StandaloneHost: message boxes and settings forms, drawn as text. A box is
// answered with a button's caption; a form with the field to click, then
// the field's new value.
#include <algorithm>
#include <cstdio>

#include "host/utf8.h"
#include "standalone/console/answers.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {
namespace {

// Places text into a row of the character grid at a column (code points).
void place(std::vector<std::string>& row, int col, const std::string& text) {
  size_t at = static_cast<size_t>(std::max(col, 0));
  std::vector<std::string> chars;
  for (size_t i = 0; i < text.size();) {
    size_t len = 1;
    while (i + len < text.size() && (static_cast<unsigned char>(text[i + len]) & 0xC0) == 0x80) ++len;
    chars.push_back(text.substr(i, len));
    i += len;
  }
  if (row.size() < at + chars.size()) row.resize(at + chars.size(), " ");
  for (size_t i = 0; i < chars.size(); ++i) row[at + i] = chars[i];
}

std::string fieldText(const FormField& f, int number) {
  return "[" + std::to_string(number) + " " + trimmed(f.caption) + "]";
}

std::string renderForm(const FormSpec& form) {
  std::vector<std::vector<std::string>> grid(static_cast<size_t>(std::max(form.rows, 1)));
  auto rowAt = [&](int r) -> std::vector<std::string>& {
    if (r < 0) r = 0;
    if (static_cast<size_t>(r) >= grid.size()) grid.resize(static_cast<size_t>(r) + 1);
    return grid[static_cast<size_t>(r)];
  };
  for (const FormLabel& l : form.labels) place(rowAt(l.row), l.col, l.text);
  for (size_t i = 0; i < form.fields.size(); ++i) {
    const FormField& f = form.fields[i];
    place(rowAt(f.row), f.col, fieldText(f, static_cast<int>(i) + 1));
  }
  std::string out = "\n=== " + trimmed(form.title) + " ===\n";
  for (const auto& row : grid) {
    std::string line;
    for (const auto& c : row) line += c;
    size_t end = line.find_last_not_of(' ');
    out += (end == std::string::npos ? std::string() : line.substr(0, end + 1)) + "\n";
  }
  return out;
}

// The field an answer names: "#n", "row,col" where a field begins, its
// caption, or the label left of it on its row. 0 when none.
int fieldNamed(const FormSpec& form, const std::string& answer) {
  std::string text = trimmed(answer);
  int count = static_cast<int>(form.fields.size());
  if (text.size() > 1 && text[0] == '#') {
    double n = 0;
    if (parseNumberAnswer(text.substr(1), n) && n >= 1 && n <= count && n == static_cast<int>(n)) {
      return static_cast<int>(n);
    }
    return 0;
  }
  Point3 cell;
  if (parsePointAnswer(text, {}, cell)) {
    for (int i = 0; i < count; ++i) {
      const FormField& f = form.fields[static_cast<size_t>(i)];
      if (f.row == static_cast<int>(cell.x) && f.col == static_cast<int>(cell.y)) return i + 1;
    }
    return 0;
  }
  std::string key = foldedName(text);
  if (key.empty()) return 0;
  for (int i = 0; i < count; ++i) {
    if (foldedName(form.fields[static_cast<size_t>(i)].caption) == key) return i + 1;
  }
  // A label names the nearest field to its right on the same row.
  for (const FormLabel& l : form.labels) {
    if (foldedName(l.text) != key) continue;
    int best = 0;
    for (int i = 0; i < count; ++i) {
      const FormField& f = form.fields[static_cast<size_t>(i)];
      if (f.row != l.row || f.col < l.col) continue;
      if (best == 0 || f.col < form.fields[static_cast<size_t>(best - 1)].col) best = i + 1;
    }
    if (best) return best;
  }
  return 0;
}

// A choice named by its text (without case and blanks), or by its position
// from 1 written "#n". A bare number is an entry's text, never a position.
// -1 when the answer names none.
int choiceNamed(const std::vector<std::string>& choices, const std::string& answer) {
  std::string key = foldedName(answer);
  for (size_t i = 0; i < choices.size(); ++i) {
    if (foldedName(choices[i]) == key) return static_cast<int>(i);
  }
  std::string text = trimmed(answer);
  double n = 0;
  if (text.size() > 1 && text[0] == '#' && parseNumberAnswer(text.substr(1), n) && n >= 1 &&
      n <= static_cast<double>(choices.size()) && n == static_cast<int>(n)) {
    return static_cast<int>(n) - 1;
  }
  return -1;
}

}  // namespace

int StandaloneHost::messageBox(const std::string& title, const std::string& text,
                               const std::vector<std::string>& buttons, BoxIcon) {
  std::string shown = trimmed(title).empty() ? "\n+--\n" : "\n+-- " + trimmed(title) + " --\n";
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    shown += "| " + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  shown += "+--";
  for (const std::string& b : buttons) shown += " < " + trimmed(b) + " >";
  shown += "\n";
  console_.print(shown);
  std::string answer;
  PromptShape shape = promptOfKind(PromptKind::Box);
  shape.title = trimmed(title);
  shape.text = text;
  for (const std::string& b : buttons) shape.choices.push_back(trimmed(b));
  while (console_.ask("Button: ", answer, shape)) {
    std::string t = trimmed(answer);
    if (t == kCancelAnswer) return 0;
    if (t.empty()) return buttons.empty() ? 0 : 1;
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (foldedName(buttons[i]) == foldedName(t)) return static_cast<int>(i) + 1;
    }
    console_.print("No such button.\n");
  }
  return 0;
}

int StandaloneHost::formWait(const FormSpec& form) {
  console_.print(renderForm(form));
  std::string answer;
  PromptShape shape = promptOfKind(PromptKind::Form);
  shape.form = form;
  while (console_.ask("Field: ", answer, shape)) {
    std::string t = trimmed(answer);
    if (t == kCancelAnswer) return -1;
    if (t.empty()) continue;
    if (int field = fieldNamed(form, t)) return field;
    console_.print("No such field.\n");
  }
  return -1;
}

int StandaloneHost::formEdit(const FormSpec& form, int field, FormEditor editor,
                             const std::vector<std::string>& choices, std::string& text, int& index) {
  if (field < 1 || field > static_cast<int>(form.fields.size())) return RTERROR;
  std::string caption = trimmed(form.fields[static_cast<size_t>(field - 1)].caption);
  std::string prompt;
  switch (editor) {
    case FormEditor::Number:
      prompt = caption + " (number) <" + text + ">: ";
      break;
    case FormEditor::Text:
      prompt = caption + " (text) <" + text + ">: ";
      break;
    case FormEditor::Toggle:
    case FormEditor::Check:
      // A click flips a two-state field; nothing is asked.
      if (!choices.empty()) index = index == 0 ? 1 % static_cast<int>(choices.size()) : 0;
      return RTNORM;
    case FormEditor::List: {
      std::string list;
      for (size_t i = 0; i < choices.size(); ++i) {
        list += (i ? " / " : "") + ("#" + std::to_string(i + 1)) + " " + choices[i];
      }
      // The default is the field's current entry; Enter keeps it.
      bool listed = index >= 0 && static_cast<size_t>(index) < choices.size();
      prompt = caption + " [" + list + "] <" + (listed ? choices[static_cast<size_t>(index)] : text) + ">: ";
      break;
    }
  }
  std::string answer;
  PromptShape shape = promptOfKind(PromptKind::FormEdit);
  shape.form = form;
  shape.field = field;
  shape.editor = editor;
  shape.value = text;
  shape.choices = choices;
  if (editor == FormEditor::List && index >= 0 && static_cast<size_t>(index) < choices.size()) {
    shape.value = choices[static_cast<size_t>(index)];
  }
  while (console_.ask(prompt, answer, shape)) {
    std::string t = trimmed(answer);
    if (t == kCancelAnswer) return RTCAN;
    if (editor == FormEditor::Number) {
      double v = 0;
      if (t.empty()) return RTNORM;
      if (parseNumberAnswer(t, v)) {
        text = t;
        return RTNORM;
      }
      console_.print("Requires numeric value.\n");
    } else if (editor == FormEditor::Text) {
      if (t.empty()) return RTNORM;
      text = t == "\"\"" ? std::string() : answer;
      return RTNORM;
    } else {
      if (t.empty()) return RTNORM;  // Enter keeps the current entry
      int chosen = choiceNamed(choices, t);
      if (chosen >= 0) {
        index = chosen;
        return RTNORM;
      }
      console_.print("No such choice.\n");
    }
  }
  return RTCAN;
}

void StandaloneHost::formClose(const FormSpec&) {}

}  // namespace optgrind::standalone
