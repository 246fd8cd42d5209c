// One DXF record (from its "0" group to the next) as the group pairs that
// the parser passed on, for the values the parser itself does not deliver.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/host_types.h"

namespace optgrind::standalone {

struct RawPair {
  int code = 0;
  std::string value;
};

class RawRecord {
 public:
  // Empties the record, keeping its storage for the next one.
  void reset(long long line, const std::string& section);
  void add(int code, const std::string& value);

  const RawPair* begin() const { return pairs_.data(); }
  const RawPair* end() const { return pairs_.data() + size_; }
  std::size_t size() const { return size_; }
  const RawPair& operator[](std::size_t i) const { return pairs_[i]; }

  std::string_view type() const { return size_ ? std::string_view(pairs_[0].value) : std::string_view(); }
  long long line() const { return line_; }  // line of the record's "0" group
  const std::string& section() const { return section_; }

  // The first value of a code, or the default when the code is absent.
  const std::string* find(int code) const;
  bool has(int code) const { return find(code) != nullptr; }
  std::string text(int code, const std::string& fallback) const;
  double real(int code, double fallback) const;
  long long integer(int code, long long fallback) const;
  Point3 point(int xCode) const;  // xCode, xCode + 10, xCode + 20

 private:
  std::vector<RawPair> pairs_;
  std::size_t size_ = 0;
  long long line_ = 0;
  std::string section_;
};

// Values of group pairs [first, last) as result buffers, in file order: reals,
// integers and strings by their code's kind; a point's X code takes its Y and
// Z codes (+10, +20) along.
ResBufList groupsToResBufs(const RawPair* first, const RawPair* last);

// The extended data of a record: everything from its first 1001 group on.
ResBufList extendedData(const RawRecord& record);

}  // namespace optgrind::standalone
