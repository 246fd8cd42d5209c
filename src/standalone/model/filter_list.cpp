#include "standalone/model/filter_list.h"

#include "host/utf8.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "host/wildcard.h"

namespace optgrind::standalone {
namespace {

constexpr int kCodeOperator = -4;
constexpr int kCodeXDataMarker = -3;
constexpr int kCodeType = 0;
constexpr int kCodeLinetype = 6;
constexpr int kCodeLayer = 8;
constexpr int kCodeColor = 62;

struct OperatorName {
  const char* open;
  const char* close;
  FilterOp op;
};

constexpr OperatorName kOperators[] = {
    {"<and", "and>", FilterOp::And},
    {"<or", "or>", FilterOp::Or},
    {"<not", "not>", FilterOp::Not},
    {"<xor", "xor>", FilterOp::Xor},
};

bool validTest(const ResBuf& item) {
  switch (item.code) {
    case kCodeType:
    case kCodeLinetype:
    case kCodeLayer:
    case kXDataApplicationCode:
      return item.isString();
    case kCodeColor:
      return item.isInt();
    default:
      return false;
  }
}

bool childCountFits(FilterOp op, size_t n) {
  switch (op) {
    case FilterOp::Not:
      return n == 1;
    case FilterOp::Xor:
      return n == 2;
    default:
      return n >= 1;
  }
}

bool matches(const std::string& value, const ResBuf& test) {
  return wildcardMatch(value, test.asString(), WildcardCase::Insensitive);
}

bool testAccepts(const ResBuf& test, const DrawingEntity& entity) {
  const EntityRecord& e = entity.record;
  switch (test.code) {
    case kCodeType:
      return matches(entityDxfName(e.type()), test);
    case kCodeLayer:
      return matches(e.layer, test);
    case kCodeLinetype:
      return matches(e.linetype, test);
    case kCodeColor:
      return e.color == test.asInt();
    case kXDataApplicationCode:
      return entity.xdata.anyApplication(
          [&](std::string_view app) { return matches(std::string(app), test); });
    default:
      return false;
  }
}

bool nodeAccepts(const CompiledFilter& f, int index, const DrawingEntity& e) {
  const FilterNode& n = f.nodes[static_cast<size_t>(index)];
  auto child = [&](int c) { return nodeAccepts(f, c, e); };
  switch (n.op) {
    case FilterOp::Test:
      return testAccepts(n.test, e);
    case FilterOp::And:
      return std::all_of(n.children.begin(), n.children.end(), child);
    case FilterOp::Or:
      return std::any_of(n.children.begin(), n.children.end(), child);
    case FilterOp::Not:
      return !child(n.children[0]);
    case FilterOp::Xor:
      return child(n.children[0]) != child(n.children[1]);
  }
  return false;
}

}  // namespace

CompiledFilter compileFilter(const ResBufList& filter) {
  CompiledFilter out;
  std::vector<int> open;  // groups not closed yet, innermost last
  auto attach = [&](int node) {
    if (open.empty()) {
      out.topLevel.push_back(node);
    } else {
      out.nodes[static_cast<size_t>(open.back())].children.push_back(node);
    }
  };
  for (const ResBuf& item : filter) {
    if (item.code == kCodeXDataMarker) continue;
    if (item.code != kCodeOperator) {
      if (!validTest(item)) return CompiledFilter{};
      out.nodes.push_back({FilterOp::Test, item, {}});
      attach(static_cast<int>(out.nodes.size()) - 1);
      continue;
    }
    if (!item.isString()) return CompiledFilter{};
    const std::string& name = item.asString();
    const OperatorName* found = nullptr;
    bool opens = false;
    for (const auto& o : kOperators) {
      if (equalIgnoringCase(name, o.open) || equalIgnoringCase(name, o.close)) {
        found = &o;
        opens = equalIgnoringCase(name, o.open);
      }
    }
    if (!found) return CompiledFilter{};
    if (opens) {
      if (static_cast<int>(open.size()) >= kMaxFilterNesting) return CompiledFilter{};
      out.nodes.push_back({found->op, {}, {}});
      open.push_back(static_cast<int>(out.nodes.size()) - 1);
      continue;
    }
    if (open.empty()) return CompiledFilter{};
    const FilterNode& group = out.nodes[static_cast<size_t>(open.back())];
    if (group.op != found->op || !childCountFits(group.op, group.children.size())) return CompiledFilter{};
    int closed = open.back();
    open.pop_back();
    attach(closed);
  }
  if (!open.empty()) return CompiledFilter{};
  out.valid = true;
  return out;
}

bool filterAccepts(const CompiledFilter& filter, const DrawingEntity& entity) {
  if (!filter.valid) return false;
  return std::all_of(filter.topLevel.begin(), filter.topLevel.end(),
                     [&](int n) { return nodeAccepts(filter, n, entity); });
}

}  // namespace optgrind::standalone
