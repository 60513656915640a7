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

std::string_view FileTypeName(fs::file_type type) {
  switch (type) {
    case fs::file_type::regular:
      return "a regular file";
    case fs::file_type::directory:
      return "a directory";
    case fs::file_type::fifo:
      return "a FIFO (named pipe)";
    case fs::file_type::character:
      return "a character device";
    case fs::file_type::block:
      return "a block device";
    case fs::file_type::socket:
      return "a socket";
    case fs::file_type::symlink:
      return "a symbolic link";
    case fs::file_type::not_found:
      return "missing";
    default:
      return "an unknown kind of file";
  }
}

void RequireRegularFile(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw FileError("Cannot open '" + path.string() + "': " + std::strerror(errno));
  }
  if (S_ISREG(info.st_mode)) return;
  const fs::file_type type = S_ISDIR(info.st_mode)    ? fs::file_type::directory
                             : S_ISFIFO(info.st_mode) ? fs::file_type::fifo
                             : S_ISCHR(info.st_mode)  ? fs::file_type::character
                             : S_ISBLK(info.st_mode)  ? fs::file_type::block
                             : S_ISSOCK(info.st_mode) ? fs::file_type::socket
                                                      : fs::file_type::unknown;
  throw FileError("Cannot read '" + path.string() + "': it is " + std::string(FileTypeName(type)) +
                  ", not a regular file");
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
