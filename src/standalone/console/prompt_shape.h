// What the open prompt takes, so that a view of the session can offer the
// matching control: a click on the drawing, a form, a box's buttons.
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"
#include "standalone/console/answer_queue.h"

namespace optgrind::standalone {

enum class PromptKind {
  Line,      // any typed answer
  Point,     // a point, or a typed answer
  Entity,    // a point that picks what lies under the pick box
  Form,      // a field of the form to click
  FormEdit,  // the new value of one field of the form
  Box,       // a button of a message box
  Path,      // a file or folder name
};

struct PromptShape {
  PromptKind kind = PromptKind::Line;
  std::string prompt;
  // Form and FormEdit: the form; FormEdit: the field (from 1) and its editor.
  FormSpec form;
  int field = 0;
  FormEditor editor = FormEditor::Text;
  // FormEdit: the value shown and a list's entries; Box: the buttons.
  std::string value;
  std::vector<std::string> choices;
  // Box: its title and text; Path: the dialog's title.
  std::string title;
  std::string text;
};

inline PromptShape promptOfKind(PromptKind kind) {
  PromptShape shape;
  shape.kind = kind;
  return shape;
}

// Told by the console what the session shows and takes; the calls come on
// the session's thread.
class ConsoleObserver {
 public:
  virtual ~ConsoleObserver() = default;
  // The prompt is shown and waits for an answer.
  virtual void promptOpened(const PromptShape& shape) = 0;
  // The prompt took its answer (a line with its line end); shownWhereTyped:
  // the terminal showed it as it was typed, the console did not echo it.
  virtual void answerTaken(const std::string& line, bool shownWhereTyped) = 0;
  // A picked answer's view: the session's pick box follows it.
  virtual void answerView(const AnswerView& view) = 0;
};

}  // namespace optgrind::standalone
