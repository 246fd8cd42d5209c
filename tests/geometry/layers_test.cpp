// Making, opening up and switching layers, and the layer state file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

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

// {colour, lineweight, off, locked} of a layer.
std::tuple<int, int, bool, bool> layerState(Host& host, const std::string& name) {
  LayerRecord l = layerNamed(host, name);
  return {l.color, l.lineweight, l.off, l.locked};
}

std::string currentLayer(Host& host) {
  ResBuf value;
  host.acedGetVar("CLAYER", value);
  return value.asString();
}

TEST_F(LayersTest, MakeLayerCreatesUpdatesAndMakesCurrent) {
  // Lineweights are lowered to the standard one below them: 12 to 9.
  EXPECT_EQ(standardLineweight(500), 211);
  LayerInfo made = makeLayer(host, "  PATH_MARKERS_LONG  ", "NOSUCH", 3, 1, 12);
  EXPECT_EQ(made.name, "PATH_MARKERS");
  EXPECT_EQ(made.linetype, "CONTINUOUS");
  EXPECT_EQ(made.isOff, 1);
  EXPECT_EQ(layerState(host, "PATH_MARKERS"), std::make_tuple(3, 9, true, true));
  EXPECT_EQ(currentLayer(host), "PATH_MARKERS");

  makeLayer(host, "PATH_MARKERS", "CONTINUOUS", 5, 0, kKeepLineweight);
  EXPECT_EQ(layerState(host, "PATH_MARKERS"), std::make_tuple(5, 9, false, false));

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

  int id = -1;
  ASSERT_EQ(host.addLayer({.name = "MARK", .frozen = true, .locked = true}, id), RTNORM);
  setCurrentLayer(host, "mark");
  EXPECT_EQ(currentLayer(host), "MARK");
  EXPECT_FALSE(layerNamed(host, "MARK").frozen);
  EXPECT_EQ(setCurrentLayerById(host, 0), RTNORM);
  EXPECT_EQ(currentLayer(host), "0");
}

TEST_F(LayersTest, OpenUpLayersByPattern) {
  for (const char* name : {"Cut1", "CUT2", "MARK"}) {
    int id = -1;
    ASSERT_EQ(host.addLayer({.name = name, .off = true, .frozen = true, .locked = true}, id), RTNORM);
  }
  openUpLayers(host, "cut*", 1);
  EXPECT_FALSE(layerNamed(host, "Cut1").off);
  EXPECT_FALSE(layerNamed(host, "CUT2").frozen);
  EXPECT_TRUE(layerNamed(host, "MARK").locked);
  openUpLayers(host, "MARK", 0);
  EXPECT_FALSE(layerNamed(host, "MARK").off);
}

// A layer name may hold blanks: "A 1" is restored as "A 1", and the layer
// "A" keeps its own state.
TEST_F(LayersTest, StatesSurviveTheLayerFile) {
  char here[PATH_MAX];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(env.root.path().c_str()), 0);
  for (const char* name : {"A", "A 1", "B  "}) addLayer(name);
  LayerRecord spaced = layerNamed(host, "A 1");
  spaced.off = spaced.locked = spaced.frozen = true;
  ASSERT_EQ(host.setLayer(spaced), RTNORM);
  saveLayerStates(host);
  std::string text = readFile(kLayerStateFile);
  EXPECT_EQ(text.rfind("Layer state data file!\r\nID: ", 0), 0u);
  EXPECT_NE(text.find("\r\nA 1 1 1 1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nA 0 0 0\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 9), "\r\nThe end");

  spaced.off = spaced.locked = spaced.frozen = false;
  ASSERT_EQ(host.setLayer(spaced), RTNORM);
  LayerRecord trailing = layerNamed(host, "B  ");
  trailing.locked = true;
  ASSERT_EQ(host.setLayer(trailing), RTNORM);
  restoreLayerStates(host);
  spaced = layerNamed(host, "A 1");
  EXPECT_TRUE(spaced.off && spaced.locked && spaced.frozen);
  EXPECT_FALSE(layerNamed(host, "A").off || layerNamed(host, "A").frozen);
  EXPECT_FALSE(layerNamed(host, "B  ").locked);
  // Only the renamed file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(env.root.path()),
                          std::filesystem::directory_iterator()),
            2);  // DAT and layer.tmp
  // Lines that are no states are skipped.
  writeFile(env.root.path() + "/" + kLayerStateFile,
            "Layer state data file!\r\nID: 1\r\nA 1 x 1\r\nA\r\n1 1 1\r\n 1 1 1\r\nThe end");
  restoreLayerStates(host);
  EXPECT_FALSE(layerNamed(host, "A").off);
  ASSERT_EQ(chdir(here), 0);
  restoreLayerStates(host, env.root.path() + "/missing.tmp");
}

}  // namespace
}  // namespace optgrind::testing
