// Reference lists: insert, union, lists from references, erasing, selection
// sets and extents.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/entity_lists.h"
#include "geometry/tags.h"

namespace optgrind::testing {
namespace {

using EntityListsTest = DrawingTest;

std::vector<EntityName> names(const EntityRefList& list) {
  std::vector<EntityName> out;
  for (const EntityRef& e : list) out.push_back(e.name);
  return out;
}

TEST_F(EntityListsTest, InsertCompactsAndRefusesDuplicates) {
  EntityRef a = addLine(0, 0, 1, 0), b = addLine(1, 0, 2, 0), c = addSquare(), d = addCircle(0, 0, 1);
  EntityRefList list = makeEntityRefList(4);
  list[1] = a;
  list = insert(host, list, b, kAppendPosition);
  EXPECT_EQ(names(list), (std::vector<EntityName>{a.name, b.name}));
  list = insert(host, list, c, -3);
  EXPECT_EQ(names(list), (std::vector<EntityName>{c.name, a.name, b.name}));
  list = insert(host, list, d, 1);
  EXPECT_EQ(names(list), (std::vector<EntityName>{c.name, d.name, a.name, b.name}));
  // The same entity as another segment is not added again.
  EXPECT_EQ(insert(host, list, segmentRef(c, 2, kKindLine), 0).size(), 4u);
  ASSERT_EQ(host.acdbEntDel(d.name), RTNORM);
  EXPECT_EQ(insert(host, EntityRefList{}, d, 0).size(), 0u);
}

TEST_F(EntityListsTest, UnionAndSequences) {
  EntityRef a = addLine(0, 0, 1, 0), b = addLine(1, 0, 2, 0), c = addSquare();
  EntityRefList joined = unionLists(host, {segmentRef(a, 0, kKindLine), b}, {b, c});
  EXPECT_EQ(names(joined), (std::vector<EntityName>{a.name, b.name, c.name}));
  EXPECT_EQ(std::pair(joined[0].segment, joined[0].valid), std::pair(-1, 1));

  EntityRef gone = addLine(5, 5, 6, 6);
  ASSERT_EQ(host.acdbEntDel(gone.name), RTNORM);
  EXPECT_EQ(names(listFromReferences(host, {a, b, gone, c})), (std::vector<EntityName>{a.name, b.name}));

  SelectionSet set;
  ASSERT_EQ(selectionSetFromList(host, {a, emptyListEntry(), c}, set), RTNORM);
  long length = 0;
  host.acedSSLength(set, length);
  EXPECT_EQ(length, 2);
  host.acedSSFree(set);
}

TEST_F(EntityListsTest, EraseAllAndExtents) {
  EntityRef a = addLine(-1, 2, 3, 4), b = addCircle(10, 10, 1);
  LineRec box = extents(host, EntityRefList{a, b});
  ASSERT_EQ(box.valid, 1);
  expectPoint(box.start, -1, 2);
  expectPoint(box.end, 11, 11);
  EXPECT_EQ(extents(host, EntityRef{}).valid, 0);

  EntityRefList list = {emptyListEntry(), a, b};
  EXPECT_EQ(eraseAll(host, list), 2);
  EXPECT_TRUE(list.empty());
  EntityName last;
  EXPECT_EQ(host.acdbEntLast(last), RTERROR);
}

// A list entry that names a tag pair still names its entity: erasing the
// whole list erases the entity, not the pair.
TEST_F(EntityListsTest, EraseAllErasesTheEntitiesOfTagEntries) {
  EntityRef tagged = addLine(0, 0, 1, 0);
  ASSERT_EQ(addTag(host, tagged, "A", "1").tagIndex, 0);
  EntityRef second = addTag(host, tagged, "B", "2");
  ASSERT_EQ(second.tagIndex, 1);
  EntityRef plain = addCircle(5, 5, 1);
  EntityRefList list = {second, plain};
  EXPECT_EQ(eraseAll(host, list), 2);
  EntityRecord gone;
  EXPECT_EQ(host.acdbEntGet(tagged.name, gone), RTERROR);
  EXPECT_EQ(host.acdbEntGet(plain.name, gone), RTERROR);
}

}  // namespace
}  // namespace optgrind::testing
