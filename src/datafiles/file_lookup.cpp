#include "datafiles/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "host/utf8.h"

namespace optgrind {
namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string findFileIgnoringCase(const std::string& path) {
  if (path.empty()) return std::string();
  if (exists(path)) return path;
  size_t cut = path.find_last_of('/');
  std::string folder = cut == std::string::npos ? "." : (cut == 0 ? "/" : path.substr(0, cut));
  std::string wanted = upperAscii(cut == std::string::npos ? path : path.substr(cut + 1));
  if (wanted.empty()) return std::string();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::string();
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (upperAscii(name) == wanted && (best.empty() || name < best)) best = name;
  }
  closedir(dir);
  if (best.empty()) return std::string();
  return cut == std::string::npos ? best : path.substr(0, cut + 1) + best;
}

std::string existingNameOr(const std::string& path) {
  std::string found = findFileIgnoringCase(path);
  return found.empty() ? path : found;
}

bool hasDirectory(const std::string& name) { return name.find_first_of("/\\:") != std::string::npos; }

std::string filePart(const std::string& name) {
  size_t cut = name.find_last_of("/\\:");
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::string withSlashes(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

}  // namespace optgrind
