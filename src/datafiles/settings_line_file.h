// The one-value-per-line text format of the settings files: no names, no
// comments; a line's meaning is its position. Written with CR LF, read with
// LF or CR LF.
#pragma once

#include <cstdio>
#include <string>

namespace optgrind {

// Read limits: an integer or a double outside them reads as 0.
constexpr int kSettingsIntLimit = 999999;
constexpr double kSettingsReadLow = -999999.0;
constexpr double kSettingsReadHigh = 999999.0;
// Write limits of a double: outside them it is written (and kept) as 0.
constexpr double kSettingsWriteLow = -999999.0;
constexpr double kSettingsWriteHigh = 99999999.0;
// The longest line read; the rest of a longer line is skipped.
constexpr size_t kSettingsLineChars = 256;

// Each read takes the next line; at the end of the file it returns false
// and the target keeps its value.
bool readSettingsInt(std::FILE* file, int& value);
bool readSettingsDouble(std::FILE* file, double& value);
bool readSettingsString(std::FILE* file, std::string& value);

// Each write appends one line to out. The double and the string are first
// brought into the file's rules, in memory too.
void writeSettingsInt(std::string& out, int value);
void writeSettingsDouble(std::string& out, double& value);
void writeSettingsString(std::string& out, std::string& value);

}  // namespace optgrind
