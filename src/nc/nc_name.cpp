#include "nc/nc_name.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "datafiles/data_files.h"
#include "host/utf8.h"
#include "nc/nc_messages.h"
#include "post/post_state.h"

namespace optgrind {
namespace {

// Field numbers of the name form, in the order they are made.
constexpr int kFieldPath = 1;
constexpr int kFieldBrowse = 2;
constexpr int kFieldName = 3;
constexpr int kFieldOk = 4;
constexpr int kFirstButton = 1;

size_t fileNameStart(const std::string& name) {
  size_t last = name.find_last_of("/\\:");
  return last == std::string::npos ? 0 : last + 1;
}

std::string hostText(Host& host, const char* name) {
  ResBuf value;
  if (host.acedGetVar(name, value) != RTNORM || !value.isString()) return std::string();
  return value.asString();
}

bool endsWithSeparator(const std::string& dir) { return !dir.empty() && isDirectorySeparator(dir.back()); }

bool fileExists(const std::string& name) {
  struct stat st {};
  return stat(name.c_str(), &st) == 0;
}

void beepTwice(Host& host) {
  host.platform().messageBeep();
  host.platform().messageBeep();
}

void warnNoSavingPath(Host& host) {
  beepTwice(host);
  printMessage(host, kMsgNoSavingPath);
  printMessage(host, kMsgAssignSavePath);
}

std::string withoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\t') out.push_back(c);
  return out;
}

struct NameForm {
  FormSpec layout;
  std::string path;
  std::string name;
};

NameForm buildNameForm(Host& host, const std::string& proposal) {
  NameForm form;
  form.path = directoryOf(proposal);
  form.name = fileNameOf(proposal);
  FormSpec& f = form.layout;
  f.title = chooseText(host, kMsgNameFormTitle);
  f.rows = 8;
  f.cols = 64;
  f.labels.push_back({1, 2, chooseText(host, kMsgPathNameLabel)});
  f.fields.push_back({1, 14, 38, 1, form.path});
  f.fields.push_back({1, 54, 8, 1, chooseText(host, kMsgBrowse)});
  f.labels.push_back({3, 2, chooseText(host, kMsgNcNameLabel)});
  f.fields.push_back({3, 14, 24, 1, form.name});
  f.fields.push_back({5, 26, 8, 1, chooseText(host, kMsgOk)});
  return form;
}

void showValues(NameForm& form) {
  form.layout.fields[kFieldPath - 1].caption = form.path;
  form.layout.fields[kFieldName - 1].caption = form.name;
}

// A text typed into a field; an empty answer or a cancel keeps the old one.
std::string editedText(Host& host, const NameForm& form, int field, const std::string& old) {
  std::string text = old;
  int index = 0;
  if (host.formEdit(form.layout, field, FormEditor::Text, {}, text, index) != RTNORM) return old;
  return text.empty() ? old : text;
}

// The overwrite question: 1 for Yes.
int askOverwrite(Host& host, const std::string& name) {
  beepTwice(host);
  std::string text = name + " " + chooseText(host, kMsgFileExists) + "\n" + chooseText(host, kMsgOverwrite);
  int chosen = host.messageBox(chooseText(host, kMsgWarningTitle), text,
                               {chooseText(host, kMsgYes), chooseText(host, kMsgNo)}, BoxIcon::Question);
  return chosen == kFirstButton ? 1 : 0;
}

// Whether the user lets the form's full name be used.
bool acceptName(Host& host, const std::string& full) {
  host.acutPrintf("\nfile_name=" + full + " \n");
  std::string tested = full;
  if (fileNameOf(full).find('.') == std::string::npos) {
    tested += overwriteTestExtension(static_cast<int>(postVariable(kVarNcExtensionKind).current));
  }
  // The file is written as ".NC" whatever the test's extension: an existing
  // file of that name is asked about too, so no run overwrites unasked.
  std::string written = ncFileOfAccepted(full);
  std::string existing = fileExists(tested) ? tested : fileExists(written) ? written : std::string();
  if (existing.empty()) return true;
  return askOverwrite(host, existing) == 1;
}

}  // namespace

bool isDirectorySeparator(char c) { return c == '/' || c == '\\'; }

std::string directoryOf(const std::string& name) { return name.substr(0, fileNameStart(name)); }

std::string fileNameOf(const std::string& name) { return name.substr(fileNameStart(name)); }

