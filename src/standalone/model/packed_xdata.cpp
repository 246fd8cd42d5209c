#include "standalone/model/packed_xdata.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <variant>

namespace optgrind::standalone {
namespace {

// The kind byte is the index of the value's alternative in ResBuf::value.
using Value = decltype(ResBuf::value);
static_assert(std::variant_size_v<Value> == 7, "a new ResBuf kind needs its packed form");
constexpr unsigned char kIntKind = 1;
constexpr unsigned char kRealKind = 2;
constexpr unsigned char kStringKind = 3;
constexpr unsigned char kPointKind = 4;
constexpr unsigned char kNameKind = 5;
constexpr unsigned char kSetKind = 6;
static_assert(std::is_same_v<std::variant_alternative_t<kIntKind, Value>, long long> &&
              std::is_same_v<std::variant_alternative_t<kRealKind, Value>, double> &&
              std::is_same_v<std::variant_alternative_t<kStringKind, Value>, std::string> &&
              std::is_same_v<std::variant_alternative_t<kPointKind, Value>, Point3> &&
              std::is_same_v<std::variant_alternative_t<kNameKind, Value>, EntityName> &&
              std::is_same_v<std::variant_alternative_t<kSetKind, Value>, SelectionSet>);

uint64_t zigzag(long long v) {
  return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v < 0 ? -1 : 0);
}
long long unzigzag(uint64_t v) { return static_cast<long long>((v >> 1) ^ (~(v & 1) + 1)); }

// Writes the bytes, or only counts them when `out` is null, so that one
// walk sizes the block and the next fills it.
struct Sink {
  unsigned char* out = nullptr;
  std::size_t size = 0;

  void put(const void* p, std::size_t n) {
    if (out) std::memcpy(out + size, p, n);
    size += n;
  }
  void byte(unsigned char b) { put(&b, 1); }
  void varint(uint64_t v) {
    while (v >= 0x80) {
      byte(static_cast<unsigned char>(v | 0x80));
      v >>= 7;
    }
    byte(static_cast<unsigned char>(v));
  }
  void real(double v) { put(&v, sizeof v); }
};

void putItem(Sink& s, const ResBuf& item) {
  s.varint(zigzag(item.code));
  s.byte(static_cast<unsigned char>(item.value.index()));
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, long long>) {
          s.varint(zigzag(v));
        } else if constexpr (std::is_same_v<T, double>) {
          s.real(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          s.varint(v.size());
          s.put(v.data(), v.size());
        } else if constexpr (std::is_same_v<T, Point3>) {
          s.real(v.x);
          s.real(v.y);
          s.real(v.z);
        } else if constexpr (std::is_same_v<T, EntityName>) {
          s.varint(zigzag(v.a));
          s.varint(zigzag(v.b));
        } else if constexpr (std::is_same_v<T, SelectionSet>) {
          s.varint(zigzag(v.id));
        }
      },
      item.value);
}

// Reads what Sink wrote; every read stops at the end of the block.
struct Source {
  const unsigned char* at = nullptr;
  const unsigned char* end = nullptr;

  uint64_t varint() {
    uint64_t v = 0;
    for (int shift = 0; at < end && shift < 64; shift += 7) {
      unsigned char b = *at++;
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) break;
    }
    return v;
  }
  unsigned char byte() { return at < end ? *at++ : 0; }
  double real() {
    double v = 0.0;
    if (end - at >= static_cast<std::ptrdiff_t>(sizeof v)) std::memcpy(&v, at, sizeof v);
    at += std::min<std::ptrdiff_t>(end - at, sizeof v);
    return v;
  }
  std::string_view text() {
    std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(varint(), static_cast<uint64_t>(end - at)));
    std::string_view s(reinterpret_cast<const char*>(at), n);
    at += n;
    return s;
  }
};

// The body of a block: after its length, up to its end.
Source bodyOf(const unsigned char* block) {
  Source s{block, block + 10};  // the length varint, at most 10 bytes
  uint64_t length = s.varint();
  return Source{s.at, s.at + length};
}

// Reads one item's value into `item`, or only skips it when `item` is null.
void takeValue(Source& s, unsigned char kind, ResBuf* item) {
  switch (kind) {
    case kIntKind: {
      long long v = unzigzag(s.varint());
      if (item) item->value = v;
      break;
    }
    case kRealKind: {
      double v = s.real();
      if (item) item->value = v;
      break;
    }
    case kStringKind: {
      std::string_view v = s.text();
      if (item) item->value = std::string(v);
      break;
    }
    case kPointKind: {
      Point3 p;
      p.x = s.real();
      p.y = s.real();
      p.z = s.real();
      if (item) item->value = p;
      break;
    }
    case kNameKind: {
      EntityName n;
      n.a = unzigzag(s.varint());
      n.b = unzigzag(s.varint());
      if (item) item->value = n;
      break;
    }
    case kSetKind: {
      SelectionSet set{unzigzag(s.varint())};
      if (item) item->value = set;
      break;
    }
    default:
      break;  // no value
  }
}

}  // namespace

PackedXdata::PackedXdata(const ResBufList& items) {
  if (items.empty()) return;
  Sink body;
  body.varint(items.size());
  for (const ResBuf& item : items) putItem(body, item);
  Sink head;
  head.varint(body.size);
  bytes_ = std::make_unique_for_overwrite<unsigned char[]>(head.size + body.size);
  Sink fill{bytes_.get()};
  fill.varint(body.size);
  fill.varint(items.size());
  for (const ResBuf& item : items) putItem(fill, item);
}

PackedXdata::PackedXdata(const PackedXdata& other) { *this = other; }

PackedXdata& PackedXdata::operator=(const PackedXdata& other) {
  if (this == &other) return *this;
  if (!other.bytes_) {
    bytes_.reset();
    return *this;
  }
  std::size_t n = other.heapBytes();
  bytes_ = std::make_unique_for_overwrite<unsigned char[]>(n);
  std::memcpy(bytes_.get(), other.bytes_.get(), n);
  return *this;
}

std::size_t PackedXdata::heapBytes() const {
  if (!bytes_) return 0;
  Source body = bodyOf(bytes_.get());
  return static_cast<std::size_t>(body.end - bytes_.get());
}

ResBufList PackedXdata::unpacked() const {
  ResBufList items;
  if (!bytes_) return items;
  Source s = bodyOf(bytes_.get());
  std::size_t count = static_cast<std::size_t>(std::min<uint64_t>(s.varint(), s.end - s.at));
  items.resize(count);
  for (ResBuf& item : items) {
    item.code = static_cast<int>(unzigzag(s.varint()));
    takeValue(s, s.byte(), &item);
  }
  return items;
}

bool PackedXdata::anyApplication(const std::function<bool(std::string_view)>& test) const {
  if (!bytes_) return false;
  Source s = bodyOf(bytes_.get());
  for (uint64_t left = s.varint(); left > 0 && s.at < s.end; --left) {
    long long code = unzigzag(s.varint());
    unsigned char kind = s.byte();
    if (code == kXDataApplicationCode && kind == kStringKind) {
      if (test(s.text())) return true;
    } else {
      takeValue(s, kind, nullptr);
    }
  }
  return false;
}

}  // namespace optgrind::standalone
