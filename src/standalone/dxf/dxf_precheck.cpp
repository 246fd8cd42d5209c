#include "standalone/dxf/dxf_precheck.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "standalone/dxf/dxf_groups.h"
#include "standalone/dxf/dxf_lines.h"

namespace optgrind::standalone {
namespace {

// A declared count needs at least one group per item, and the smallest
// group ("10\n0\n") takes this many bytes.
constexpr long long kMinBytesPerDeclaredItem = 5;
// The binary DXF sentinel's text part.
constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
// How much of an offending line a message quotes.
constexpr std::size_t kQuoteChars = 24;
constexpr int kLayerCode = 8;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

std::string quote(const std::string& text) {
  std::string out;
  for (char c : text.substr(0, kQuoteChars)) {
    unsigned char u = static_cast<unsigned char>(c);
    out += (u < 0x20 || u >= 0x7f) ? '?' : c;
  }
  if (text.size() > kQuoteChars) out += "...";
  return "'" + out + "'";
}

bool isBlank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// Groups whose value says how many items follow and which the parser
// allocates (and clears) memory for as soon as it reads them.
bool isAllocatingCount(const std::string& recordType, int code) {
  if (recordType == "LWPOLYLINE") return code == 90;
  if (recordType == "SPLINE") return code == 72 || code == 73 || code == 74;
  if (recordType == "LEADER") return code == 76;
  return false;
}

// A count group seen in the current record.
struct DeclaredCount {
  int code = 0;
  long long count = 0;
  long long line = 0;
  long long offset = 0;  // bytes consumed up to the end of its value
};

class Checker {
 public:
  explicit Checker(const std::string& path) : path_(path) {}

  std::string run(DxfLineSource& src, DxfCensus& census) {
    std::string codeLine;
    std::string value;
    while (true) {
      const long long groupStart = src.consumed();
      DxfLineSource::Result r = src.next(codeLine);
      ++line_;
      if (r == DxfLineSource::Result::End) break;
      if (r != DxfLineSource::Result::Line) return lineFault(r);
      if (sawEof_) {
        if (!codeLine.empty() && codeLine[0] == kDosEndOfFile) break;
        if (isBlank(codeLine)) continue;
        return at(line_, "data after the EOF marker");
      }
      long long code = 0;
      if (!parseGroupInt(codeLine, code)) return at(line_, "expected a group code, found " + quote(codeLine));
      if (code < kMinGroupCode || code > kMaxGroupCode) {
        return at(line_, "group code " + std::to_string(code) + " is out of range");
      }
      r = src.next(value, isUnboundedTextCode(static_cast<int>(code)) ? 0 : kMaxDxfLineBytes);
      ++line_;
      if (r == DxfLineSource::Result::End) return at(line_ - 1, "the file ends inside a group (truncated)");
      if (r != DxfLineSource::Result::Line) return lineFault(r);
      std::string fault = checkValue(static_cast<int>(code), value);
      if (fault.empty()) fault = checkStructure(static_cast<int>(code), value, groupStart, census);
      if (!fault.empty()) return fault.rfind(path_, 0) == 0 ? fault : at(line_, fault);
      fault = checkCount(static_cast<int>(code), value, src.consumed());
      if (!fault.empty()) return at(line_, fault);
    }
    if (!sawEof_) {
      std::string where = inSection_ ? " inside section " + sectionName_ : "";
      return path_ + ": the file ends" + where + " without the EOF marker (truncated?)";
    }
    return {};
  }

 private:
  std::string at(long long line, const std::string& what) const {
    return path_ + ": line " + std::to_string(line) + ": " + what;
  }

  std::string lineFault(DxfLineSource::Result r) const {
    if (r == DxfLineSource::Result::Nul) return at(line_, "contains a NUL byte (binary data?)");
    return at(line_, "line longer than " + std::to_string(kMaxDxfLineBytes) + " characters");
  }

