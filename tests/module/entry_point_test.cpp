// The module's entry point against the standalone host.
#include "module/entry_point.h"

#include <gtest/gtest.h>

#include "host/current_host.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

// Records the add calls the module makes, then forwards them.
class RecordingHost : public HostWrapper {
 public:
  using HostWrapper::HostWrapper;
  bool addCommand(const std::string& group, const std::string& globalName, const std::string& localName,
                  int flags, CommandHandler handler) override {
    adds.push_back(group + ":" + globalName + ":" + localName + ":" + std::to_string(flags));
    return HostWrapper::addCommand(group, globalName, localName, flags, handler);
  }
  std::vector<std::string> adds;
};

struct EntryPointTest : ::testing::Test {
  testing::HostSession session;
  standalone::StandaloneHost& standaloneHost = session.host;
  std::ostringstream& out = session.out;
  RecordingHost host{&standaloneHost};
};

TEST_F(EntryPointTest, LoadRegistersTheFourCommandsUnloadRemovesThemAndNamesMatchWithoutCase) {
  EXPECT_EQ(acrxEntryPoint(host, kInitAppMsg, nullptr), kRetOK);
  EXPECT_EQ(host.adds,
            (std::vector<std::string>{"Kestro_OPT:opt:opt:0", "Kestro_OPT:pw_opt:pw_opt:0",
                                      "Kestro_OPT:opt_mark:opt_mark:0", "Kestro_OPT:opt_set:opt_set:0"}));
  ASSERT_EQ(standaloneHost.commands().size(), 4u);
  EXPECT_EQ(currentHost(), &host);
  // Other messages change nothing.
  for (int msg : {0, 3, 7, 99, -1}) EXPECT_EQ(acrxEntryPoint(host, msg, nullptr), kRetOK);
  EXPECT_EQ(standaloneHost.commands().size(), 4u);

  EXPECT_EQ(acrxEntryPoint(host, kUnloadAppMsg, nullptr), kRetOK);
  EXPECT_TRUE(standaloneHost.commands().empty());

  // Loading again registers them again; their names match without case.
  EXPECT_EQ(acrxEntryPoint(host, kInitAppMsg, nullptr), kRetOK);
  EXPECT_EQ(standaloneHost.commands().size(), 4u);
  EXPECT_TRUE(standaloneHost.runCommand("OPT_SET"));
  EXPECT_TRUE(standaloneHost.runCommand("Pw_Opt"));
  EXPECT_FALSE(standaloneHost.runCommand("optx"));
  // pw_opt ran: with no path defined it says so, in the language of the settings.
  bool noPath = out.str().find("No Optical Path !") != std::string::npos ||
                out.str().find("沒有光學路徑 !") != std::string::npos;
  EXPECT_TRUE(noPath) << out.str();
  acrxEntryPoint(host, kUnloadAppMsg, nullptr);
}

}  // namespace
}  // namespace optgrind