std::string withoutExtension(const std::string& name) {
  size_t dot = name.find('.', fileNameStart(name));
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string joinDirectory(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return endsWithSeparator(dir) ? dir + name : dir + "/" + name;
}

std::string ncNameOfDrawing(const std::string& drawingName) {
  std::string name = upperAscii(fileNameOf(drawingName));
  for (const char* ext : {".DWG", ".DXF", ".DWT"}) {
    size_t at;
    while ((at = name.find(ext)) != std::string::npos) name.erase(at, 4);
  }
  if (name.empty()) name = kDefaultNcName;
  return name + kNcExtension;
}

const char* overwriteTestExtension(int kind) {
  switch (kind) {
    case 1:
      return ".NCF";
    case 2:
    case 12:
      return ".ISO";
    case 3:
      return ".NC1";
    case 4:
      return "";
    case 5:
      return ".GEO";
    default:
      return kNcExtension;
  }
}

std::string ncFileOfAccepted(const std::string& accepted) {
  std::string cut = withoutExtension(accepted);
  std::string name = fileNameOf(cut);
  if (name.empty()) return std::string(kDefaultNcName) + kNcExtension;
  return directoryOf(cut) + name + kNcExtension;
}

std::string ncFileOfToolRow(Host& host, const OptSettings& settings, int row) {
  host.acutPrintf("\n 00 path_name=" + settings.NC_path + " \n");
  std::string dir = settings.NC_rule == 0 ? hostText(host, "DWGPREFIX") : settings.NC_path;
  if (dir.size() < kShortestNcDirectory) {
    warnNoSavingPath(host);
    dir = dataDirectory(host);
    host.acutPrintf("\n 00 path_name=" + dir + " \n");
  }
  std::string name = settings.tools[static_cast<size_t>(row - 1)].File_name;
  if (name.empty()) name = kDefaultNcName;
  if (hasDirectory(name)) {
    // Only the file part joins the row's directory again.
    dir = directoryOf(name);
    name = fileNameOf(name);
  }
  host.acutPrintf("\n 11 nc_path=" + dir + " nc_name=" + name + " \n");
  std::string ncFile = joinDirectory(dir, name + kNcExtension);
  host.acutPrintf("\n 22 nc_name=" + ncFile + " \n");
  return ncFile;
}

std::string proposedNcName(Host& host, const OptSettings& settings) {
  std::string proposal = ncNameOfDrawing(hostText(host, "DWGNAME"));
  if (settings.NC_rule == 1) {
    if (settings.NC_path.size() < kShortestNcDirectory) warnNoSavingPath(host);
    return joinDirectory(settings.NC_path, proposal);
  }
  return joinDirectory(hostText(host, "DWGPREFIX"), proposal);
}

int runNcNameForm(Host& host, const std::string& proposal, std::string& accepted) {
  NameForm form = buildNameForm(host, proposal);
  for (;;) {
    showValues(form);
    int clicked = host.formWait(form.layout);
    switch (clicked) {
      case kFieldPath:
        form.path = editedText(host, form, kFieldPath, form.path);
        break;
      case kFieldBrowse: {
        std::string folder;
        if (host.platform().browseForFolder(chooseText(host, kMsgSelectFolder), folder) == RTNORM &&
            !folder.empty()) {
          form.path = folder;
        }
        break;
      }
      case kFieldName:
        form.name = withoutBlanks(editedText(host, form, kFieldName, form.name));
        break;
      case kFieldOk: {
        std::string full = joinDirectory(form.path, form.name);
        if (!acceptName(host, full)) break;
        host.formClose(form.layout);
        accepted = full;
        return kNcNameSettled;
      }
      default:
        host.formClose(form.layout);
        return kNcNameCancelled;
    }
  }
}

int settleNcFile(Host& host, const OptSettings& settings, std::string& ncFile) {
  if (settings.Sel_row >= 1 && settings.Sel_row <= kToolRowCount) {
    ncFile = ncFileOfToolRow(host, settings, settings.Sel_row);
    return kNcNameSettled;
  }
  std::string accepted;
  if (runNcNameForm(host, proposedNcName(host, settings), accepted) != kNcNameSettled)
    return kNcNameCancelled;
  ncFile = ncFileOfAccepted(accepted);
  return kNcNameSettled;
}

}  // namespace optgrind