  static std::string checkValue(int code, const std::string& value) {
    GroupKind kind = groupKind(code);
    if (kind == GroupKind::Real || kind == GroupKind::Integer) {
      double number = 0.0;
      if (!parseGroupReal(value, number)) {
        return "group " + std::to_string(code) + " needs a number, found " + quote(value);
      }
    }
    return {};
  }

  // Checks of a record that can only be made at its end: each declared
  // count must fit in the bytes the record really has, and an entity must
  // name its layer (which also bounds how many entities a file can make).
  std::string closeRecord(long long recordEnd) const {
    for (const DeclaredCount& c : counts_) {
      long long bytes = recordEnd - c.offset;
      if (c.count > bytes / kMinBytesPerDeclaredItem) {
        return at(c.line, std::to_string(c.count) + " items declared, but only " + std::to_string(bytes) +
                              " bytes follow in the record");
      }
    }
    if (inEntitySection() && isDrawingEntityType(recordType_) && !recordHasLayer_) {
      return at(recordLine_, recordType_ + " without a layer (group 8)");
    }
    return {};
  }

  bool inEntitySection() const {
    return inSection_ && (sectionName_ == "ENTITIES" || sectionName_ == "BLOCKS");
  }

  std::string checkStructure(int code, const std::string& value, long long consumedBeforeGroup,
                             DxfCensus& census) {
    if (expectSectionName_) {
      expectSectionName_ = false;
      if (code != 2) return "SECTION without a name";
      sectionName_ = value;
      return {};
    }
    if (code != 0) {
      if (code == kLayerCode) recordHasLayer_ = true;
      return {};
    }
    std::string fault = closeRecord(consumedBeforeGroup);
    if (!fault.empty()) return fault;
    recordType_ = value;
    recordLine_ = line_ - 1;
    recordHasLayer_ = false;
    counts_.clear();
    if (value == "SECTION") {
      if (inSection_) return "new SECTION while section " + sectionName_ + " is not closed";
      inSection_ = true;
      expectSectionName_ = true;
    } else if (value == "ENDSEC") {
      if (!inSection_) return "ENDSEC outside any section";
      inSection_ = false;
    } else if (value == "EOF") {
      if (inSection_) return "EOF inside section " + sectionName_ + " (ENDSEC missing)";
      sawEof_ = true;
    } else if (!inSection_) {
      return quote(value) + " outside any section";
    } else if (sectionName_ == "ENTITIES") {
      ++census.entityRecords;
    }
    return {};
  }

  std::string checkCount(int code, const std::string& value, long long consumed) {
    if (!isAllocatingCount(recordType_, code)) return {};
    long long count = groupInt(value);
    if (count < 0) return "negative count " + std::to_string(count);
    for (const DeclaredCount& c : counts_) {
      if (c.code == code) return "group " + std::to_string(code) + " is given twice in one " + recordType_;
    }
    counts_.push_back({code, count, line_, consumed});
    return {};
  }

  const std::string& path_;
  long long line_ = 0;
  bool inSection_ = false;
  bool expectSectionName_ = false;
  bool sawEof_ = false;
  std::string sectionName_;
  std::string recordType_;
  long long recordLine_ = 0;
  bool recordHasLayer_ = false;
  std::vector<DeclaredCount> counts_;
};

}  // namespace

std::string precheckDxf(const std::string& path, DxfCensus& census) {
  std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return "cannot open " + path + ": " + std::strerror(errno);
  struct stat st {};
  if (fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode)) return path + " is not a regular file";
  if (st.st_size == 0) return path + " is empty";
  census.fileBytes = static_cast<std::size_t>(st.st_size);

  char head[kBinarySentinel.size()] = {};
  std::size_t got = std::fread(head, 1, sizeof head, f.get());
  if (std::string_view(head, got) == kBinarySentinel) {
    return path + " is a binary DXF file; only ASCII DXF can be read";
  }
  std::rewind(f.get());

  auto src = std::make_unique<DxfLineSource>(f.get());
  Checker checker(path);
  return checker.run(*src, census);
}

}  // namespace optgrind::standalone
