#include "standalone/dxf/dxf_raw_record.h"

#include "standalone/dxf/dxf_groups.h"

namespace optgrind::standalone {
namespace {

// Codes whose value is the X of a point followed by Y (+10) and Z (+20).
bool isPointX(int code) {
  return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || (code >= 1010 && code <= 1013);
}

}  // namespace

void RawRecord::reset(long long line, const std::string& section) {
  size_ = 0;
  line_ = line;
  section_ = section;
}

void RawRecord::add(int code, const std::string& value) {
  if (size_ < pairs_.size()) {
    pairs_[size_].code = code;
    pairs_[size_].value.assign(value);
  } else {
    pairs_.push_back({code, value});
  }
  ++size_;
}

const std::string* RawRecord::find(int code) const {
  for (const RawPair& p : *this) {
    if (p.code == code) return &p.value;
  }
  return nullptr;
}

std::string RawRecord::text(int code, const std::string& fallback) const {
  const std::string* v = find(code);
  return v ? *v : fallback;
}

double RawRecord::real(int code, double fallback) const {
  const std::string* v = find(code);
  return v ? groupReal(*v) : fallback;
}

long long RawRecord::integer(int code, long long fallback) const {
  const std::string* v = find(code);
  return v ? groupInt(*v) : fallback;
}

Point3 RawRecord::point(int xCode) const {
  return {real(xCode, 0.0), real(xCode + 10, 0.0), real(xCode + 20, 0.0)};
}

ResBufList groupsToResBufs(const RawPair* first, const RawPair* last) {
  ResBufList out;
  out.reserve(static_cast<std::size_t>(last - first));  // a point takes two or three groups
  for (const RawPair* p = first; p != last; ++p) {
    switch (groupKind(p->code)) {
      case GroupKind::Real:
        if (isPointX(p->code)) {
          const int xCode = p->code;
          Point3 pt{groupReal(p->value), 0.0, 0.0};
          if (p + 1 != last && p[1].code == xCode + 10) {
            pt.y = groupReal((++p)->value);
            if (p + 1 != last && p[1].code == xCode + 20) pt.z = groupReal((++p)->value);
          }
          out.push_back(ResBuf::ofPoint(xCode, pt));
        } else {
          out.push_back(ResBuf::ofReal(p->code, groupReal(p->value)));
        }
        break;
      case GroupKind::Integer:
        out.push_back(ResBuf::ofInt(p->code, groupInt(p->value)));
        break;
      default:
        out.push_back(ResBuf::ofString(p->code, p->value));
        break;
    }
  }
  return out;
}

ResBufList extendedData(const RawRecord& record) {
  const RawPair* first = record.begin();
  while (first != record.end() && first->code != kXDataApplicationCode) ++first;
  return groupsToResBufs(first, record.end());
}

}  // namespace optgrind::standalone
