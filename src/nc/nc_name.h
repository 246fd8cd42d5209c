// The NC file's full name: from the chosen tool row, or proposed from the
// drawing's name and settled in the NC File Name Setting form.
//
// Names follow POSIX: "/" separates folders, and "\" is taken as one too,
// so names written on the original platform still split; a name "has a
// directory" when it holds "/", "\" or ":". The extension of a name is
// what follows the first "." after its last separator, so dotted folders
// ("v1.2", ".local") stay whole.
#pragma once

#include <string>

#include "datafiles/file_lookup.h"
#include "host/host.h"
#include "settings/opt_settings.h"

namespace optgrind {

inline constexpr const char* kNcExtension = ".NC";
inline constexpr const char* kDefaultNcName = "OPT";
// A directory shorter than this is no directory.
constexpr size_t kShortestNcDirectory = 2;
// The variable of the post language that chooses the extension of the
// overwrite test.
constexpr int kVarNcExtensionKind = 70;

// Results of settling the name.
constexpr int kNcNameSettled = 1;
constexpr int kNcNameCancelled = -1;

bool isDirectorySeparator(char c);
// The directory part with its last separator ("" without one).
std::string directoryOf(const std::string& name);
// The part after the last separator.
std::string fileNameOf(const std::string& name);
// The name without its extension (from the first "." of its file part on).
std::string withoutExtension(const std::string& name);
// dir and name with one "/" between them; an empty dir gives name.
std::string joinDirectory(const std::string& dir, const std::string& name);
// The drawing's file name upper-cased, without ".DWG", ".DXF" and ".DWT",
// followed by ".NC"; "OPT.NC" for a drawing without a name.
std::string ncNameOfDrawing(const std::string& drawingName);
// The extension that the overwrite test adds by variable 70.
const char* overwriteTestExtension(int kind);
// The NC file of a full name the form accepted.
std::string ncFileOfAccepted(const std::string& accepted);

// The NC file of tool row `row` (1 to 5), with the diagnostic lines.
std::string ncFileOfToolRow(Host& host, const OptSettings& settings, int row);
// The proposal of the form (no tool row), with its warnings.
std::string proposedNcName(Host& host, const OptSettings& settings);
// The NC File Name Setting form over a proposal; kNcNameSettled with the
// accepted full name, or kNcNameCancelled.
int runNcNameForm(Host& host, const std::string& proposal, std::string& accepted);
// The NC file of the run: from the tool row of settings.Sel_row, or through
// the form. kNcNameSettled or kNcNameCancelled.
int settleNcFile(Host& host, const OptSettings& settings, std::string& ncFile);

}  // namespace optgrind
