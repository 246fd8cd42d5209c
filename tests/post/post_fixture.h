// A post-processor test bench on the standalone host: loads WCF text, runs
// event scripts, and collects the NC text and the command-line messages.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/messages.h"
#include "post/event_script.h"
#include "post/executor.h"
#include "post/post_state.h"
#include "post/program_load.h"
#include "post/settings_scan.h"
#include "post/wcf_file.h"
#include "standalone/host/standalone_host.h"
#include "support/temp_root.h"

namespace optgrind::test {

using testing::readFile;

struct PostFixture : ::testing::Test {
  std::istringstream answers;
  std::ostringstream console_out;
  standalone::Console console{answers, console_out, false};
  standalone::StandaloneHost host{console, {std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind"}};
  StringNcSink sink;

  void SetUp() override {
    resetPostState();
    setNcSink(&sink);
    setLanguageProvider([](Host&) { return kLangEnglish; });  // the bundled "mis_set.set" says English
  }
  void TearDown() override {
    setLanguageProvider(nullptr);
    setNcSink(nullptr);
    resetPostState();
  }
  // The settings scan and the program load of WCF text; reports name it `name`.
  void load(const std::string& wcf, const std::string& name = "test.wcf") {
    scanWcfSettings(host, wcf, name);
    loadWcfProgram(host, wcf, name);
  }
  // Runs the script and answers the NC text it wrote.
  std::string run(const std::string& script) {
    sink.clear();
    EventScriptResult result = runEventScript(host, script);
    EXPECT_EQ(result.valid, 1) << "line " << result.badLine << ": " << result.text;
    return sink.text();
  }
  std::string messages() const { return console_out.str(); }
};

}  // namespace optgrind::test
