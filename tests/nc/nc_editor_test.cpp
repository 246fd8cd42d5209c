// The NC editor at the end of a run: shown, and in a script run not started.
#include "nc/nc_editor.h"

#include "nc/nc_fixture.h"

namespace optgrind {
namespace {

using testing::NcTest;

TEST_F(NcTest, AScriptRunShowsTheEditorCommandAndStartsNothing) {
  answers("");
  openInNcEditor(host(), "/usr/bin/true", "/w/A.NC");
  EXPECT_TRUE(has("\n/usr/bin/true /w/A.NC\n"));
  EXPECT_TRUE(has("\nstart: /usr/bin/true /w/A.NC\n"));
}

}  // namespace
}  // namespace optgrind
