#include "host/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace optgrind {
namespace {

// Longest chain of links followed before giving up (a loop).
constexpr int kMaxLinkHops = 40;
// Permission bits that survive a replacement.
constexpr mode_t kModeBits = 07777;
// The permissions a new file gets before the umask.
constexpr mode_t kNewFileMode = 0666;
// Any write permission at all: without one the file counts as read-only.
constexpr mode_t kAnyWrite = 0222;

std::string folderOf(const std::string& path) {
  size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

bool writeAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

mode_t currentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The old file's owner, group and permissions, or a new file's permissions.
bool giveAttributes(int fd, const struct stat* old) {
  if (!old) return ::fchmod(fd, kNewFileMode & ~currentUmask()) == 0;
  // The owner first: changing it may clear set-id bits that the mode sets again.
  bool ok = true;
  if (old->st_uid != ::geteuid() || old->st_gid != ::getegid())
    ok = ::fchown(fd, old->st_uid, old->st_gid) == 0;
  return ok && ::fchmod(fd, old->st_mode & kModeBits) == 0;
}

// The usual way: a unique temporary file beside the target, renamed over it.
// Returns kReplaceWritten, or kReplaceRefused when it could not be done; in
// that case nothing of the target changed and the temporary file is gone.
int replaceByRename(const std::string& target, const struct stat* old, const std::string& content) {
  std::string pattern = folderOf(target) + "/.optgrind-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) return kReplaceRefused;
  bool ok = giveAttributes(fd, old);
  ok = ok && writeAll(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(name.data(), target.c_str()) == 0) {
    // The rename itself lasts once the folder is on the disk.
    int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
    return kReplaceWritten;
  }
  ::unlink(name.data());
  return kReplaceRefused;
}

// The fallback for a writable file whose folder takes no new file, or whose
// owner a new file could not keep: rewritten where it is.
int replaceInPlace(const std::string& target, const std::string& content) {
  int fd = ::open(target.c_str(), O_WRONLY);
  if (fd < 0) return kReplaceRefused;
  // Reserve the room first: once it is there, the writes cannot fail for
  // want of space and leave the file half old, half new.
  int reserved = content.empty() ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(content.size()));
  bool ok = reserved == 0 && writeAll(fd, content) &&
            ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok ? kReplaceWritten : kReplaceRefused;
}

}  // namespace

bool takeOverAttributes(int fd, const std::string& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) return giveAttributes(fd, &old);
  return errno == ENOENT && giveAttributes(fd, nullptr);
}

std::string resolveLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size());
    if (n < 0 || static_cast<size_t>(n) >= buf.size()) return current;
    std::string target(buf.data(), static_cast<size_t>(n));
    current = (!target.empty() && target[0] == '/') ? target : folderOf(current) + "/" + target;
  }
  return current;
}

int replaceFile(const std::string& path, const std::string& content) {
  if (path.empty()) return kReplaceRefused;
  std::string target = resolveLinks(path);
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return kReplaceRefused;
    return replaceByRename(target, nullptr, content);
  }
  if (!S_ISREG(old.st_mode)) return kReplaceRefused;
  // A file nobody may write is read-only, also for a user (root) whom the
  // system would let write it anyway.
  if ((old.st_mode & kAnyWrite) == 0 || ::access(target.c_str(), W_OK) != 0) return kReplaceRefused;
  // A file of several names would lose the others to a rename.
  if (old.st_nlink > 1) return replaceInPlace(target, content);
  if (replaceByRename(target, &old, content) == kReplaceWritten) return kReplaceWritten;
  return replaceInPlace(target, content);
}

}  // namespace optgrind
