// The standalone host's operating-system services: the choosers ask on the
// command line, the registry answers with the install root, programs are
// started without a shell.
#pragma once

#include <string>
#include <vector>

#include "host/platform.h"
#include "standalone/console/console.h"

namespace optgrind::standalone {

class StandalonePlatform : public Platform {
 public:
  // installRoot answers every registry value; empty means none is set.
  StandalonePlatform(Console& console, std::string installRoot);

  int registryValue(const std::string& key, const std::string& value, std::string& out) override;
  int startProgram(const std::vector<std::string>& argv) override;
  LocalDate localDate() override;
  void messageBeep() override;
  int acedGetFileD(const std::string& title, const std::string& defaultName, const std::string& extension,
                   int flags, std::string& out) override;
  int browseForFolder(const std::string& title, std::string& out) override;
  int acedFindFile(const std::string& name, std::string& out) override;

 private:
  Console& console_;
  std::string installRoot_;
};

}  // namespace optgrind::standalone
