// U after the whole grinding job brings the drawing back as it was saved
// before it, also when the host refused an entity in the middle of the job.
#include <gtest/gtest.h>

#include "module/entry_point.h"
#include "standalone/dxf/dxf_io.h"
#include "support/program_session.h"

namespace optgrind {
namespace {

using testing::readFile;

// The punch job of the examples, without its comments.
std::string punchJob() {
  std::istringstream lines(readFile(std::string(OPTGRIND_SOURCE_DIR) + "/examples/punch_job.scr"));
  std::string job, line;
  while (std::getline(lines, line)) {
    if (line.rfind("//", 0) != 0) job += line + "\n";
  }
  return job;
}

TEST(UndoJob, UAfterTheJobRestoresTheDrawingAndRedoBringsItBack) {
  testing::ProgramSession session;
  std::string dir = session.dir.path() + "/";
  std::filesystem::copy(std::string(OPTGRIND_SOURCE_DIR) + "/examples/punch.dxf", dir + "punch.dxf");
  auto run =
      session.runScript("SAVE " + dir + "before.dxf\n" + punchJob() + "SAVE " + dir + "after.dxf\nU\n" +
                            "SAVE " + dir + "undone.dxf\nREDO\nSAVE " + dir + "redone.dxf\nQUIT\n",
                        "'" + dir + "punch.dxf'");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(readFile(dir + "after.dxf"), readFile(dir + "before.dxf"));
  EXPECT_EQ(readFile(dir + "undone.dxf"), readFile(dir + "before.dxf"));
  EXPECT_EQ(readFile(dir + "redone.dxf"), readFile(dir + "after.dxf"));
  EXPECT_EQ(run.output.find("Save changes"), std::string::npos) << "a script is never asked";
}

// The standalone host, refusing one entity make: the first `makesBefore` go through.
class RefusingMake : public HostWrapper {
 public:
  RefusingMake(Host* target, int makesBefore) : HostWrapper(target), makesLeft_(makesBefore) {}
  int acdbEntMake(const EntityRecord& entity, EntityName& out) override {
    if (makesLeft_-- == 0) return RTERROR;
    return HostWrapper::acdbEntMake(entity, out);
  }
  bool refused() const { return makesLeft_ < 0; }

 private:
  int makesLeft_;
};

TEST(UndoJob, URestoresWhatAJobCutShortByARefusedMakeHadDone) {
  for (int makesBefore : {0, 1, 3}) {
    testing::TempDir dir;
    std::string punch = dir.path() + "/punch.dxf", before = dir.path() + "/before.dxf";
    std::filesystem::copy(std::string(OPTGRIND_SOURCE_DIR) + "/examples/punch.dxf", punch);
    testing::HostSession session(punchJob() + "SAVE " + dir.path() + "/cut.dxf\nU\n", true,
                                 std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind");
    standalone::StandaloneHost& host = session.host;
    standalone::Drawing drawing;
    ASSERT_TRUE(standalone::loadDxf(punch, drawing).ok);
    drawing.path = punch;
    host.setDrawing(std::move(drawing));
    ASSERT_TRUE(standalone::saveDxf(host.drawing(), before).ok);
    RefusingMake refusing(&host, makesBefore);
    acrxEntryPoint(refusing, kInitAppMsg, &refusing);
    host.runCommandLoop();
    acrxEntryPoint(refusing, kUnloadAppMsg, &refusing);
    EXPECT_TRUE(refusing.refused()) << makesBefore;
    ASSERT_TRUE(standalone::saveDxf(host.drawing(), punch).ok);
    EXPECT_NE(readFile(dir.path() + "/cut.dxf"), readFile(before)) << makesBefore << session.out.str();
    EXPECT_EQ(readFile(punch), readFile(before)) << makesBefore << session.out.str();
  }
}

}  // namespace
}  // namespace optgrind
