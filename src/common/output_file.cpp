#include "common/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#include "common/errors.hpp"
#include "common/file_checks.hpp"

namespace specbridge {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& target, int error) {
  throw FileError(std::string(what) + " '" + target.string() + "': " + std::strerror(error));
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

// The file a chain of symbolic links ends at (possibly not existing yet), so
// that replacing it keeps the links.
fs::path FollowLinks(const fs::path& target) {
  fs::path path = target;
  for (int hops = 0;; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    if (hops == 40) Fail("Cannot write", target, ELOOP);
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) Fail("Cannot write", target, ec.value());
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
}

// ".NAME.PID.N.tmp" beside `file`; hidden, and unique within this process.
// Built by appending: GCC 12 at -O3 reports a false -Wrestrict on a chain of
// `"." + std::string + ...`.
fs::path TemporaryBeside(const fs::path& file) {
  static std::atomic<unsigned> counter{0};
  std::string name = ".";
  name += file.filename().native();
  name += '.';
  name += std::to_string(::getpid());
  name += '.';
  name += std::to_string(counter++);
  name += ".tmp";
  return file.parent_path() / name;
}

}  // namespace

StagedFile::StagedFile(const fs::path& target, std::string_view bytes) : target_(target) {
  if (target.filename().empty()) throw FileError("Cannot write '" + target.string() + "': no file name");
  resolved_ = FollowLinks(target);

  struct stat existing {};
  const bool replacing = ::stat(resolved_.c_str(), &existing) == 0;
  if (replacing) {
    if (!S_ISREG(existing.st_mode)) {
      std::error_code ec;
      throw FileError("Cannot replace '" + target.string() + "': it is " +
                      std::string(FileTypeName(fs::status(resolved_, ec).type())) + ", not a regular file");
    }
    // Decided from the bits, not access(): root may write anything, but a
    // file nobody may write is one the user protected.
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      throw FileError("Cannot replace '" + target.string() + "': it is write-protected");
    }
  }

  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary_ = TemporaryBeside(resolved_);
    fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt > 100)) {
      const int error = errno;
      temporary_.clear();
      Fail("Cannot create", target, error);
    }
  }
  bool done = WriteAll(fd, bytes);
  if (done && replacing) {
    // Owner and group are kept where the system allows it (only root may
    // give a file away); the permission bits always.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // Keeping our own ownership is the fallback.
      }
    }
    done = ::fchmod(fd, existing.st_mode & 07777) == 0;
  }
  done = done && ::fsync(fd) == 0;
  const int error = errno;
  const bool closed = ::close(fd) == 0;
  if (!done || !closed) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
    Fail("Cannot write", target, done ? errno : error);
  }
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)),
      resolved_(std::move(other.resolved_)),
      temporary_(std::exchange(other.temporary_, {})) {}

StagedFile::~StagedFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void StagedFile::Publish() {
  if (std::rename(temporary_.c_str(), resolved_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary_.c_str());
    temporary_.clear();
    Fail("Cannot replace", target_, error);
  }
  temporary_.clear();
}

OutputFile::OutputFile(fs::path target) : target_(std::move(target)) {}

void OutputFile::Commit() { WriteFileAtomically(target_, bytes_); }

void WriteFileAtomically(const fs::path& target, std::string_view bytes) { StagedFile(target, bytes).Publish(); }

}  // namespace specbridge
