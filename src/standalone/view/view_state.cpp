#include "standalone/view/view_state.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace optgrind::standalone {
namespace {

const char* kindName(PromptKind kind) {
  switch (kind) {
    case PromptKind::Line:
      return "line";
    case PromptKind::Point:
      return "point";
    case PromptKind::Entity:
      return "entity";
    case PromptKind::Form:
      return "form";
    case PromptKind::FormEdit:
      return "formEdit";
    case PromptKind::Box:
      return "box";
    case PromptKind::Path:
      return "path";
  }
  return "line";
}

const char* editorName(FormEditor editor) {
  switch (editor) {
    case FormEditor::Number:
      return "number";
    case FormEditor::Text:
      return "text";
    case FormEditor::List:
      return "list";
    case FormEditor::Toggle:
      return "toggle";
    case FormEditor::Check:
      return "check";
  }
  return "text";
}

// Texts from drawings and data files may hold bytes that are not UTF-8;
// the page gets a replacement character rather than no state at all.
std::string dumped(const nlohmann::json& j) {
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string promptJson(const PromptShape& shape) {
  nlohmann::json j;
  j["kind"] = kindName(shape.kind);
  j["prompt"] = shape.prompt;
  if (shape.kind == PromptKind::Form || shape.kind == PromptKind::FormEdit) {
    nlohmann::json form;
    form["title"] = shape.form.title;
    form["rows"] = shape.form.rows;
    form["cols"] = shape.form.cols;
    form["labels"] = nlohmann::json::array();
    for (const FormLabel& l : shape.form.labels)
      form["labels"].push_back({{"row", l.row}, {"col", l.col}, {"text", l.text}});
    form["fields"] = nlohmann::json::array();
    for (const FormField& f : shape.form.fields) {
      form["fields"].push_back(
          {{"row", f.row}, {"col", f.col}, {"width", f.width}, {"height", f.height}, {"caption", f.caption}});
    }
    j["form"] = form;
  }
  if (shape.kind == PromptKind::FormEdit) {
    j["field"] = shape.field;
    j["editor"] = editorName(shape.editor);
    j["value"] = shape.value;
  }
  j["choices"] = shape.choices;
  j["title"] = shape.title;
  j["text"] = shape.text;
  return dumped(j);
}

void ViewState::changed() {
  ++version_;
  changed_.notify_all();
}

void ViewState::appendTranscript(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  transcript_ += text;
  if (transcript_.size() > kMaxTranscriptBytes) {
    size_t drop = transcript_.size() - kMaxTranscriptBytes;
    transcript_.erase(0, drop);
    transcriptBase_ += static_cast<long long>(drop);
  }
  changed();
}

void ViewState::publishDrawing(std::string svg) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (svg == svg_) return;
  svg_ = std::move(svg);
  ++drawingVersion_;
  changed();
}

void ViewState::publishPrompt(const PromptShape& shape) {
  std::string json = promptJson(shape);
  std::lock_guard<std::mutex> lock(mutex_);
  promptJson_ = std::move(json);
  changed();
}

void ViewState::closePrompt() {
  std::lock_guard<std::mutex> lock(mutex_);
  promptJson_.clear();
  changed();
}

void ViewState::endSession() {
  std::lock_guard<std::mutex> lock(mutex_);
  ended_ = true;
  changed();
}

std::string ViewState::drawing() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return svg_;
}

ViewSnapshot ViewState::waitForChange(long long seenVersion, long long from,
                                      std::chrono::milliseconds wait) const {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, wait, [&] { return ended_ || version_ != seenVersion; });
  ViewSnapshot s;
  s.version = version_;
  long long end = transcriptBase_ + static_cast<long long>(transcript_.size());
  s.transcriptStart = std::clamp(from, transcriptBase_, end);
  s.transcript = transcript_.substr(static_cast<size_t>(s.transcriptStart - transcriptBase_));
  s.transcriptEnd = end;
  s.drawingVersion = drawingVersion_;
  s.promptJson = promptJson_;
  s.ended = ended_;
  return s;
}

}  // namespace optgrind::standalone
