// "mis_set.set": the settings file this system shares with the other
// programs of its suite. Seventy-two values, one per line; this system uses
// five of them and writes the others back as read.
#pragma once

#include <array>
#include <string>

#include "host/host.h"

namespace optgrind {

constexpr int kMisSetLines = 72;

// Values by line number (1 to 72); each line uses the slot of its type.
struct MisSettings {
  std::array<int, kMisSetLines + 1> ints{};
  std::array<double, kMisSetLines + 1> doubles{};
  std::array<std::string, kMisSetLines + 1> strings{};

  int language() const { return ints[28]; }             // 0 Traditional, 1 Simplified, 2 English
  int noteTextColor() const { return ints[26]; }        // colour of the tool table texts
  int tableFrameColor() const { return ints[27]; }      // colour of the tool table frame
  double noteTextRatio() const { return doubles[59]; }  // note text scale ratio
  int noteColor() const { return ints[61]; }            // colour shown by the note text height step
};

// The values in memory: the last load, or all zero before any.
MisSettings& misSet();

// Loads "mis_set.set" from the data directory, or from path when given.
// A missing file (or one whose line 1 is 6 or more) resets a few values to
// their defaults and keeps the rest. Returns 1 when the file was read.
int loadMisSet(Host& host, const std::string& path = std::string());
// The language test's load: the same, every time a message is chosen.
int reloadMisSet(Host& host);
// Makes every message choose its language by line 28, read again each time.
void useMisSetLanguage();
// Writes the 72 lines. When the file cannot be written a stop box says so
// and nothing is written. Returns 1 when written.
int saveMisSet(Host& host, const std::string& path = std::string());

}  // namespace optgrind
