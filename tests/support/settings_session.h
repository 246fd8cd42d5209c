// A standalone host with a temporary install root holding a copy of the
// bundled data files, in a chosen message language, with the settings
// records of the process reset.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "host/messages.h"
#include "post/post_state.h"
#include "settings/mis_set.h"
#include "settings/opt_settings.h"
#include "support/temp_root.h"

namespace optgrind::testing {

struct SettingsSession {
  explicit SettingsSession(const std::string& answers, int language = 2, bool bundled = true) : env(answers) {
    if (bundled) {
      std::filesystem::copy(
          std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind/DAT", env.dataDir(),
          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    }
    writeFile(env.dataFile("mis_set.set"), misSetWithLanguage(language));
    optSettings() = OptSettings{};
    choiceLists() = ChoiceLists{};
    misSet() = MisSettings{};
    useMisSetLanguage();
    resetPostState();
  }
  ~SettingsSession() {
    setLanguageProvider(nullptr);
    optSettings() = OptSettings{};
    choiceLists() = ChoiceLists{};
    resetPostState();
  }
  Host& host() { return env.host; }
  std::string output() const { return env.out.str(); }
  std::string dataFile(const std::string& name) const { return env.dataFile(name); }
  bool has(const std::string& text) const { return output().find(text) != std::string::npos; }

  HostWithRoot env;
};

// Two forms with the same fields and labels in the same places: each field
// as {row, col, width, height}, then each label as {row, col, -1, -1}.
inline void expectSameGrid(const FormSpec& a, const FormSpec& b) {
  auto grid = [](const FormSpec& form) {
    std::vector<std::array<int, 4>> cells;
    for (const FormField& f : form.fields) cells.push_back({f.row, f.col, f.width, f.height});
    for (const FormLabel& l : form.labels) cells.push_back({l.row, l.col, -1, -1});
    return cells;
  };
  EXPECT_EQ(grid(a), grid(b));
}

// The lines of a settings file, without their line ends (1-based: [0] is empty).
inline std::vector<std::string> settingsLines(const std::string& text) {
  std::vector<std::string> lines{""};
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace optgrind::testing
