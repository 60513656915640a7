#include "common/file_checks.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "common/errors.hpp"

namespace specbridge {
namespace fs = std::filesystem;

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec) && !ec;
  std::error_code ecA, ecB;
  const fs::path canonicalA = fs::weakly_canonical(fs::absolute(a, ecA), ecA);
  const fs::path canonicalB = fs::weakly_canonical(fs::absolute(b, ecB), ecB);
  return !ecA && !ecB && canonicalA == canonicalB;
}

void RequireRegularFile(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw FileError("Cannot open '" + path.string() + "': " + std::strerror(errno));
  }
  if (S_ISREG(info.st_mode)) return;
  const char* what = S_ISDIR(info.st_mode)    ? "a directory"
                     : S_ISFIFO(info.st_mode) ? "a FIFO (named pipe)"
                     : S_ISCHR(info.st_mode)  ? "a character device"
                     : S_ISBLK(info.st_mode)  ? "a block device"
                     : S_ISSOCK(info.st_mode) ? "a socket"
                                              : "an unknown kind of file";
  throw FileError("Cannot read '" + path.string() + "': it is " + what + ", not a regular file");
}

void RefuseOutputOverInputs(const fs::path& output, std::span<const fs::path> inputs) {
  for (const fs::path& input : inputs) {
    if (SameFile(output, input)) {
      throw FileError("Refusing to write '" + output.string() + "': it is the same file as the input '" +
                      input.string() + "' of this run; nothing was written");
    }
  }
}

}  // namespace specbridge
