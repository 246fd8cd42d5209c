#include "commands/global_setting_fields.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "commands/form_support.h"
#include "datafiles/data_files.h"
#include "datafiles/file_lookup.h"
#include "host/messages.h"
#include "host/utf8.h"
#include "post/wcf_load.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

const MessageText kPostFileMissing = {
    "找不到後處理檔 <%s>/或不在系統目錄<%s/DAT> ",
    "找不到后处理档 <%s>/或不在系统目录<%s/DAT> ",
    "Cann't Find the Post file <%s>/or It's not in the System Directory<%s/DAT> ",
};
const MessageText kSelectPostFile = {"請選擇後處理設定檔", "请选择后处理设定档",
                                     "Please Select The Post Configure File"};
const MessageText kNcPathTitle = {"   NC 路徑    : ", "   NC 路径    : ", "   NC Path    : "};
const MessageText kPathHasBlank = {
    "\n  所選路徑不可含空白字元 !!　",
    "\n  所选路径不可含空白字符 !!　",
    "\n  The select Path Can't have Space TCHAR. !!　",
};
const MessageText kPathErrorTitle = {"路徑錯誤!! ", "路径错误!! ", "Path Error!! "};
const MessageText kNoSuchPath = {"無此路徑  !!　", "无此路径  !!　", "No this Path  !!　"};
const MessageText kCreateIt = {"是否建立? ", "是否建立? ", "Create it? "};
const MessageText kYes = {"是", "是", "Yes"};
const MessageText kNo = {"否 ", "否 ", "No "};

constexpr const char* kPostExtension = ".WCF";
constexpr const char* kPostFileFilter = "WCF";
constexpr int kPostFileDialogFlags = 2;
// The name the second normalisation gives an empty post file name.
constexpr const char* kDefaultPostBase = "NUVEX";
constexpr const char* kProbeFile = "1.tmm";

std::string cutAtFirstDot(const std::string& text) { return text.substr(0, text.find('.')); }

bool isSeparator(char c) { return c == '/' || c == '\\'; }

const std::string& captionOf(const FormSpec& form, int field) {
  return form.fields[static_cast<size_t>(field - 1)].caption;
}

// The post file in the data directory, by the file part of its name in any
// letter case.
bool postFileFound(Host& host, const std::string& name) {
  std::string full;
  return host.acedFindFile(existingNameOr(dataDirectory(host) + "/" + filePartOf(name)), full) == RTNORM;
}

void reportMissingPostFile(Host& host, const std::string& name) {
  std::string text = formatMessage(host, kPostFileMissing, name.c_str(), installRoot(host).c_str());
  warningWithOk(host, text);
}

std::string postNameCut(const std::string& name) { return utf8Cut(name, kPcfNameCapacity - 1); }

bool pathExists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

}  // namespace

std::string postFileName(const std::string& text) {
  return cutAtFirstDot(withoutBlanks(text)) + kPostExtension;
}

std::string filePartOf(const std::string& name) {
  size_t i = name.size();
  while (i > 0 && !isSeparator(name[i - 1])) --i;
  return name.substr(i);
}

std::string editTypedPostFile(Host& host, const FormSpec& form, int field) {
  OptSettings& s = optSettings();
  std::string previous = s.pcf_name;
  std::string answer;
  if (!editTextOrKeep(host, form, field, previous, answer)) return captionOf(form, field);
  std::string name = postFileName(answer);
  if (postFileFound(host, name)) {
    host.acutPrintf("\npcf_name OK!!");
  } else {
    reportMissingPostFile(host, name);
    name = previous;
  }
  s.pcf_name = postNameCut(name);
  wcfSettingsScan(host, s.pcf_name);
  std::string shown = s.pcf_name;
  // The name that NC output uses: a bare base name with ".WCF"; the field
  // keeps the text shown above.
  std::string base =
      withoutBlanks(s.pcf_name).empty() ? kDefaultPostBase : filePartOf(cutAtFirstDot(s.pcf_name));
  s.pcf_name = postNameCut(base + kPostExtension);
  wcfSettingsScan(host, s.pcf_name);
  return shown;
}

std::string browsePostFile(Host& host, const FormSpec& form, int field) {
  OptSettings& s = optSettings();
  std::string previous = s.pcf_name;
  std::string answer;
  if (host.acedGetFileD(chooseText(host, kSelectPostFile), s.pcf_name, kPostFileFilter, kPostFileDialogFlags,
                        answer) != RTNORM) {
    answer.clear();
  }
  if (answer.empty()) answer = previous;
  std::string name = postFileName(answer);
  if (postFileFound(host, name)) {
    host.acutPrintf(formatted("\npcf_name OK!! pcf_name=%s \n", name.c_str()));
  } else {
    reportMissingPostFile(host, name);
    name = previous;
  }
  name = postNameCut(filePartOf(name));
  if (!wcfSettingsScan(host, name).valid) {
    s.pcf_name = previous;
    return captionOf(form, field);
  }
  s.pcf_name = name;
  return name;
}

std::string editTypedNcPath(Host& host, const FormSpec& form, int field) {
  OptSettings& s = optSettings();
  std::string previous = s.NC_path;
  std::string answer;
  if (!editTextOrKeep(host, form, field, previous, answer)) return captionOf(form, field);
  std::string path = utf8Cut(answer, kNcPathCapacity - 1);
  // An empty path names no directory: there is nothing to find or create.
  if (!path.empty() && !pathExists(path)) {
    std::string probe = path + (isSeparator(path.back()) ? "" : "/") + kProbeFile;
    if (std::FILE* f = std::fopen(probe.c_str(), "w")) {
      std::fclose(f);  // the probe file stays
    } else if (askCreatePath(host)) {
      ::mkdir(path.c_str(), 0777);  // one level; a failure is not reported
    } else {
      path = previous;
    }
  }
  s.NC_path = path;
  return path;
}

std::string browseNcPath(Host& host) {
  OptSettings& s = optSettings();
  std::string answer;
  if (host.browseForFolder(chooseText(host, kNcPathTitle), answer) == RTNORM) {
    if (answer.find(' ') != std::string::npos) {
      informationBox(host, chooseText(host, kPathHasBlank), " ");
    } else {
      s.NC_path = utf8Cut(answer, kNcPathCapacity - 1);
    }
  }
  return s.NC_path;
}

bool askCreatePath(Host& host) {
  int language = currentLanguage(host);
  FormSpec form;
  form.title = textIn(language, kPathErrorTitle);
  form.rows = 10;
  form.cols = 52;
  addLabel(form, 3, 6, textIn(language, kNoSuchPath));
  addLabel(form, 7, 6, textIn(language, kCreateIt));
  int yes = addField(form, 7, 38, 6, textIn(language, kYes), 2);
  addField(form, 7, 45, 6, textIn(language, kNo), 2);
  int clicked = host.formWait(form);
  host.formClose(form);
  return clicked == yes;
}

}  // namespace optgrind
