// Making, opening up and switching layers, and the layer state file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "geometry/drawing_fixture.h"
#include "geometry/layer_state_file.h"
#include "geometry/layers.h"
#include "host/messages.h"

namespace optgrind::testing {
namespace {

struct LayersTest : DrawingTest {
  void TearDown() override { setLanguageProvider(nullptr); }
};

LayerRecord layerNamed(Host& host, const std::string& name) {
  for (const LayerRecord& layer : host.layers()) {
    if (layer.name == name) return layer;
  }
  return LayerRecord{};
}

std::string currentLayer(Host& host) {
  ResBuf value;
  host.acedGetVar("CLAYER", value);
  return value.asString();
}

TEST(Lineweights, LoweredToTheStandardOnes) {
  EXPECT_EQ(standardLineweight(12), 9);
  EXPECT_EQ(standardLineweight(4), 0);
  EXPECT_EQ(standardLineweight(211), 211);
  EXPECT_EQ(standardLineweight(500), 211);
  EXPECT_EQ(standardLineweight(35), 35);
}

TEST_F(LayersTest, MakeLayerCreatesUpdatesAndMakesCurrent) {
  LayerInfo made = makeLayer(host, "  PATH_MARKERS_LONG  ", "NOSUCH", 3, 1, 12);
  EXPECT_EQ(made.name, "PATH_MARKERS");
  EXPECT_EQ(made.linetype, "CONTINUOUS");
  EXPECT_EQ(made.isOff, 1);
  LayerRecord layer = layerNamed(host, "PATH_MARKERS");
  EXPECT_EQ(layer.lineweight, 9);
  EXPECT_EQ(layer.color, 3);
  EXPECT_TRUE(layer.off);
  EXPECT_TRUE(layer.locked);
  EXPECT_EQ(currentLayer(host), "PATH_MARKERS");

  makeLayer(host, "PATH_MARKERS", "CONTINUOUS", 5, 0, kKeepLineweight);
  layer = layerNamed(host, "PATH_MARKERS");
  EXPECT_EQ(layer.lineweight, 9);
  EXPECT_EQ(layer.color, 5);
  EXPECT_FALSE(layer.off);
  EXPECT_FALSE(layer.locked);

  LayerInfo info = layerInfo(host, layerId(host, "PATH_MARKERS"));
  EXPECT_EQ(info.colorIndex, 5);
  EXPECT_EQ(layerId(host, "NOPE"), -1);
  EXPECT_EQ(layerInfo(host, -1).name, "0");

  setLanguageProvider([](Host&) { return kLangEnglish; });
  size_t before = host.layers().size();
  EXPECT_EQ(makeLayer(host, "   ", "", 1, 0, kKeepLineweight).name, "0");
  EXPECT_EQ(host.layers().size(), before);
  EXPECT_NE(env.out.str().find("\nlayer name is null!"), std::string::npos);
}

TEST_F(LayersTest, SetCurrentLayerRemovesBlanksAndCreatesMissingLayers) {
  setLanguageProvider([](Host&) { return kLangEnglish; });
  setCurrentLayer(host, "  CUT 1 ");
  EXPECT_NE(env.out.str().find("\nThe layer is not exist !"), std::string::npos);
  EXPECT_EQ(currentLayer(host), "CUT1");
  EXPECT_EQ(layerNamed(host, "CUT1").color, 1);

  LayerRecord frozen;
  frozen.name = "MARK";
  frozen.frozen = true;
  frozen.locked = true;
  int id = -1;
  ASSERT_EQ(host.addLayer(frozen, id), RTNORM);
  setCurrentLayer(host, "mark");
  EXPECT_EQ(currentLayer(host), "MARK");
  EXPECT_FALSE(layerNamed(host, "MARK").frozen);
  EXPECT_EQ(setCurrentLayerById(host, 0), RTNORM);
  EXPECT_EQ(currentLayer(host), "0");
}

TEST_F(LayersTest, OpenUpLayersByPattern) {
  for (const char* name : {"Cut1", "CUT2", "MARK"}) {
    LayerRecord layer;
    layer.name = name;
    layer.off = layer.locked = layer.frozen = true;
    int id = -1;
    ASSERT_EQ(host.addLayer(layer, id), RTNORM);
  }
  openUpLayers(host, "cut*", 1);
  EXPECT_FALSE(layerNamed(host, "Cut1").off);
  EXPECT_FALSE(layerNamed(host, "CUT2").frozen);
  EXPECT_TRUE(layerNamed(host, "MARK").locked);
  openUpLayers(host, "MARK", 0);
  EXPECT_FALSE(layerNamed(host, "MARK").off);
}

TEST_F(LayersTest, StatesSurviveTheLayerFile) {
  char here[PATH_MAX];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(env.root.path().c_str()), 0);
  for (const char* name : {"A", "B C"}) {
    LayerRecord layer;
    layer.name = name;
    int id = -1;
    ASSERT_EQ(host.addLayer(layer, id), RTNORM);
  }
  LayerRecord a = layerNamed(host, "A");
  a.off = a.locked = true;
  ASSERT_EQ(host.setLayer(a), RTNORM);
  saveLayerStates(host);
  std::string text = readFile(kLayerStateFile);
  EXPECT_EQ(text.rfind("Layer state data file!\r\nID: ", 0), 0u);
  EXPECT_NE(text.find("\r\nA 1 0 1\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 9), "\r\nThe end");

  a.off = a.locked = false;
  a.frozen = true;
  ASSERT_EQ(host.setLayer(a), RTNORM);
  LayerRecord bc = layerNamed(host, "B C");
  bc.off = true;
  ASSERT_EQ(host.setLayer(bc), RTNORM);
  restoreLayerStates(host);
  a = layerNamed(host, "A");
  EXPECT_TRUE(a.off);
  EXPECT_TRUE(a.locked);
  EXPECT_FALSE(a.frozen);
  EXPECT_TRUE(layerNamed(host, "B C").off);  // cut at the blank: not found on restore
  ASSERT_EQ(chdir(here), 0);
  restoreLayerStates(host, env.root.path() + "/missing.tmp");
}

}  // namespace
}  // namespace optgrind::testing
