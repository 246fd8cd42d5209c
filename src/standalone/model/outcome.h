// Outcome: the one result of every standalone-host operation that can fail.
// Success, or a message for the user with the place it concerns (a file and
// a line, when there is one). The system's own functions keep their integer
// result codes; this type stays inside the standalone host.
#pragma once

#include <string>
#include <utility>

namespace optgrind::standalone {

struct Outcome {
  bool ok = true;
  std::string message;  // why it failed, for the user; empty on success
  std::string file;     // the file concerned, or empty
  int line = 0;         // the line in that file (from 1), or 0

  static Outcome success() { return Outcome{}; }
  static Outcome failure(std::string message, std::string file = std::string(), int line = 0) {
    return Outcome{false, std::move(message), std::move(file), line};
  }
  explicit operator bool() const { return ok; }

  // "FILE:LINE: message", "FILE: message" or the message alone.
  std::string where() const {
    std::string text;
    if (!file.empty()) text += file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
    return text + message;
  }
};

}  // namespace optgrind::standalone
