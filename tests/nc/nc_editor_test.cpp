// The NC editor's command: as given with a directory, from the install
// root's program folder, from PATH, or the desktop's opener.
#include "nc/nc_editor.h"

#include <sys/stat.h>

#include "nc/nc_fixture.h"

namespace optgrind {
namespace {

using testing::NcTest;

std::string fileNameOfPath(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

void makeProgram(const std::string& path) {
  testing::writeFile(path, "#!/bin/sh\n");
  chmod(path.c_str(), 0755);
}

TEST_F(NcTest, TheEditorIsFoundInTheProgramFolderThenOnPathAndAsGivenWithADirectory) {
  const std::string nc = "/w/A.NC";
  EXPECT_EQ(editorCommand(host(), "/opt/ed/pe2", nc), (std::vector<std::string>{"/opt/ed/pe2", nc}));
  EXPECT_EQ(editorCommand(host(), "c:\\pe2.exe", nc), (std::vector<std::string>{"c:\\pe2.exe", nc}));
  std::string root = env->root.path();
  makeProgram(root + "/program/noteedit.exe");
  EXPECT_EQ(editorCommand(host(), "noteedit", nc),
            (std::vector<std::string>{root + "/program/noteedit.exe", nc}));
  makeProgram(root + "/program/noteedit");
  EXPECT_EQ(editorCommand(host(), " noteedit ", nc),
            (std::vector<std::string>{root + "/program/noteedit", nc}));
  std::vector<std::string> onPath = editorCommand(host(), "sh", nc);
  ASSERT_EQ(onPath.size(), 2u);
  EXPECT_EQ(fileNameOfPath(onPath[0]), "sh");
  EXPECT_EQ(onPath[0].front(), '/');
  EXPECT_EQ(editorCommand(host(), "no-such-editor", nc), (std::vector<std::string>{"no-such-editor", nc}));
  std::vector<std::string> opener = editorCommand(host(), "", nc);
  if (!opener.empty()) {
    EXPECT_EQ(opener.back(), nc);
  }
}

TEST(NcEditor, TheCommandLineQuotesEveryArgument) {
  EXPECT_EQ(shellCommandLine({"/usr/bin/ed", "/w/it's here.NC"}), "'/usr/bin/ed' '/w/it'\\''s here.NC'");
}

TEST_F(NcTest, AScriptRunShowsTheCommandAndStartsNothing) {
  answers("");
  openInNcEditor(host(), "/usr/bin/true", "/w/A.NC");
  EXPECT_TRUE(has("\n'/usr/bin/true' '/w/A.NC'\n"));
  EXPECT_TRUE(has("(script run: not started) '/usr/bin/true' '/w/A.NC'"));
}

}  // namespace
}  // namespace optgrind
