// What real drawings from other programs carry: entities seen from below,
// text in a code page, long values, a DOS end-of-file byte, a byte-order
// mark, and entities the drawing keeps without modelling them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

constexpr double kTolerance = 1e-12;

std::string drawingFile(const std::string& header, const std::string& records) {
  return "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + records +
         "0\nENDSEC\n0\nEOF\n";
}

const std::string kSeenFromBelow = "210\n0.0\n220\n0.0\n230\n-1.0\n";

class RealDrawings : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dxf_real_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(dir_); }

  Drawing load(const std::string& bytes) {
    std::string path = (dir_ / "in.dxf").string();
    std::ofstream(path, std::ios::binary) << bytes;
    Drawing d = newDrawing();
    Outcome r = loadDxf(path, d);
    EXPECT_TRUE(r.ok) << r.where();
    message_ = r.message;
    return d;
  }

  // Saves and loads again.
  Drawing reload(const Drawing& d) {
    std::string path = (dir_ / "saved.dxf").string();
    Outcome saved = saveDxf(d, path);
    EXPECT_TRUE(saved.ok) << saved.where();
    std::ifstream in(path, std::ios::binary);
    savedText_.assign(std::istreambuf_iterator<char>(in), {});
    Drawing again = newDrawing();
    Outcome r = loadDxf(path, again);
    EXPECT_TRUE(r.ok) << r.where();
    return again;
  }

  fs::path dir_;
  std::string message_;
  std::string savedText_;
};

TEST_F(RealDrawings, EntitiesSeenFromBelowComeInWorldCoordinates) {
  Drawing d = load(
      drawingFile("", "0\nARC\n8\n0\n10\n10.0\n20\n0.0\n30\n0.0\n40\n2.0\n50\n0.0\n51\n90.0\n" +
                          kSeenFromBelow + "0\nCIRCLE\n8\n0\n10\n5.0\n20\n1.0\n30\n0.0\n40\n1.0\n" +
                          kSeenFromBelow + "0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n10\n1.0\n20\n2.0\n42\n0.5\n" +
                          "10\n3.0\n20\n2.0\n" + kSeenFromBelow));
  ASSERT_EQ(d.entities.size(), 3u);
  const ArcGeom* arc = d.entities[0].record.as<ArcGeom>();
  ASSERT_NE(arc, nullptr);
  EXPECT_NEAR(arc->center.x, -10.0, kTolerance);
  // The quarter from 0 to 90 degrees below is the quarter from 90 to 180 above.
  EXPECT_NEAR(arc->startAngle, std::numbers::pi / 2, kTolerance);
  EXPECT_NEAR(arc->endAngle, std::numbers::pi, kTolerance);
  EXPECT_NEAR(d.entities[1].record.as<CircleGeom>()->center.x, -5.0, kTolerance);
  const PolylineGeom* pl = d.entities[2].record.as<PolylineGeom>();
  EXPECT_NEAR(pl->vertices[0].x, -1.0, kTolerance);
  EXPECT_NEAR(pl->vertices[0].bulge, -0.5, kTolerance);

  Drawing again = reload(d);
  EXPECT_NEAR(again.entities[0].record.as<ArcGeom>()->center.x, -10.0, kTolerance);
}

TEST_F(RealDrawings, TextSeenFromBelowAndTiltedEntitiesAreKeptAsTheyCame) {
  Drawing d = load(drawingFile(
      "", "0\nTEXT\n8\n0\n10\n1.0\n20\n2.0\n30\n0.0\n40\n2.5\n1\nmirrored\n" + kSeenFromBelow +
              "0\nCIRCLE\n8\n0\n10\n5.0\n20\n1.0\n30\n0.0\n40\n1.0\n" + "210\n0.0\n220\n1.0\n230\n0.0\n"));
  EXPECT_TRUE(d.entities.empty());
  ASSERT_EQ(d.keptEntities.size(), 2u);
  Drawing again = reload(d);
  ASSERT_EQ(again.keptEntities.size(), 2u);
  EXPECT_NE(savedText_.find("mirrored"), std::string::npos);
  EXPECT_NE(savedText_.find("230\n-1.0"), std::string::npos);
}

// Saved in the code page the file declares, escaped only where it has no
// character of its own.
TEST_F(RealDrawings, TextInACodePageReadsAsUtf8AndIsSavedInItsCodePage) {
  const std::string gbk = "R5 30\xA1\xE3 \xB5\xB9\xBD\xC7";
  Drawing d = load(drawingFile("9\n$ACADVER\n1\nAC1015\n9\n$DWGCODEPAGE\n3\nANSI_936\n",
                               "0\nTEXT\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n2.5\n1\n" + gbk + "\n"));
  ASSERT_EQ(d.entities.size(), 1u);
  std::string& text = d.entities[0].record.as<TextGeom>()->text;
  EXPECT_EQ(text, "R5 30\u00B0 \u5012\u89D2");
  text += "\u0E01";  // Thai: not in the code page
  Drawing again = reload(d);
  EXPECT_NE(savedText_.find(gbk + "\\U+0E01"), std::string::npos);
  EXPECT_NE(savedText_.find("ANSI_936"), std::string::npos);
  EXPECT_EQ(again.entities[0].record.as<TextGeom>()->text, "R5 30\u00B0 \u5012\u89D2\u0E01");
}

