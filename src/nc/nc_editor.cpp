#include "nc/nc_editor.h"

#include <vector>

#include "datafiles/editor_command.h"

namespace optgrind {

void openInNcEditor(Host& host, const std::string& editor, const std::string& ncFile) {
  std::vector<std::string> argv = editorCommand(host, editor, ncFile);
  if (argv.empty()) return;
  std::string line;
  for (const std::string& arg : argv) line += (line.empty() ? "" : " ") + arg;
  host.acutPrintf("\n" + line + "\n");
  host.platform().startProgram(argv);
}

}  // namespace optgrind
