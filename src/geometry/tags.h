// Text pairs (tags) in the "my_tag" extended data of an entity: how the
// system keeps its own information on drawing entities. Keys are stored
// upper-cased; pair i is the (2i+1)-th and (2i+2)-th string after the
// application name.
#pragma once

#include <string>
#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

inline constexpr const char* kTagApplication = "my_tag";
// find tag examines at most this many pairs.
constexpr int kMaxTagPairsSearched = 1000;

// The strings of the "my_tag" section, in order; false when there is none.
bool tagStrings(const ResBufList& xdata, std::vector<std::string>& out);
// Pair `index` of the section: false when it has no key; value "" when the
// key has no value string.
bool readTagPair(const ResBufList& xdata, int index, std::string& key, std::string& value);
// Overwrites pair `index` (key as given, value cut to its room); false and
// no change when the pair does not exist.
bool writeTagPair(ResBufList& xdata, int index, const std::string& key, const std::string& value);
// Removes both strings of pair `index`; false and no change when it does not exist.
bool removeTagPair(ResBufList& xdata, int index);

// Appends the pair (key upper-cased, value cut to 255 characters); the
// result is ref with kind 11 and the new pair's index, or ref with valid 0
// when the entity could not be changed.
EntityRef addTag(Host& host, const EntityRef& ref, const std::string& key, const std::string& value);
struct TagPair {
  std::string key;
  std::string value;
};
// Appends the pairs in order with one change of the entity, as addTag one
// by one would leave them; 1 when all were written, else 0.
int addTags(Host& host, const EntityRef& ref, const std::vector<TagPair>& pairs);
// The first pair after ref.tagIndex whose key is the upper-cased key, as a
// valid reference of kind 11; valid 0 when there is none.
EntityRef findTag(Host& host, const EntityRef& ref, const std::string& key);

}  // namespace optgrind
