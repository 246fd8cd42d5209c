// U, UNDO and REDO at the command line, and the save question of QUIT and
// OPEN. Drawings are compared as the DXF files they save to.
#include <gtest/gtest.h>

#include "standalone/dxf/dxf_io.h"
#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

using testing::readFile;

// Two lines of the layer "0", drawn by one command.
const char* const kTwoLines = "LINE\n0,0\n10,0\n10,10\n\n";

TEST(Undo, UAfterEachKindOfChangeSavesTheDrawingAsBefore) {
  const char* const changes[] = {
      "PEDIT\n5,0\nY\nJ\nALL\n\nX\n",  // erases, adds and moves to the end
      "MOVE\nALL\n\n0,0\n5,5\n",       // changes in place
      "ERASE\n5,0\n\n",
      "CIRCLE\n3,3\n1\n",
      "LAYER\nM\nparts\n\n",  // a table and the current layer
      "LAYER\nLO\n0\n\n",
      "ZOOM\nW\n0,0\n1,1\n",  // the view kept in the header
  };
  for (const char* change : changes) {
    testing::TempDir dir;
    std::string before = dir.path() + "/before.dxf", after = dir.path() + "/after.dxf";
    testing::HostWithRoot s(std::string(kTwoLines) + "SAVE " + before + "\n" + change + "U\nSAVE " + after +
                            "\n");
    s.host.runCommandLoop();
    EXPECT_TRUE(readFile(after) == readFile(before)) << change << s.out.str();
  }
}

TEST(Undo, StepsGoBackAndForthAndANewCommandEndsRedo) {
  testing::TempDir dir;
  auto save = [&](const char* name) { return "SAVE " + dir.path() + "/" + name + ".dxf\n"; };
  testing::HostWithRoot s(save("empty") + kTwoLines + save("lines") + "CIRCLE\n3,3\n1\n" + save("both") +
                          "LIST\nALL\n\nU\n" + save("u1") + "U\n" + save("u2") + "U\nREDO\n" + save("r1") +
                          "REDO\nUNDO\nBack\nUNDO\n2\n" + save("u3") + "REDO\n" + save("r2") +
                          "U\nLINE\n0,0\n1,1\n\nREDO\n");
  s.host.runCommandLoop();
  auto file = [&](const char* name) { return readFile(dir.path() + "/" + name + ".dxf"); };
  EXPECT_EQ(file("u1"), file("lines")) << "LIST changed nothing and left no step";
  EXPECT_EQ(file("u2"), file("empty"));
  EXPECT_EQ(file("u3"), file("empty"));
  EXPECT_EQ(file("r1"), file("lines")) << "REDO reverses one U";
  EXPECT_EQ(file("r2"), file("both")) << "REDO reverses UNDO 2 whole";
  std::string out = s.out.str();
  for (const char* said :
       {"Undone: CIRCLE\n", "Everything has been undone\n", "Redone: LINE CIRCLE\n",
        "Auto, Control, BEgin, End, Mark and Back are not available", "Nothing to redo\n"}) {
    EXPECT_NE(out.find(said), std::string::npos) << said << out;
  }
}

// Walks of the drawing pass over long runs of erased entities; an undo
// that brings them back must make them selectable and pickable again.
TEST(Undo, EntitiesBroughtBackAreFoundAgain) {
  std::string zigzag = "LINE\n";
  for (int i = 0; i <= 300; ++i) zigzag += std::to_string(i * 10) + "," + std::to_string(i % 2 * 10) + "\n";
  testing::HostWithRoot s(zigzag +
                          "\nERASE\nALL\n\nLIST\nALL\n\nLIST\nALL\n\nU\nLIST\nALL\n\nREDO\n"
                          "LIST\nALL\n\nU\nERASE\n5,5\n\nLIST\nALL\n\n");
  s.host.runCommandLoop();
  std::string out = s.out.str();
  size_t undone = out.find("Undone: ERASE"), redone = out.find("Redone: ERASE"),
         again = out.rfind("Undone: ERASE");
  ASSERT_NE(redone, std::string::npos) << out;
  EXPECT_EQ(out.find("300 found", undone), out.rfind("300 found", redone)) << "one list between U and REDO";
  EXPECT_NE(out.find("300 found", undone), std::string::npos) << out;
  EXPECT_NE(out.find("299 found", again), std::string::npos) << "the picked line erased alone\n" << out;
}

// At a terminal, leaving a changed drawing asks first; a script is never
// asked (see the app tests).
TEST(Undo, QuitAndOpenAskToSaveChangesAndCancelStays) {
  struct Case {
    const char* leave;
    bool saved;
    bool stayed;
  };
  const Case cases[] = {{"QUIT\nCancel\n", false, true},
                        {"QUIT\nNo\n", false, false},
                        {"QUIT\n\n", true, false},
                        {"OPEN %first\nCancel\n", false, true},
                        {"OPEN %first\nY\n", true, true}};
  for (const Case& c : cases) {
    testing::TempDir dir;
    std::string first = dir.path() + "/first.dxf", stayed = dir.path() + "/stayed.dxf";
    std::string leave = c.leave;
    if (size_t at = leave.find('%'); at != std::string::npos) leave.replace(at, 6, first);
    testing::HostSession s("SAVE " + first + "\n" + kTwoLines + leave + "SAVE " + stayed + "\n", false);
    s.host.runCommandLoop();
    EXPECT_TRUE(s.said("Save changes to first.dxf? [Yes/No/Cancel] <Yes>: "));
    Drawing saved;
    ASSERT_TRUE(loadDxf(first, saved).ok);
    EXPECT_EQ(liveEntityCount(saved) == 2, c.saved) << c.leave;
    EXPECT_EQ(std::filesystem::exists(stayed), c.stayed) << c.leave;
  }
}

}  // namespace
}  // namespace optgrind::standalone
