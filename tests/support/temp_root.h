// A standalone host over string streams with its own temporary install
// root, for tests that read and write data files.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/messages.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "optgrind-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline void writeFile(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// How often part stands in text.
inline size_t countOf(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// What a shell command writes on standard output, and its exit status (-1
// when it did not exit).
struct CommandRun {
  int status = -1;
  std::string output;
};
inline CommandRun runCommand(const std::string& command) {
  CommandRun result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) result.output.append(buf, n);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A standalone host over string streams: `answers` are the lines the user
// types; `script` false makes the console a terminal's (Ctrl-C is caught).
struct HostSession {
  explicit HostSession(const std::string& answers = std::string(), bool script = true,
                       const std::string& root = std::string())
      : in(answers), console(in, out, script), host(console, {root}) {}
  // Whether the console showed this text.
  bool said(const std::string& text) const { return out.str().find(text) != std::string::npos; }
  std::istringstream in;
  std::ostringstream out;
  standalone::Console console;
  standalone::StandaloneHost host;
};

// A test over a standalone host whose answers are given later (session.in).
struct HostTest : ::testing::Test {
  HostSession session;
  standalone::StandaloneHost& host = session.host;
  EntityName make(const EntityRecord& r) {
    EntityName n;
    EXPECT_EQ(host.acdbEntMake(r, n), RTNORM);
    return n;
  }
};

// "mis_set.set" of 72 lines, all 0 but the language line 28.
inline std::string misSetWithLanguage(int language) {
  std::string text;
  for (int line = 1; line <= 72; ++line) text += (line == 28 ? std::to_string(language) : "0") + "\r\n";
  return text;
}

// A standalone host whose install root is a temporary folder with DAT in it,
// whose "mis_set.set" selects English messages; below the settings layer,
// where nothing reads that file, messages are English all the same.
// `answers` are the lines the user types.
// A base, so that the folder is made before the session given its path.
struct TempRoot {
  TempDir root;
};
struct HostWithRoot : TempRoot, HostSession {
  explicit HostWithRoot(const std::string& answers = std::string())
      : HostSession(answers, true, root.path()) {
    std::filesystem::create_directories(dataDir());
    writeFile(dataFile("mis_set.set"), misSetWithLanguage(2));
    setLanguageProvider([](Host&) { return kLangEnglish; });
  }
  ~HostWithRoot() { setLanguageProvider(nullptr); }
  std::string dataDir() const { return root.path() + "/DAT"; }
  std::string dataFile(const std::string& name) const { return dataDir() + "/" + name; }
};

}  // namespace optgrind::testing
