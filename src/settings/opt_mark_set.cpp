#include "settings/opt_mark_set.h"

#include <cstdio>

#include "datafiles/data_files.h"
#include "datafiles/settings_line_file.h"

namespace optgrind {
namespace {

MarkSettings g_mark;
constexpr const char* kFileName = "opt_mark.set";

}  // namespace

MarkSettings& markSettings() { return g_mark; }

int loadOptMarkSet(Host& host) {
  std::FILE* f = openDataFile(host, kFileName, "rb");
  if (!f) return 0;
  readSettingsDouble(f, g_mark.markLength) && readSettingsDouble(f, g_mark.textHeight) &&
      readSettingsDouble(f, g_mark.shortLimit) && readSettingsInt(f, g_mark.skipHorVer);
  std::fclose(f);
  return 1;
}

std::string optMarkSetText(MarkSettings& settings) {
  std::string text;
  writeSettingsDouble(text, settings.markLength);
  writeSettingsDouble(text, settings.textHeight);
  writeSettingsDouble(text, settings.shortLimit);
  writeSettingsInt(text, settings.skipHorVer);
  return text;
}

int saveOptMarkSet(Host& host) { return saveDataFile(host, kFileName, optMarkSetText(g_mark)) ? 1 : 0; }

}  // namespace optgrind
