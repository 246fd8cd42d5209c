#include "datafiles/data_files.h"

#include "datafiles/file_lookup.h"
#include "host/file_replace.h"
#include "host/utf8.h"

#include <sys/stat.h>

namespace optgrind {
namespace {

struct RootEntry {
  const char* version;   // contained in ACADVER
  const char* key;       // registry key under the local machine root
  const char* fallback;  // root when the key cannot be read
};

// The install-root lookup; the first entry whose version ACADVER contains wins.
constexpr RootEntry kRootTable[] = {
    {"18.0", "Software\\Brennik Works\\Veltrane2010\\Ver 2010", "c:/Qbix2010"},
    {"17.0", "Software\\Brennik Works\\Veltrane2007\\Ver 2007", "D:/Qbix2007"},
    {"15.0", "Software\\Brennik Works\\Veltrane2001\\Ver 2.0", "C:/Qbix2K"},
    {"16.0", "Software\\Brennik Works\\Veltrane2004\\Ver 2004", "C:/Qbix2004"},
    {"16.1", "Software\\Brennik Works\\Veltrane2005\\Ver 2005", "C:/Qbix2005"},
    {"16.2", "Software\\Brennik Works\\Veltrane2006\\Ver 2006", "C:/Qbix2006"},
    {"17.1", "Software\\Brennik Works\\Veltrane2008\\Ver 2008", "C:/Qbix2008"},
    {"17.2", "Software\\Brennik Works\\Veltrane2009\\Ver 2009", "C:/Qbix2009"},
    {"14", "Software\\Brennik Works\\Veltrane\\2.00.000", "D:/Veltrane"},
};
constexpr const char* kNoVersionRoot = "D:/Qbix2010";

// The data-file open keeps its own copy of the lookup: other version order,
// another fallback for 18.0 and another message.
constexpr RootEntry kOpenRootTable[] = {
    {"17.0", "Software\\Brennik Works\\Veltrane2007\\Ver 2007", "D:/Qbix2007"},
    {"18.0", "Software\\Brennik Works\\Veltrane2010\\Ver 2010", "C:/Qbix2010"},
    {"15.0", "Software\\Brennik Works\\Veltrane2001\\Ver 2.0", "C:/Qbix2K"},
    {"16.0", "Software\\Brennik Works\\Veltrane2004\\Ver 2004", "C:/Qbix2004"},
    {"16.1", "Software\\Brennik Works\\Veltrane2005\\Ver 2005", "C:/Qbix2005"},
    {"16.2", "Software\\Brennik Works\\Veltrane2006\\Ver 2006", "C:/Qbix2006"},
    {"17.1", "Software\\Brennik Works\\Veltrane2008\\Ver 2008", "C:/Qbix2008"},
    {"17.2", "Software\\Brennik Works\\Veltrane2009\\Ver 2009", "C:/Qbix2009"},
    {"14", "Software\\Brennik Works\\Veltrane\\2.00.000", "D:/Veltrane"},
};

constexpr const char* kRootValueName = "szVeltranePath";
constexpr const char* kRootError = "\nError!! 1122 Can't Query Register Value !! \n";
constexpr const char* kOpenRootError = "\nError!! Can'teet Query Register Value !! \n";

bool containsNoCase(const std::string& text, const char* part) {
  return upperAscii(text).find(upperAscii(part)) != std::string::npos;
}

std::string hostVersion(Host& host) {
  ResBuf value;
  if (host.acedGetVar("ACADVER", value) != RTNORM) return std::string();
  return value.asString();
}

template <size_t N>
std::string lookUpRoot(Host& host, const RootEntry (&table)[N], const char* error) {
  std::string version = hostVersion(host);
  for (const RootEntry& entry : table) {
    if (!containsNoCase(version, entry.version)) continue;
    std::string root;
    if (host.registryValue(entry.key, kRootValueName, root) == RTNORM) return root;
    host.acutPrintf(error);
    return entry.fallback;
  }
  host.acutPrintf(error);
  return kNoVersionRoot;
}

// fopen, refusing folders: on POSIX a folder opens for reading as a file.
std::FILE* openFile(const std::string& path, const char* mode) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  struct stat st {};
  if (f && (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode))) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

}  // namespace

std::string installRoot(Host& host) { return lookUpRoot(host, kRootTable, kRootError); }

std::string dataDirectory(Host& host) { return installRoot(host) + "/DAT"; }

std::FILE* openDataFile(Host& host, const std::string& name, const char* mode) {
  std::string dataDir = lookUpRoot(host, kOpenRootTable, kOpenRootError) + "/DAT";
  if (hasDirectory(name)) {
    if (std::FILE* f = openFile(existingNameOr(withSlashes(name)), mode)) return f;
  }
  return openFile(existingNameOr(dataDir + "/" + filePart(name)), mode);
}

int saveDataFile(Host& host, const std::string& name, const std::string& content) {
  std::string dataDir = lookUpRoot(host, kOpenRootTable, kOpenRootError) + "/DAT";
  if (hasDirectory(name) && replaceFile(existingNameOr(withSlashes(name)), content) == kReplaceWritten)
    return 1;
  return replaceFile(existingNameOr(dataDir + "/" + filePart(name)), content) == kReplaceWritten ? 1 : 0;
}

}  // namespace optgrind
