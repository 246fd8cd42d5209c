// Tag pairs in "my_tag" extended data: adding, finding, rewriting, erasing.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/entity_data.h"
#include "geometry/entity_lists.h"
#include "geometry/tags.h"

namespace optgrind::testing {
namespace {

using TagsTest = DrawingTest;

TEST_F(TagsTest, PairsAreIndexedFoundUpperCasedAndErased) {
  EntityRef poly = addSquare();
  EntityRef first = addTag(host, poly, "rapid_up0", "1");
  EXPECT_EQ(first.kind, kKindTag);
  EXPECT_EQ(first.tagIndex, 0);
  EntityRef second = addTag(host, poly, "OPT_PATH", std::string(300, 'v'));
  EXPECT_EQ(second.tagIndex, 1);
  addTag(host, poly, "Rapid_Up0", "2");

  EntityData pair = readEntityData(host, first);
  EXPECT_EQ(pair.tagKey, "RAPID_UP0");
  EXPECT_EQ(pair.tagValue, "1");
  EXPECT_EQ(readEntityData(host, second).tagValue.size(), kTagValueRoom);

  // Search starts after the reference's own pair.
  EntityRef found = findTag(host, poly, "rapid_up0");
  EXPECT_EQ(found.valid, 1);
  EXPECT_EQ(found.tagIndex, 0);
  EXPECT_EQ(findTag(host, found, "RAPID_UP0").tagIndex, 2);
  EXPECT_EQ(findTag(host, first, "opt_path").tagIndex, 1);
  EXPECT_EQ(findTag(host, second, "opt_path").valid, 0);
  EXPECT_EQ(findTag(host, addLine(0, 0, 1, 1), "opt_path").valid, 0);

  EntityData rewritten = readEntityData(host, second);
  rewritten.tagValue = "done";
  ASSERT_EQ(writeEntityData(host, second, rewritten), RTNORM);
  EXPECT_EQ(readEntityData(host, second).tagValue, "done");

  EntityRef erased = first;
  EXPECT_EQ(erase(host, erased), 1);
  EXPECT_EQ(erased.valid, 0);
  EXPECT_EQ(erased.name, (EntityName{-1, -1}));
  EXPECT_EQ(readEntityData(host, second).tagKey, "RAPID_UP0");  // the former pair 2 is now pair 1
  EXPECT_EQ(readEntityData(host, first).tagKey, "OPT_PATH");
  EntityRef beyond = first;
  beyond.tagIndex = 5;
  EXPECT_EQ(readEntityData(host, beyond).tagKey, "");
  EXPECT_EQ(erase(host, beyond), 0);
}

TEST_F(TagsTest, OtherApplicationsDataIsKept) {
  ASSERT_EQ(host.acdbRegApp("OTHER"), RTNORM);
  EntityRecord withOther;
  withOther.geom = LineGeom{{0, 0, 0}, {1, 0, 0}, 0};
  withOther.xdata = {ResBuf::ofString(1001, "OTHER"), ResBuf::ofString(1000, "keep")};
  EntityName name;
  ASSERT_EQ(host.acdbEntMake(withOther, name), RTNORM);
  EntityRef line = wholeEntityRef(name);
  EXPECT_EQ(addTag(host, line, "k", "v").tagIndex, 0);
  EntityRecord after = record(line);
  ASSERT_EQ(after.xdata.size(), 5u);
  EXPECT_EQ(after.xdata[1].asString(), "keep");
  EXPECT_EQ(findTag(host, line, "K").tagIndex, 0);
}

}  // namespace
}  // namespace optgrind::testing
