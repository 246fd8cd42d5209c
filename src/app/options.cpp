#include "app/options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace optgrind {
namespace {

bool isDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// "PORT" or "ADDRESS:PORT" after --view; false for anything else (a drawing).
bool parseViewPlace(const std::string& text, std::string& address, int& port) {
  size_t colon = text.rfind(':');
  std::string digits = colon == std::string::npos ? text : text.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  int value = std::stoi(digits);
  if (value > 65535) return false;
  if (colon != std::string::npos) {
    address = text.substr(0, colon);
    // "[::1]:8080": the brackets only separate the port.
    if (address.size() > 1 && address.front() == '[' && address.back() == ']')
      address = address.substr(1, address.size() - 2);
    if (address.empty()) return false;
  }
  port = value;
  return true;
}

}  // namespace

std::string bundledRoot() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n > 0) {
    std::string exe(buf, static_cast<size_t>(n));
    std::string dir = exe.substr(0, exe.find_last_of('/'));
    std::string installed = dir + "/../share/optgrind";
    if (isDirectory(installed + "/DAT")) return installed;
  }
  return OPTGRIND_BUNDLED_ROOT;
}

bool parseOptions(int argc, char** argv, AppOptions& out, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= argc) {
        error = "option " + arg + " needs a value";
        return false;
      }
      target = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--version") {
      out.version = true;
    } else if (arg == "--root") {
      if (!value(out.root)) return false;
    } else if (arg == "--script") {
      if (!value(out.script)) return false;
    } else if (arg == "--save") {
      if (!value(out.save)) return false;
    } else if (arg == "--svg") {
      if (!value(out.svg)) return false;
    } else if (arg == "--view") {
      out.view = true;
      if (i + 1 < argc && parseViewPlace(argv[i + 1], out.viewAddress, out.viewPort)) ++i;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (!out.drawing.empty()) {
      error = "only one drawing can be opened: " + arg;
      return false;
    } else {
      out.drawing = arg;
    }
  }
  if (out.view && !out.script.empty()) {
    error = "--view takes its answers from the terminal and the page, not from --script";
    return false;
  }
  return true;
}

std::string resolveInstallRoot(const AppOptions& opts) {
  if (!opts.root.empty()) return opts.root;
  if (const char* env = std::getenv("OPTGRIND_ROOT"); env && *env) return env;
  return bundledRoot();
}

std::string installRootSource(const AppOptions& opts) {
  if (!opts.root.empty()) return "--root";
  if (const char* env = std::getenv("OPTGRIND_ROOT"); env && *env) return "OPTGRIND_ROOT";
  return "bundled";
}

std::string installRootWarning(const AppOptions& opts) {
  std::string root = resolveInstallRoot(opts);
  std::string problem;
  if (!isDirectory(root)) {
    problem = "does not exist";
  } else if (!isDirectory(root + "/DAT")) {
    problem = "has no DAT folder";
  } else {
    return std::string();
  }
  // Without "mis_set.set" the language is line 28's default, Traditional Chinese.
  return "optgrind: the install root " + root + " (" + installRootSource(opts) + ") " + problem +
         ": no settings are read or saved, and messages are in Traditional Chinese\n";
}

}  // namespace optgrind
