#include "app/wcf_tool.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "post/event_script.h"
#include "post/keywords.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/wcf_load.h"

namespace optgrind {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitScriptLine = 1;
constexpr int kExitUsage = 2;

constexpr const char* kWcfUsage = "usage: optgrind wcf FILE.WCF [--events EVENTS]\n";

class StreamNcSink : public NcSink {
 public:
  explicit StreamNcSink(std::ostream& out) : out_(out) {}
  void write(const std::string& text) override { out_ << text; }

 private:
  std::ostream& out_;
};

bool readWholeFile(const std::string& path, std::string& out) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;  // opens, but reads as nothing
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  out = bytes.str();
  return true;
}

// The file as named, else through the data directory's search.
bool readWcfText(Host& host, const std::string& name, std::string& out) {
  std::string bytes;
  if (readWholeFile(name, bytes)) {
    out = textModeRead(bytes);
    return true;
  }
  return readWcfFile(host, name, out) == 1;
}

int lineOf(const std::string& fileText, int offset) {
  int line = 1;
  for (int i = 0; i < offset && i < static_cast<int>(fileText.size()); ++i) {
    if (fileText[static_cast<size_t>(i)] == '\n') ++line;
  }
  return line;
}

std::string variableName(int index) {
  std::string name = std::to_string(index);
  if (index >= 1 && index <= 26)
    name = std::string(1, static_cast<char>('A' + index - 1)) + " (" + name + ")";
  return name;
}

void reportOptions(std::ostream& out) {
  const WcfOptions& o = postState().options;
  out << "Options:\n";
  bool any = false;
  for (int i = 0; i < kWcfOptionCount; ++i) {
    if (!o.flags[static_cast<size_t>(i)]) continue;
    out << "  " << wcfOptionKeyword(static_cast<WcfOption>(i)) << "\n";
    any = true;
  }
  for (const auto& [keyword, word] : o.words) {
    out << "  " << keyword << " = " << word << "\n";
    any = true;
  }
  if (o.h108Seen) {
    out << "  H108 = " << o.hCodes[0] << ", H109 = " << o.hCodes[1] << ", H110 = " << o.hCodes[2]
        << ", H120 = " << o.hCodes[3] << "\n";
    any = true;
  }
  if (!any) out << "  (none)\n";
}

void reportProgram(std::ostream& out, const std::string& fileText, const WcfProgramResult& program) {
  const PostState& s = postState();
  out << "Program: " << s.textLength << " characters from line " << lineOf(fileText, program.startOffset)
      << "\nSections:\n";
  bool any = false;
  for (const NamedCode& event : eventTable()) {
    int position = s.events[static_cast<size_t>(event.code)];
    if (position == kNoPosition) continue;
    // A shared code registers one head: name the one that stands there.
    std::string name = event.name;
    bool sameName = position >= static_cast<int>(name.size());
    for (size_t i = 0; sameName && i < name.size(); ++i) {
      char c = s.text[static_cast<size_t>(position) - name.size() + i];
      if (toLowerAscii(c) != name[i]) sameName = false;
    }
    if (!sameName) continue;
    out << "  " << event.name << " (" << event.code << ") at line "
        << lineOf(fileText, program.startOffset + position) << "\n";
    any = true;
  }
  if (!any) out << "  (none)\n";
  out << "Labels:\n";
  any = false;
  for (const LabelEntry& label : s.labels) {
    if (label.position == kNoPosition) continue;
    out << "  sub_command " << label.number << " at line "
        << lineOf(fileText, program.startOffset + label.position) << "\n";
    any = true;
  }
  if (!any) out << "  (none)\n";
}

}  // namespace

std::string describeVariableFormat(int index) {
  const PostVariable& v = postVariable(index);
  std::ostringstream words;
  if (v.letter == '!') {
    words << "no letter";
  } else {
    words << "letter " << v.letter;
  }
  if (v.showPlus) words << ", plus sign";
  if (v.integerDigits > 0)
    words << ", at least " << v.integerDigits
          << (v.integerDigits == 1 ? " integer digit" : " integer digits");
  if (v.decimalPoint) {
    words << ", decimal point, " << v.decimalPlaces << (v.decimalPlaces == 1 ? " place" : " places");
  } else {
    words << ", integer";
  }
  if (v.scaleDigits > 0) words << ", times 10^" << v.scaleDigits;
  if (v.trimZeros) words << ", trailing zeros trimmed";
  words << (v.absolute ? ", absolute" : ", incremental");
  if (v.modal) words << ", modal";
  if (v.positive) words << ", positive";
  if (v.step != 0) words << ", counts by " << v.step;
  if (v.initial != 0.0) words << ", initial value " << v.initial;
  if (v.extEps) words << ", EXT_EPS";
  if (v.intEps) words << ", INT_EPS";
  return words.str();
}

int runWcfTool(Host& host, const std::vector<std::string>& args, std::ostream& out) {
  std::string file;
  std::string events;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--events" && i + 1 < args.size()) {
      events = args[++i];
    } else if (file.empty() && args[i].rfind("--", 0) != 0) {
      file = args[i];
    } else {
      host.acutPrintf(kWcfUsage);
      return kExitUsage;
    }
  }
  if (file.empty()) {
    host.acutPrintf(kWcfUsage);
    return kExitUsage;
  }
  std::string fileText;
  if (!readWcfText(host, file, fileText)) {
    host.acutPrintf("optgrind wcf: cannot read " + file + "\n");
    return kExitUsage;
  }
  std::string script;
  if (!events.empty() && !readWholeFile(events, script)) {
    host.acutPrintf("optgrind wcf: cannot read " + events + "\n");
    return kExitUsage;
  }

  WcfScanResult scan = scanWcfSettings(host, fileText);
  WcfProgramResult program = loadWcfProgram(host, fileText);
  if (events.empty()) {
    out << "WCF file: " << file << "\n";
    reportOptions(out);
    out << "Variables:\n";
    if (scan.definedVariables.empty()) out << "  (none)\n";
    for (int index : scan.definedVariables)
      out << "  " << variableName(index) << ": " << describeVariableFormat(index) << "\n";
    reportProgram(out, fileText, program);
    return kExitOk;
  }

  StreamNcSink sink(out);
  setNcSink(&sink);
  EventScriptResult run = runEventScript(host, script);
  setNcSink(nullptr);
  out.flush();
  if (!run.valid) {
    host.acutPrintf("\noptgrind wcf: " + events + ":" + std::to_string(run.badLine) +
                    ": not understood: " + run.text + "\n");
    return kExitScriptLine;
  }
  return kExitOk;
}

int runWcfTool(Host& host, const std::vector<std::string>& args) { return runWcfTool(host, args, std::cout); }

}  // namespace optgrind
