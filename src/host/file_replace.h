// Replacing a whole file so that a reader never sees it half written and the
// file stays what it was: its permissions, owner and group, and, for a
// symbolic link, the link itself (the content goes to the link's target).
#pragma once

#include <string>

namespace optgrind {

// The results of replaceFile.
constexpr int kReplaceWritten = 1;
// Nothing was written: the file is read-only (no write permission for
// anyone, as a read-only file on the original platform), its folder is
// missing, or writing failed. An old file stays as it was.
constexpr int kReplaceRefused = 0;

// Writes content as the new whole content of path. The text goes to a
// temporary file of a unique name in the same folder, flushed to the disk,
// given the old file's permissions, owner and group, and renamed over the
// old file. When no such temporary file can be made (a folder without write
// permission), the owner cannot be kept or the file has other names (hard
// links), an existing writable file is rewritten in place instead, its space
// reserved first so that writing cannot run out of room half-way.
int replaceFile(const std::string& path, const std::string& content);

// Gives a temporary file, open as fd and about to be renamed over target,
// what target is: the old file's permissions, owner and group, or for a new
// file the permissions a new file gets under the umask. False when they
// cannot be set (the temporary file should then be dropped).
bool takeOverAttributes(int fd, const std::string& target);

// The file a path finally names: symbolic links followed (also one that
// points at a file not there yet); the path itself when it is no link.
std::string resolveLinks(const std::string& path);

}  // namespace optgrind
