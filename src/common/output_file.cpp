#include "common/output_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/errors.hpp"

namespace specbridge {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& target, int error) {
  throw FileError(what + " '" + target.string() + "': " + std::strerror(error));
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {}

void OutputFile::Commit() { WriteFileAtomically(target_, bytes_); }

void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  if (target.filename().empty()) throw FileError("Cannot write '" + target.string() + "': no file name");
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary = target;
    temporary.replace_filename("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                               std::to_string(counter++) + ".tmp");
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt > 100)) Fail("Cannot create", target, errno);
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    Fail("Cannot write", target, written ? errno : writeError);
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    Fail("Cannot replace", target, error);
  }
}

}  // namespace specbridge
