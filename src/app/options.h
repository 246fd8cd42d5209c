// The optgrind program's command-line options.
#pragma once

#include <string>
#include <vector>

namespace optgrind {

inline constexpr const char* kUsage =
    "usage: optgrind [--root DIR] [--script FILE] [--save FILE.dxf] [--svg FILE.svg] [DRAWING.dxf]\n"
    "       optgrind [--root DIR] --view [[ADDRESS:]PORT] [--save FILE.dxf] [--svg FILE.svg] [DRAWING.dxf]\n"
    "       optgrind [--root DIR] wcf FILE [--events EVENTS]\n"
    "       optgrind --help | --version\n"
    "\n"
    "  --root DIR      install root (its DAT folder holds the settings and WCF files);\n"
    "                  default: $OPTGRIND_ROOT, else the root bundled with the program\n"
    "  --script FILE   read the answers from FILE (\"-\" for standard input) and echo them\n"
    "  --save FILE     save the drawing as DXF when the session ends\n"
    "  --svg FILE      draw the drawing as SVG when the session ends\n"
    "  --view          show the session in a browser: prints the address to open; the session\n"
    "                  lasts until QUIT or Ctrl-C; PORT 0 (the default) takes a free port, and\n"
    "                  the server listens on 127.0.0.1 unless ADDRESS is given\n"
    "  DRAWING         the DXF drawing to open; without it a new drawing is started\n"
    "\n"
    "  wcf FILE        show what a WCF post configure file sets and holds\n"
    "  --events FILE   then run the event script FILE; the NC text goes to standard output\n";

struct AppOptions {
  std::string root;
  std::string script;
  std::string save;
  std::string svg;
  std::string drawing;
  bool view = false;
  std::string viewAddress = "127.0.0.1";
  int viewPort = 0;
  bool help = false;
  bool version = false;
};

// False with a message for an unknown option, a missing value or a second drawing.
bool parseOptions(int argc, char** argv, AppOptions& out, std::string& error);

// The folder of files shipped with the program: share/optgrind beside it,
// else the source tree's copy.
std::string bundledRoot();

// --root, else OPTGRIND_ROOT, else the root bundled with the program.
std::string resolveInstallRoot(const AppOptions& opts);

// Where the install root came from, for the user: "--root", "OPTGRIND_ROOT"
// or "bundled".
std::string installRootSource(const AppOptions& opts);

// The one warning at start when the install root cannot serve (missing, or
// without a DAT folder); empty when it can.
std::string installRootWarning(const AppOptions& opts);

}  // namespace optgrind
