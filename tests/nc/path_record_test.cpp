// The stored path record: the tags a path definition writes and what the
// NC run reads of them.
#include "nc/path_record.h"

#include "nc/nc_fixture.h"

namespace optgrind {
namespace {

using testing::NcTest;

std::vector<std::string> tagKeys(Host& host, const EntityRef& path) {
  EntityRecord record;
  host.acdbEntGet(path.name, record);
  std::vector<std::string> strings, keys;
  for (const ResBuf& item : record.xdata)
    if (item.code == 1000) strings.push_back(item.asString());
  for (size_t i = 0; i < strings.size(); i += 2) keys.push_back(strings[i]);
  return keys;
}

TEST_F(NcTest, TwoLiftsWriteTheirThreeTagsInOrderAndThePathMarkerLast) {
  EntityRef path = addPath({{0, 0, 0}, {10, 0, 0}}, {});
  EXPECT_FALSE(isPath(host(), path));
  ASSERT_EQ(writePathRecord(host(), path, {4, 9}), 1);
  ASSERT_EQ(writeOrderNumber(host(), path, 1), 1);
  EXPECT_EQ(tagKeys(host(), path),
            (std::vector<std::string>{"RAPID_UP4", "RAPID_MOVE5", "RAPID_DN6", "RAPID_UP9", "RAPID_MOVE10",
                                      "RAPID_DN11", "OPT_PATH", "ORDNO"}));
  EXPECT_TRUE(isPath(host(), path));
  EXPECT_TRUE(markerOfElement(host(), path, 10, kRapidMoveKey));
  EXPECT_FALSE(markerOfElement(host(), path, 7, kRapidMoveKey));
  PathTags tags = readPathTags(host(), path);
  EXPECT_EQ(tags.values.at("ORDNO"), "1");
}

TEST_F(NcTest, OnlyThePathMarkerMakesAPathAndEndTextsAreReadByElement) {
  EntityRef other = addPath({{0, 0, 0}, {10, 0, 0}}, {{"RAPID_UP1", " "}, {"ORDNO", "1"}});
  EXPECT_FALSE(isPath(host(), other));
  EntityRef path = addPath({{0, 0, 0}, {10, 0, 0}}, {{"3END_TEXT", "M00$"}, {"OPT_PATH", " "}});
  EXPECT_TRUE(isPath(host(), path));
  std::string text;
  EXPECT_TRUE(elementEndText(host(), path, 3, text));
  EXPECT_EQ(text, "M00$");
  EXPECT_FALSE(elementEndText(host(), path, 30, text));
  // A key whose number is no number, or that has no value, is only a key.
  PathTags odd = pathTagsFromXData({ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "RAPID_UPx"),
                                    ResBuf::ofString(1000, "?"), ResBuf::ofString(1000, "APPROACH2")});
  EXPECT_TRUE(hasElementTag(odd, kApproachKey, 2));
  EXPECT_FALSE(hasElementTag(odd, kRapidUpKey, 0));
}

}  // namespace
}  // namespace optgrind
