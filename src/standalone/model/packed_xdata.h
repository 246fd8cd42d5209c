// Extended data as the drawing keeps it: one heap block of bytes per
// entity instead of a chain of result buffers, which is several times the
// size of the file text it came from. Callers see a ResBufList; the bytes
// are made when an entity is stored and read back when one is asked for.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

#include "host/host_types.h"

namespace optgrind::standalone {

// Every ResBuf value kind round-trips exactly (reals bit for bit). The
// block holds its own length, the item count, then per item the code, a
// kind byte and the value; no items is no block at all.
class PackedXdata {
 public:
  PackedXdata() = default;
  explicit PackedXdata(const ResBufList& items);
  PackedXdata(const PackedXdata& other);
  PackedXdata(PackedXdata&&) noexcept = default;
  PackedXdata& operator=(const PackedXdata& other);
  PackedXdata& operator=(PackedXdata&&) noexcept = default;

  bool empty() const { return !bytes_; }
  ResBufList unpacked() const;
  // True when `test` holds for the name of one of its applications (the
  // strings under kXDataApplicationCode), looked at in order.
  bool anyApplication(const std::function<bool(std::string_view)>& test) const;
  // The heap it holds, for the undo history's estimate.
  std::size_t heapBytes() const;

 private:
  std::unique_ptr<unsigned char[]> bytes_;
};

}  // namespace optgrind::standalone
