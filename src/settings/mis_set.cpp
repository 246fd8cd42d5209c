#include "settings/mis_set.h"

#include "datafiles/data_files.h"
#include "datafiles/settings_line_file.h"
#include "host/messages.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

MisSettings g_misSet;

enum class LineType { Int, Double, String };

// The type of each line and, for strings, the characters kept.
struct LineLayout {
  LineType type;
  size_t maxChars;
};

LineLayout layoutOf(int line) {
  auto in = [line](int from, int to) { return line >= from && line <= to; };
  if (in(8, 13) || in(38, 39) || line == 64) return {LineType::String, 20};
  if (line == 20) return {LineType::String, 80};
  if (line == 2 || in(5, 6) || line == 14 || line == 17 || line == 19 || in(51, 54) || line == 56 ||
      line == 59) {
    return {LineType::Double, 0};
  }
  return {LineType::Int, 0};
}

constexpr const char* kFileName = "mis_set.set";
// Line 1 at or above this marks a file of another layout: treated as missing.
constexpr int kForeignLayoutMark = 6;
// A note text scale ratio at or below this reads as 1.
constexpr double kSmallestNoteRatio = 0.01;

const MessageText kCannotSave = {
    "(save_mis)無法開啟資料檔 (mis_set.set) !",
    "(save_mis)无法打开数据文件 (mis_set.set) !",
    "(save_mis)Can't open the data file (mis_set.set) !",
};

int intoRange(int value, int low, int high, int otherwise) {
  return (value < low || value > high) ? otherwise : value;
}

void applyMissingDefaults(MisSettings& m) {
  for (int line = 8; line <= 13; ++line) m.strings[line].clear();
  m.strings[64].clear();
  m.doubles[14] = 0.0;
  m.doubles[17] = 0.0;
  for (int line : {15, 16, 18, 23}) m.ints[line] = 0;
}

void applyRanges(MisSettings& m) {
  auto& i = m.ints;
  i[1] = intoRange(i[1], 0, 5, 0);
  m.doubles[2] = (m.doubles[2] < 0.0 || m.doubles[2] > 20.0) ? 0.0 : m.doubles[2];
  for (int line : {3, 4, 7, 23, 60}) i[line] = intoRange(i[line], 0, 1, 0);
  for (int line : {15, 16, 18, 28, 29}) i[line] = intoRange(i[line], 0, 2, 0);
  for (int line : {24, 25}) i[line] = intoRange(i[line], 0, 5, 0);
  i[30] = intoRange(i[30], -3, 256, 0);
  if (i[57] > 4) i[57] = 2;
  if (m.doubles[59] <= kSmallestNoteRatio) m.doubles[59] = 1.0;
  i[61] = intoRange(i[61], -4, 256, i[26]);
}

std::string fileName(Host& host, const std::string& path) {
  return path.empty() ? dataDirectory(host) + "/" + kFileName : path;
}

}  // namespace

MisSettings& misSet() { return g_misSet; }

int loadMisSet(Host& host, const std::string& path) {
  MisSettings& m = g_misSet;
  std::FILE* f = openDataFile(host, fileName(host, path), "rb");
  bool read = false;
  if (f) {
    if (readSettingsInt(f, m.ints[1]) && m.ints[1] < kForeignLayoutMark) {
      read = true;
      for (int line = 2; line <= kMisSetLines; ++line) {
        LineLayout layout = layoutOf(line);
        bool more = true;
        if (layout.type == LineType::Int) {
          more = readSettingsInt(f, m.ints[line]);
        } else if (layout.type == LineType::Double) {
          more = readSettingsDouble(f, m.doubles[line]);
        } else if ((more = readSettingsString(f, m.strings[line]))) {
          m.strings[line] = utf8Cut(m.strings[line], layout.maxChars);
        }
        if (!more) break;  // a file that ends early keeps the later values
      }
    }
    std::fclose(f);
  }
  if (!read) applyMissingDefaults(m);
  applyRanges(m);
  return read ? 1 : 0;
}

int reloadMisSet(Host& host) { return loadMisSet(host); }

namespace {
int misSetLanguage(Host& host) {
  reloadMisSet(host);
  return misSet().language();
}
}  // namespace

void useMisSetLanguage() { setLanguageProvider(misSetLanguage); }

int saveMisSet(Host& host, const std::string& path) {
  MisSettings& m = g_misSet;
  std::string text;
  for (int line = 1; line <= kMisSetLines; ++line) {
    switch (layoutOf(line).type) {
      case LineType::Int:
        writeSettingsInt(text, m.ints[line]);
        break;
      case LineType::Double:
        writeSettingsDouble(text, m.doubles[line]);
        break;
      case LineType::String:
        writeSettingsString(text, m.strings[line]);
        break;
    }
  }
  if (saveDataFile(host, fileName(host, path), text)) return 1;
  host.messageBox("mis_set.set", chooseText(host, kCannotSave), {"OK"}, BoxIcon::Stop);
  return 0;
}

}  // namespace optgrind
