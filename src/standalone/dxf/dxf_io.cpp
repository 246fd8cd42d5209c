#include "standalone/dxf/dxf_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "standalone/dxf/dxf_precheck.h"
#include "standalone/dxf/dxf_reader.h"
#include "standalone/dxf/dxf_writer.h"

namespace optgrind::standalone {
namespace {

constexpr mode_t kNewFileMode = 0666;

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode a file written at `path` should get: the old file's, or what
// the umask leaves of the usual mode for a new file.
mode_t targetMode(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return kNewFileMode & ~mask;
}

}  // namespace

Outcome loadDxf(const std::string& path, Drawing& out) {
  DxfCensus census;
  std::string fault = precheckDxf(path, census);
  if (!fault.empty()) return Outcome::failure(fault);
  try {
    Drawing drawing = newDrawing();
    Outcome r = readCheckedDxf(path, census, drawing);
    if (!r.ok) return r;
    out = std::move(drawing);
    return r;
  } catch (const std::bad_alloc&) {
    return Outcome::failure("not enough memory to read the drawing", path);
  }
}

Outcome saveDxf(const Drawing& drawing, const std::string& path) {
  if (path.empty() || path.back() == '/')
    return Outcome::failure("cannot write a drawing to '" + path + "': not a file name");
  std::string pattern = folderOf(path) + "/." + baseNameOf(path) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return Outcome::failure("cannot write " + path + ": " + std::strerror(errno));
  fchmod(fd, targetMode(path));
  close(fd);
  std::string temp(name.data());

  std::string fault;
  try {
    fault = writeDxfFile(drawing, temp);
  } catch (const std::bad_alloc&) {
    fault = "not enough memory";
  }
  if (fault.empty() && std::rename(temp.c_str(), path.c_str()) != 0) fault = std::strerror(errno);
  if (!fault.empty()) {
    std::remove(temp.c_str());
    return Outcome::failure("cannot write " + path + ": " + fault);
  }
  return Outcome::success();
}

}  // namespace optgrind::standalone