TEST_F(RealDrawings, Utf8FilesFromAutoCad2007OnAreNotConvertedAgain) {
  Drawing d =
      load(drawingFile("9\n$ACADVER\n1\nAC1032\n9\n$DWGCODEPAGE\n3\nANSI_1252\n",
                       "0\nMTEXT\n8\n0\n10\n1.0\n20\n2.0\n30\n0.0\n40\n2.5\n1\n\u00D8 20 \\U+00B1 0.1\n"));
  ASSERT_EQ(d.entities.size(), 1u);
  EXPECT_EQ(d.entities[0].record.as<MTextGeom>()->contents, "\u00D8 20 \u00B1 0.1");
}

TEST_F(RealDrawings, AnEmbeddedObjectDoesNotMoveMultiLineText) {
  Drawing d =
      load(drawingFile("", "0\nMTEXT\n8\n0\n10\n7.0\n20\n8.0\n30\n0.0\n40\n2.5\n1\nnote\n" +
                               std::string("101\nEmbedded Object\n70\n1\n10\n1.0\n20\n0.0\n30\n0.0\n") +
                               "11\n7.0\n21\n8.0\n31\n0.0\n"));
  const MTextGeom* m = d.entities.at(0).record.as<MTextGeom>();
  EXPECT_EQ(m->location.x, 7.0);
  EXPECT_EQ(m->location.y, 8.0);
  EXPECT_EQ(m->rotation, 0.0);
}

TEST_F(RealDrawings, LongValuesDosEndOfFileAndByteOrderMarkLoad) {
  std::string name(2049, 'n');
  std::string field(5000, 'f');
  std::string bytes = "\xEF\xBB\xBF" +
                      drawingFile("", "0\nTEXT\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n2.5\n1\n" + name + "\n" +
                                          "0\nFIELDISH\n8\n0\n301\n" + field + "\n") +
                      "\x1A";
  Drawing d = load(bytes);
  ASSERT_EQ(d.entities.size(), 1u);
  EXPECT_EQ(d.entities[0].record.as<TextGeom>()->text, name);
  ASSERT_EQ(d.keptEntities.size(), 1u);
  EXPECT_EQ(d.keptEntities[0].groups.back().value, field);
  EXPECT_NE(message_.find("1 FIELDISH"), std::string::npos) << message_;
  Drawing again = reload(d);
  ASSERT_EQ(again.keptEntities.size(), 1u);
  EXPECT_EQ(again.keptEntities[0].groups.back().value, field);
  EXPECT_EQ(again.entities.at(0).record.as<TextGeom>()->text, name);
}

// A true colour stands for the colour the entity came with; once a command
// recolours it, the model's colour alone is written.
TEST_F(RealDrawings, ARecolouredEntityLosesItsTrueColourButKeepsItsOtherGroups) {
  Drawing d = load(drawingFile("",
                               "0\nLINE\n8\n0\n62\n1\n420\n1193046\n370\n50\n10\n0.0\n20\n0.0\n30\n0."
                               "0\n11\n1.0\n21\n0.0\n31\n0.0\n"));
  d.entities.at(0).record.color = 3;
  reload(d);
  EXPECT_EQ(savedText_.find("1193046"), std::string::npos);
  EXPECT_NE(savedText_.find("370\n50\n"), std::string::npos);
}

TEST_F(RealDrawings, PaperSpaceAndSequencesAreKeptInPlace) {
  Drawing d = load(drawingFile(
      "",
      "0\nLINE\n8\n0\n67\n1\n10\n0.0\n20\n0.0\n30\n0.0\n11\n1.0\n21\n0.0\n31\n0.0\n" +
          std::string("0\nINSERT\n8\n0\n66\n1\n2\nB\n10\n0.0\n20\n0.0\n30\n0.0\n") +
          "0\nATTRIB\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n1\nVALUE\n2\nTAG\n70\n0\n0\nSEQEND\n8\n0\n" +
          "0\nPOLYLINE\n8\n0\n66\n1\n70\n8\n0\nVERTEX\n8\n0\n10\n1.0\n20\n2.0\n30\n3."
          "0\n70\n32\n0\nSEQEND\n8\n0\n"));
  EXPECT_TRUE(d.entities.empty());
  ASSERT_EQ(d.keptEntities.size(), 2u);
  ASSERT_EQ(d.paperLayouts.size(), 1u);
  Drawing again = reload(d);
  ASSERT_EQ(again.keptEntities.size(), 2u);
  ASSERT_EQ(again.paperLayouts.size(), 1u);
  EXPECT_EQ(again.paperLayouts[0].name, "Layout1");
  EXPECT_EQ(again.paperLayouts[0].entities.size(), 1u);
  EXPECT_NE(savedText_.find("VALUE"), std::string::npos);
}

}  // namespace
}  // namespace optgrind::standalone
