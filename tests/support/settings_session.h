// A standalone host with a temporary install root holding a copy of the
// bundled data files, in a chosen message language, with the settings
// records of the process reset.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
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

// Two forms with the same fields and labels in the same places.
inline void expectSameGrid(const FormSpec& a, const FormSpec& b) {
  ASSERT_EQ(a.fields.size(), b.fields.size());
  ASSERT_EQ(a.labels.size(), b.labels.size());
  for (size_t i = 0; i < a.fields.size(); ++i) {
    const FormField& f = a.fields[i];
    const FormField& g = b.fields[i];
    EXPECT_EQ(std::make_tuple(f.row, f.col, f.width, f.height),
              std::make_tuple(g.row, g.col, g.width, g.height))
        << "field " << i + 1;
  }
  for (size_t i = 0; i < a.labels.size(); ++i) {
    EXPECT_EQ(std::make_pair(a.labels[i].row, a.labels[i].col),
              std::make_pair(b.labels[i].row, b.labels[i].col));
  }
}

// The lines of a settings file, without their line ends (1-based: [0] is empty).
inline std::vector<std::string> settingsLines(const std::string& text) {
  std::vector<std::string> lines{""};
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace optgrind::testing
