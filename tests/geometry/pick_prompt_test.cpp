// The pick-and-keyword prompt: numbers, keywords, points beside and on
// entities, Enter and cancel, and the slots that keep the answers.
#include "geometry/pick_prompt.h"

#include <gtest/gtest.h>

#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;

EntityName addPolyline(Host& host) {
  // A line, then a half circle.
  EntityName name;
  EXPECT_EQ(
      host.acdbEntMake(
          {.xdata = {}, .geom = PolylineGeom{.vertices = {{0, 0, 0}, {10, 0, 1.0}, {10, 10, 0}}}}, name),
      RTNORM);
  return name;
}

TEST(PickPrompt, NumbersKeywordsEnterAndCancel) {
  HostWithRoot env("-1.5\n1e3\nY\nN\nmaybe\n\n^C\n");
  size_t entitiesBefore = env.host.drawing().entities.size();
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickNumber);
  EXPECT_EQ(pickSlot(1).number, -1.5);
  // 1e3 is refused (no letters in numbers), then Y is the first keyword.
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickKeyword + 0);
  EXPECT_NE(env.out.str().find("The KeyWord is not correct !!,Please retry  : "), std::string::npos);
  EXPECT_EQ(pickSlot(1).number, -1.5);
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickKeyword + 1);
  // An unknown word is refused; Enter then gives 0.
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickEnter);
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickCancelled);
  // The answers have run out: cancelled, and no prompt waits.
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickAnyPoint, "Y N"), kPickCancelled);
  // The prompt's own point entity is gone again.
  EXPECT_EQ(liveEntityCount(env.host.drawing()), 0u);
  EXPECT_GE(env.host.drawing().entities.size(), entitiesBefore);
}

TEST(PickPrompt, TextSlotKeepsTheText) {
  HostWithRoot env("abc\n\n");
  EXPECT_EQ(pickAndKeyword(env.host, "\nName: ", kTextPickSlot, kPickAnyPoint, ""), kPickNumber);
  EXPECT_EQ(pickSlot(kTextPickSlot).text, "abc");
  EXPECT_EQ(pickAndKeyword(env.host, "\nName: ", kTextPickSlot, kPickAnyPoint, ""), kPickEnter);
  EXPECT_EQ(pickSlot(kTextPickSlot).text, " ");
}

TEST(PickPrompt, PointsBesideAndOnAPolyline) {
  HostWithRoot env("50,50\n4,0.01\n15,5\n7,7\n");
  EntityName pl = addPolyline(env.host);

  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickPointOnEntity, ""), kPickPoint);
  EXPECT_EQ(std::pair(pickSlot(1).ref.valid, pickSlot(1).point.x), std::pair(0, 50.0));

  ASSERT_EQ(pickAndKeyword(env.host, "\nPick: ", 1, kPickPointOnEntity, ""), kPickOnEntity);
  const PickSlot& s = pickSlot(1);
  EXPECT_EQ(std::make_tuple(s.ref.name, s.ref.segment, s.ref.kind), std::make_tuple(pl, 0, kKindLine));
  EXPECT_NEAR(s.ref.point.x, 4.0, 1e-9);
  EXPECT_NEAR(s.ref.point.y, 0.0, 1e-9);  // moved onto the segment
  EXPECT_NEAR(s.point.y, 0.01, 1e-12);    // the pick as given

  // The half circle from (10,0) to (10,10) bulges to x = 15.
  ASSERT_EQ(pickAndKeyword(env.host, "\nPick: ", 2, kPickPointOnEntity, ""), kPickOnEntity);
  EXPECT_EQ(std::pair(pickSlot(2).ref.segment, pickSlot(2).ref.kind), std::pair(1, kKindArc));

  // In mode 0 a point is just a point; the slot's reference stays.
  EXPECT_EQ(pickAndKeyword(env.host, "\nPick: ", 2, kPickAnyPoint, ""), kPickPoint);
  EXPECT_EQ(std::pair(pickSlot(2).ref.segment, pickSlot(2).point.x), std::pair(1, 7.0));
}

}  // namespace
}  // namespace optgrind
