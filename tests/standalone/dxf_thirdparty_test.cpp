// Reading a drawing written by another program (tests/data/dxf/third_party.dxf,
// made by make_fixtures.py): hatch edge boundaries, old-style polylines,
// chunked multi-line text, aligned text, and entities the drawing cannot hold.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

constexpr double kTol = 1e-9;
const std::string kFixture = std::string(OPTGRIND_TEST_DATA) + "/dxf/third_party.dxf";

template <class G>
const G& nth(const Drawing& d, size_t i) {
  const G* g = d.entities.at(i).record.as<G>();
  EXPECT_NE(g, nullptr) << "entity " << i;
  static const G empty{};
  return g ? *g : empty;
}

TEST(DxfThirdParty, ReadsWhatAnotherProgramWrote) {
  Drawing d;
  Outcome r = loadDxf(kFixture, d);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_NE(r.message.find("1 SPLINE"), std::string::npos) << r.message;
  ASSERT_EQ(d.entities.size(), 5u);

  const HatchGeom& hatch = nth<HatchGeom>(d, 0);
  EXPECT_EQ(d.entities[0].record.layer, "FILL");
  EXPECT_EQ(d.entities[0].record.color, 2);
  ASSERT_EQ(hatch.loops.size(), 1u);
  ASSERT_EQ(hatch.loops[0].vertices.size(), 4u);
  const PolyVertex& arcStart = hatch.loops[0].vertices[1];
  EXPECT_NEAR(arcStart.x, 10.0, kTol);
  EXPECT_NEAR(arcStart.y, 0.0, kTol);
  EXPECT_NEAR(arcStart.bulge, 1.0, kTol);  // a half circle
  EXPECT_NEAR(hatch.loops[0].vertices[3].x, 0.0, kTol);
  EXPECT_NEAR(hatch.loops[0].vertices[3].y, 10.0, kTol);

  const LeaderGeom& leader = nth<LeaderGeom>(d, 1);
  ASSERT_EQ(leader.vertices.size(), 3u);
  EXPECT_EQ(leader.vertices[2], (Point3{9, 5, 0}));

  const PolylineGeom& old = nth<PolylineGeom>(d, 2);
  EXPECT_TRUE(old.closed);
  ASSERT_EQ(old.vertices.size(), 3u);
  EXPECT_NEAR(old.vertices[0].bulge, 1.0, kTol);
  EXPECT_NEAR(old.vertices[2].y, 10.0, kTol);

  const MTextGeom& mtext = nth<MTextGeom>(d, 3);
  EXPECT_EQ(mtext.contents, std::string(300, 'A') + "\\P" + std::string(20, 'B'));

  const TextGeom& text = nth<TextGeom>(d, 4);
  EXPECT_EQ(text.hAlign, 1);
  EXPECT_EQ(text.vAlign, 2);
  EXPECT_EQ(text.alignPoint, (Point3{3, 4, 0}));
  EXPECT_NEAR(text.rotation, std::numbers::pi / 2, kTol);
}

TEST(DxfThirdParty, CrLfLineEndsReadTheSame) {
  std::ifstream in(kFixture, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  std::string crlf;
  for (char c : ss.str()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string pattern = (fs::temp_directory_path() / "dxf_crlf_XXXXXX").string();
  fs::path dir = mkdtemp(pattern.data());
  std::ofstream(dir / "crlf.dxf", std::ios::binary) << crlf;

  Drawing lf, withCr;
  ASSERT_TRUE(loadDxf(kFixture, lf).ok);
  Outcome r = loadDxf((dir / "crlf.dxf").string(), withCr);
  fs::remove_all(dir);
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(withCr.entities.size(), lf.entities.size());
  EXPECT_EQ(nth<MTextGeom>(withCr, 3).contents, nth<MTextGeom>(lf, 3).contents);
  EXPECT_EQ(nth<TextGeom>(withCr, 4).text, "aligned");
  EXPECT_EQ(withCr.entities[0].record.layer, "FILL");
}

}  // namespace
}  // namespace optgrind::standalone
