#include "post/wcf_file.h"

#include <cstdio>

#include "datafiles/data_files.h"

namespace optgrind {

namespace {
constexpr char kCtrlZ = '\x1a';
}

std::string textModeRead(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == kCtrlZ) break;
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += c;
  }
  return out;
}

int readWcfFile(Host& host, const std::string& name, std::string& out) {
  std::string path = name;
  if (name.find_first_of("\\/:") == std::string::npos) path = dataDirectory(host) + "/" + name;
  std::FILE* file = openDataFile(host, path, "rb");
  if (file == nullptr) return 0;
  std::string bytes;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) bytes.append(buf, n);
  std::fclose(file);
  out = textModeRead(bytes);
  return 1;
}

}  // namespace optgrind
