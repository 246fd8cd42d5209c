// Platform: the services the system takes from the operating system rather
// than from the CAD host: a registry value, starting a program, the local
// date, the error beep, the file and folder choosers and the file search.
//
// The system reaches it through Host::platform(). Int results are host
// result codes as in host.h: RTNORM on success; on any failure the
// out-parameters are left unchanged.
//
// PlatformWrapper forwards every call, so a test can change one service (a
// missing registry value, a program that is recorded instead of started).
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"

namespace optgrind {

class Platform {
 public:
  Platform() = default;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  virtual ~Platform() = default;

  // RegQueryValueEx under HKEY_LOCAL_MACHINE: the string `value` of `key`
  // in out. RTERROR when the key cannot be opened or has no such value.
  virtual int registryValue(const std::string& key, const std::string& value, std::string& out) = 0;
  // Starts a program without waiting for it and without a shell: argv[0] is
  // the program, found on the search path; the rest are its arguments, passed
  // as they stand. RTNORM when it was started; RTERROR when argv is empty or
  // the program could not be started.
  virtual int startProgram(const std::vector<std::string>& argv) = 0;
  // GetLocalTime: today's date and the time of day. Never fails.
  virtual LocalDate localDate() = 0;
  // MessageBeep: the system's error beep. Never fails.
  virtual void messageBeep() = 0;
  // acedGetFileD: the user chooses a file; title is the dialog's caption,
  // defaultName the name offered, extension the filter ("wcf"). RTNORM with
  // the path in out; RTCAN when the user cancelled or gave no name.
  virtual int acedGetFileD(const std::string& title, const std::string& defaultName,
                           const std::string& extension, int flags, std::string& out) = 0;
  // SHBrowseForFolder: the user chooses a folder. RTNORM with its path in
  // out; RTCAN when the user cancelled or gave no path.
  virtual int browseForFolder(const std::string& title, std::string& out) = 0;
  // acedFindFile: the full name of an existing regular file. RTNORM with the
  // name in out; RTERROR when name is empty, absent or not a regular file.
  virtual int acedFindFile(const std::string& name, std::string& out) = 0;
};

// Forwards every call to another Platform.
class PlatformWrapper : public Platform {
 public:
  explicit PlatformWrapper(Platform* target) : target_(target) {}
  Platform* target() const { return target_; }

  int registryValue(const std::string& key, const std::string& value, std::string& out) override {
    return target_->registryValue(key, value, out);
  }
  int startProgram(const std::vector<std::string>& argv) override { return target_->startProgram(argv); }
  LocalDate localDate() override { return target_->localDate(); }
  void messageBeep() override { target_->messageBeep(); }
  int acedGetFileD(const std::string& title, const std::string& defaultName, const std::string& extension,
                   int flags, std::string& out) override {
    return target_->acedGetFileD(title, defaultName, extension, flags, out);
  }
  int browseForFolder(const std::string& title, std::string& out) override {
    return target_->browseForFolder(title, out);
  }
  int acedFindFile(const std::string& name, std::string& out) override {
    return target_->acedFindFile(name, out);
  }

 private:
  Platform* target_;
};

}  // namespace optgrind
