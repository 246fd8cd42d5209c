// Selection filter lists as the host reads them: a chain of tests that must
// all hold, grouped by the -4 operators "<and" ... "and>", "<or" ... "or>",
// "<not" ... "not>" (one test) and "<xor" ... "xor>" (two tests), nested.
// Tests: 0 entity type (DXF name), 8 layer, 6 linetype, 1001 application of
// the extended data (all host wildcard patterns, without case), 62 colour
// index. A -3 item only announces extended-data tests and is passed over.
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// Groups nested deeper than this make the filter malformed.
constexpr int kMaxFilterNesting = 64;

enum class FilterOp { Test, And, Or, Not, Xor };

struct FilterNode {
  FilterOp op = FilterOp::Test;
  ResBuf test;                // the item of a Test node
  std::vector<int> children;  // node indexes of a group
};

// A filter list checked once and kept as a tree. valid is false for a
// malformed list: unbalanced or mismatched groups, a "<not" without exactly
// one test, a "<xor" without exactly two, an empty group, an unknown
// operator or group code, or a value of the wrong type.
struct CompiledFilter {
  bool valid = false;
  std::vector<FilterNode> nodes;
  std::vector<int> topLevel;  // all must hold; none accepts every entity
};

CompiledFilter compileFilter(const ResBufList& filter);

// True when the entity passes a valid filter (false for an invalid one).
bool filterAccepts(const CompiledFilter& filter, const DrawingEntity& entity);

}  // namespace optgrind::standalone
