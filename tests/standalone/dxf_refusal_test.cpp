// Files that are not well-formed ASCII DXF are refused with a message that
// names the file and the line, and the drawing is left as it was.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kRandomSeed = 20261205;

std::string entitiesFile(const std::string& records) {
  return "0\nSECTION\n2\nENTITIES\n" + records + "0\nENDSEC\n0\nEOF\n";
}

class DxfRefusal : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dxf_bad_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    drawing_ = newDrawing();
    EntityRecord keep;
    keep.geom = LineGeom{{1, 2, 3}, {4, 5, 6}, 0.0};
    appendEntity(drawing_, keep);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Loads `bytes` from a file; expects a refusal naming the file, the given
  // words and the untouched drawing. Returns the message.
  std::string refuse(const std::string& bytes, const std::string& expected) {
    std::string path = (dir_ / "bad.dxf").string();
    std::ofstream(path, std::ios::binary) << bytes;
    Outcome r = loadDxf(path, drawing_);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.where().find(path), std::string::npos) << r.message;
    EXPECT_NE(r.where().find(expected), std::string::npos) << r.message;
    EXPECT_EQ(drawing_.entities.size(), 1u);
    EXPECT_EQ(drawing_.entities[0].record.as<LineGeom>()->end.z, 6.0);
    return r.message;
  }

  fs::path dir_;
  Drawing drawing_;
};

TEST_F(DxfRefusal, EmptyMissingAndBinaryFiles) {
  refuse("", "is empty");
  refuse("AutoCAD Binary DXF\r\n\x1a", "binary DXF");
  std::string random(4096, '\0');
  std::mt19937 gen(kRandomSeed);
  for (char& c : random) c = static_cast<char>(gen());
  refuse(random, "line ");
  Outcome r = loadDxf((dir_ / "absent.dxf").string(), drawing_);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("cannot open"), std::string::npos);
}

TEST_F(DxfRefusal, TruncatedFiles) {
  std::string whole = entitiesFile("0\nLINE\n8\n0\n10\n1\n20\n2\n11\n3\n21\n4\n");
  refuse(whole.substr(0, whole.find("21\n") + 3), "line 15: the file ends inside a group");
  refuse(whole.substr(0, whole.find("0\nENDSEC")), "without the EOF marker");
  refuse(whole.substr(0, whole.find("0\nEOF")), "without the EOF marker");
}

TEST_F(DxfRefusal, BrokenGroups) {
  refuse(entitiesFile("0\nLINE\n8\n0\n10\n1,5\n20\n2\n"), "line 10: group 10 needs a number, found '1,5'");
  refuse(entitiesFile("0\nLINE\n8\n0\n10\nabc\n"), "group 10 needs a number");
  refuse(entitiesFile("0\nLINE\n8\n0\n10\nnan\n"), "group 10 needs a number");
  refuse(entitiesFile("0\nLINE\nX8\n0\n"), "line 7: expected a group code, found 'X8'");
  refuse(entitiesFile("0\nLINE\n5000\n0\n"), "group code 5000 is out of range");
  refuse(entitiesFile("0\nTEXT\n8\n0\n1\n" + std::string(2050, 'x') + "\n"), "line 10: line longer than");
  refuse(entitiesFile("0\nLINE\n8\n0\n1\nab" + std::string(1, '\0') + "cd\n"), "NUL byte");
}

TEST_F(DxfRefusal, BrokenStructure) {
  refuse("0\nSECTION\n2\nENTITIES\n0\nSECTION\n2\nBLOCKS\n0\nENDSEC\n0\nEOF\n", "is not closed");
  refuse("0\nLINE\n8\n0\n0\nEOF\n", "outside any section");
  refuse(entitiesFile("") + "0\nLINE\n", "data after the EOF marker");
  refuse(entitiesFile("0\nLINE\n10\n1\n"), "LINE without a layer");
}

TEST_F(DxfRefusal, DeclaredCountsMustFitTheFile) {
  std::string huge = entitiesFile("0\nLWPOLYLINE\n8\n0\n90\n600000000\n70\n0\n10\n0\n20\n0\n");
  EXPECT_LT(huge.size(), 133u);
  refuse(huge, "line 10: 600000000 items declared");
  refuse(entitiesFile("0\nLWPOLYLINE\n8\n0\n90\n100000000\n10\n0\n20\n0\n"), "items declared");
  refuse(entitiesFile("0\nLWPOLYLINE\n8\n0\n90\n-5\n10\n0\n20\n0\n"), "negative count");
  refuse(entitiesFile("0\nLEADER\n8\n0\n76\n2\n76\n2\n10\n0\n20\n0\n10\n1\n20\n1\n"), "given twice");
  refuse(entitiesFile("0\nLWPOLYLINE\n8\n0\n90\n1\n10\n0\n20\n0\n10\n1\n20\n1\n"),
         "LWPOLYLINE declares 1 vertices but lists 2");
}

TEST_F(DxfRefusal, AGoodFileAfterABadOneLoads) {
  refuse(entitiesFile("0\nLINE\n8\n0\n10\nabc\n"), "needs a number");
  std::string path = (dir_ / "good.dxf").string();
  std::ofstream(path) << entitiesFile("0\nLINE\n8\nA\n10\n1\n20\n2\n11\n3\n21\n4\n");
  Outcome r = loadDxf(path, drawing_);
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(drawing_.entities.size(), 1u);
  EXPECT_EQ(drawing_.entities[0].record.layer, "A");
  EXPECT_EQ(drawing_.entities[0].record.as<LineGeom>()->end, (Point3{3, 4, 0}));
  EXPECT_NE(findLayer(drawing_, "A"), nullptr);
}

}  // namespace
}  // namespace optgrind::standalone
