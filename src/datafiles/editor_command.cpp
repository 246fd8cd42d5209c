#include "datafiles/editor_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "datafiles/data_files.h"
#include "datafiles/file_lookup.h"

namespace optgrind {
namespace {

constexpr const char* kWindowsProgramSuffix = ".exe";

bool isProgram(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// The suite's own copy of the editor under the install root.
std::string findInProgramFolder(Host& host, const std::string& name) {
  std::string folder = installRoot(host) + "/" + kProgramFolder + "/";
  for (const std::string& candidate : {name, name + kWindowsProgramSuffix}) {
    std::string found = findFileIgnoringCase(folder + candidate);
    if (isProgram(found)) return found;
  }
  return std::string();
}

}  // namespace

std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (name.empty() || hasDirectory(name) || !path) return std::string();
  std::string list = path;
  size_t from = 0;
  while (from <= list.size()) {
    size_t to = list.find(':', from);
    if (to == std::string::npos) to = list.size();
    std::string folder = list.substr(from, to - from);
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
    if (isProgram(candidate)) return candidate;
    from = to + 1;
  }
  return std::string();
}

std::vector<std::string> editorCommand(Host& host, const std::string& editor, const std::string& file) {
  if (hasDirectory(editor)) return {editor, file};
  if (!editor.empty()) {
    std::string program = findInProgramFolder(host, editor);
    if (program.empty()) program = findOnPath(editor);
    if (!program.empty()) return {program, file};
  }
  std::string opener = findOnPath(kDesktopOpener);
  if (opener.empty()) return {};
  return {opener, file};
}

}  // namespace optgrind
