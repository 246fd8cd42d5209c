#include "nc/nc_editor.h"

#include <unistd.h>

#include <cstdlib>

#include "datafiles/data_files.h"
#include "nc/nc_name.h"

namespace optgrind {
namespace {

bool isProgram(const std::string& path) { return !path.empty() && access(path.c_str(), X_OK) == 0; }

// The program of that name on PATH, or "" when none.
std::string onSearchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::string();
  std::string list = path;
  size_t from = 0;
  while (from <= list.size()) {
    size_t to = list.find(':', from);
    if (to == std::string::npos) to = list.size();
    std::string dir = list.substr(from, to - from);
    if (!dir.empty() && isProgram(dir + "/" + name)) return dir + "/" + name;
    from = to + 1;
  }
  return std::string();
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> editorCommand(Host& host, const std::string& editor, const std::string& ncFile) {
  std::string name = trimmed(editor);
  if (name.empty()) {
    std::string opener = onSearchPath(kDesktopOpener);
    if (opener.empty()) return {};
    return {opener, ncFile};
  }
  if (hasDirectory(name)) return {name, ncFile};
  std::string programDir = installRoot(host) + "/program/";
  for (const std::string& candidate : {programDir + name, programDir + name + ".exe"}) {
    if (isProgram(candidate)) return {candidate, ncFile};
  }
  std::string found = onSearchPath(name);
  return {found.empty() ? name : found, ncFile};
}

std::string shellCommandLine(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) {
    if (!line.empty()) line += ' ';
    line += '\'';
    for (char c : arg) {
      if (c == '\'') {
        line += "'\\''";
      } else {
        line += c;
      }
    }
    line += '\'';
  }
  return line;
}

void openInNcEditor(Host& host, const std::string& editor, const std::string& ncFile) {
  std::vector<std::string> args = editorCommand(host, editor, ncFile);
  if (args.empty()) return;
  std::string line = shellCommandLine(args);
  host.acutPrintf("\n" + line + "\n");
  host.startProgram(line);
}

}  // namespace optgrind
