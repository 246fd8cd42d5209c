#include "standalone/dxf/dxf_extra_groups.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <initializer_list>
#include <string>

#include "standalone/dxf/dxf_groups.h"

namespace optgrind::standalone {
namespace {

constexpr int kFirstXdataCode = 1000;
constexpr int kEmbeddedObjectCode = 101;  // multi-line text: an object inside the entity
constexpr int kAppGroupCode = 102;
constexpr int kTrueColorCode = 420;
constexpr int kColorBookCode = 430;

using CodeSet = std::bitset<kFirstXdataCode>;

CodeSet codes(std::initializer_list<int> list) {
  CodeSet s;
  for (int c : list) s.set(static_cast<std::size_t>(c));
  return s;
}

// Groups every entity record holds that the model or the writer owns: the
// type, handle, owner, subclass markers, layer, linetype, colour, space,
// layout name, extrusion.
const CodeSet& commonOwned() {
  static const CodeSet s = codes({0, 5, 330, 100, 8, 6, 62, 67, 410, 210, 220, 230});
  return s;
}

// Groups of the common part in records without subclass markers (R12).
const CodeSet& commonPartCodes() {
  static const CodeSet s = codes({48, 60, 92, 160, 284, 310, 347, 348, 370, 380, 390, 420, 430, 440});
  return s;
}

struct TypeCodes {
  std::string_view type;
  CodeSet owned;
};

// The body groups of each modelled type that the model reads and the writer
// writes; a type missing here keeps no body groups.
const TypeCodes* ownedBodyCodes(std::string_view type) {
  static const std::array<TypeCodes, 15> kTable = {{
      {"LINE", codes({10, 20, 30, 11, 21, 31, 39})},
      {"POINT", codes({10, 20, 30})},
      {"ARC", codes({10, 20, 30, 40, 50, 51, 39})},
      {"CIRCLE", codes({10, 20, 30, 40, 39})},
      // Vertex identifiers (91) stand between the vertices' groups.
      {"LWPOLYLINE", codes({90, 70, 43, 38, 39, 10, 20, 40, 41, 42, 91})},
      {"POLYLINE", codes({66, 70, 10, 20, 30, 39, 40, 41, 71, 72, 73, 74, 75})},
      {"TEXT", codes({1, 7, 10, 20, 30, 11, 21, 31, 40, 41, 50, 51, 72, 73})},
      {"MTEXT", codes({1, 3, 7, 10, 20, 30, 11, 21, 31, 40, 41, 44, 50, 71, 72, 73})},
      {"INSERT", codes({2, 10, 20, 30, 41, 42, 43, 44, 45, 50, 66, 70, 71})},
      {"DIMENSION", codes({1,  2,  3,  10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33, 14, 24,
                           34, 15, 25, 35, 16, 26, 36, 40, 42, 50, 51, 52, 53, 70, 71, 72, 41})},
      {"LEADER", codes({3, 10, 20, 30, 40, 41, 71, 72, 73, 74, 75, 76, 77})},
      {"HATCH", codes({2,  10, 20, 30, 11, 21, 40, 41, 42, 43, 44, 45, 46, 47, 49, 50, 51, 52, 53,
                       70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 91, 92, 93, 94, 95, 96, 97, 98, 99})},
      {"3DSOLID", codes({1, 2, 3, 70, 290})},
      {"SPLINE",
       codes({70, 71, 72, 73, 74, 42, 43, 44, 12, 22, 32, 13, 23, 33, 40, 41, 10, 20, 30, 11, 21, 31})},
      {"ELLIPSE", codes({10, 20, 30, 11, 21, 31, 40, 41, 42})},
  }};
  for (const TypeCodes& t : kTable) {
    if (t.type == type) return &t;
  }
  return nullptr;
}

}  // namespace

ExtraGroups splitExtraGroups(const RawRecord& r, std::string_view writtenAs, ExtraGroupLosses& losses) {
  const TypeCodes* body = ownedBodyCodes(r.type());
  bool keepBody = body && writtenAs == r.type();
  bool markers = r.has(100);
  std::vector<KeptGroup> head, common, rest;
  ExtraPart part = ExtraPart::Head;
  bool inAppGroup = false;
  bool embedded = false;
  bool dropped = false;
  for (std::size_t i = 1; i < r.size(); ++i) {
    const RawPair& p = r[i];
    if (p.code >= kFirstXdataCode) break;  // extended data has its own home
    if (p.code == kAppGroupCode) {
      // Reactors, the extension dictionary and other applications' groups
      // are kept whole; the writer maps their links.
      head.push_back({p.code, p.value});
      inAppGroup = !p.value.empty() && p.value[0] == '{';
      continue;
    }
    if (inAppGroup) {
      head.push_back({p.code, p.value});
      continue;
    }
    if (p.code == 100) {
      part = p.value == "AcDbEntity" ? ExtraPart::Common : ExtraPart::Body;
      continue;
    }
    if (p.code == kEmbeddedObjectCode) embedded = true;
    if (!embedded) {
      if (commonOwned().test(static_cast<std::size_t>(p.code))) continue;
    }
    bool inCommon =
        markers ? part != ExtraPart::Body : commonPartCodes().test(static_cast<std::size_t>(p.code));
    if (inCommon && !embedded) {
      common.push_back({p.code, p.value});
    } else if (!embedded && body && body->owned.test(static_cast<std::size_t>(p.code))) {
      continue;
    } else if (keepBody) {
      rest.push_back({p.code, p.value});
    } else {
      dropped = true;
    }
  }
  if (dropped) ++losses.modelDetails;
  ExtraGroups out;
  out.groups = std::move(head);
  out.commonFrom = static_cast<uint32_t>(out.groups.size());
  out.groups.insert(out.groups.end(), common.begin(), common.end());
  out.bodyFrom = static_cast<uint32_t>(out.groups.size());
  out.groups.insert(out.groups.end(), rest.begin(), rest.end());
  out.colorWhenRead = static_cast<int>(r.integer(62, kColorByLayer));
  return out;
}

void writeExtraGroups(DxfOut& out, const ExtraGroups& extra, ExtraPart part, int color,
                      const HandleMap& links) {
  std::size_t from = part == ExtraPart::Head     ? 0
                     : part == ExtraPart::Common ? extra.commonFrom
                                                 : extra.bodyFrom;
  std::size_t to = part == ExtraPart::Head     ? extra.commonFrom
                   : part == ExtraPart::Common ? extra.bodyFrom
                                               : extra.groups.size();
  to = std::min(to, extra.groups.size());
  bool recoloured = color != extra.colorWhenRead && part == ExtraPart::Common;
  const KeptGroup* groups = extra.groups.data();
  std::size_t run = from;
  for (std::size_t i = from; i < to; ++i) {
    const KeptGroup& g = groups[i];
    if (!recoloured || (g.code != kTrueColorCode && g.code != kColorBookCode)) continue;
    writeLinkedGroups(out, groups + run, groups + i, links);
    run = i + 1;
  }
  writeLinkedGroups(out, groups + run, groups + to, links);
}

}  // namespace optgrind::standalone
