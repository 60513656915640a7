#include "nir/in_place.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/errors.hpp"

namespace specbridge::nir {
namespace {

namespace fs = std::filesystem;

// Appended piece by piece, as below: GCC 12 at -O3 misreads "'" + text + "'"
// as an overlapping copy (-Wrestrict).
std::string Quoted(const fs::path& path) {
  std::string quoted = "'";
  quoted.append(path.string()).append("'");
  return quoted;
}

int Injected(const Faults* faults, Step step) { return faults != nullptr && faults->fail ? faults->fail(step) : 0; }

fs::path DirectoryOf(const fs::path& file) {
  const fs::path parent = file.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

// Renames without ever replacing an existing entry of the new name: 0 or
// the errno value (EEXIST when the name is taken).
int MoveNoReplace(const fs::path& from, const fs::path& to, bool noRenameFlags) {
  if (!noRenameFlags) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
  }
  // File systems without rename flags: a hard link never replaces either.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  if (::unlink(from.c_str()) != 0) {
    const int error = errno;
    ::unlink(to.c_str());
    return error;
  }
  return 0;
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

// The new content in a temporary file of the target's directory. An unnamed
// file (O_TMPFILE) where the file system has them, so that not even a killed
// process can leave a temporary file behind; a hidden named one otherwise.
class Staged {
 public:
  // `present` is the target's status: the new file takes its permission
  // bits and, where the system allows, its owner.
  Staged(const fs::path& target, const struct stat& present, std::string_view bytes, const Faults* faults) {
    const fs::path directory = DirectoryOf(target);
    if (faults == nullptr || !faults->noUnnamedTemporary) OpenUnnamed(directory);
    if (fd_ < 0) OpenNamed(target);
    bool written = WriteAll(fd_, bytes);
    if (written && (present.st_uid != ::geteuid() || present.st_gid != ::getegid())) {
      if (::fchown(fd_, present.st_uid, present.st_gid) != 0) {
        // Only root may give a file away; the cleaned file is then ours.
      }
    }
    written = written && ::fchmod(fd_, present.st_mode & 07777) == 0 && ::fsync(fd_) == 0;
    int error = written ? 0 : errno;
    if (error == 0) error = Injected(faults, Step::kStage);
    if (error != 0) {
      Discard();
      throw FileError("Cannot write the new content of " + Quoted(target) + ": " + std::strerror(error) + "; " +
                      Quoted(target) + " is left as it was");
    }
  }
  Staged(const Staged&) = delete;
  Staged& operator=(const Staged&) = delete;
  ~Staged() { Discard(); }

  // Gives the file the name `target`, which must not exist: 0 or errno.
  int Place(const fs::path& target, const Faults* faults) {
    if (const int error = Injected(faults, Step::kPlace); error != 0) return error;
    int error = 0;
    if (named_.empty()) {
      if (::linkat(AT_FDCWD, ProcPath().c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) error = errno;
    } else {
      error = MoveNoReplace(named_, target, faults != nullptr && faults->noRenameFlags);
      if (error == 0) named_.clear();
    }
    return error;
  }

  void Discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!named_.empty()) ::unlink(named_.c_str());
    named_.clear();
  }

 private:
  std::string ProcPath() const { return "/proc/self/fd/" + std::to_string(fd_); }

  void OpenUnnamed(const fs::path& directory) {
    fd_ = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // Linking it needs /proc; without it take a named file.
    if (fd_ >= 0 && ::access(ProcPath().c_str(), F_OK) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }

  void OpenNamed(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; fd_ < 0; ++attempt) {
      fs::path name = target;
      // Appended piece by piece: GCC 12 at -O3 misreads the chained "+" as an
      // overlapping copy (-Wrestrict).
      std::string temporary = ".";
      temporary.append(target.filename().string()).append(".").append(std::to_string(::getpid()));
      temporary.append(".").append(std::to_string(counter++)).append(".tmp");
      name.replace_filename(temporary);
      fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        named_ = name;
      } else if (errno != EEXIST || attempt > 100) {
        const int error = errno;
        throw FileError("Cannot create a file beside " + Quoted(target) + ": " + std::strerror(error) + "; " +
                        Quoted(target) + " is left as it was");
      }
    }
  }

  int fd_ = -1;
  fs::path named_;
};

void SyncDirectory(const fs::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems refuse; the renames are done either way
  ::close(fd);
}

}  // namespace

bool EntryExists(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) return true;
  if (errno == ENOENT) return false;
  const int error = errno;
  throw FileError("Cannot look for " + Quoted(path) + ": " + std::strerror(error));
}

Replaced ReplaceKeepingBackup(const fs::path& target, const fs::path& backup, std::string_view bytes,
                              const Faults* faults) {
  const bool noRenameFlags = faults != nullptr && faults->noRenameFlags;
  struct stat present {};
  if (::stat(target.c_str(), &present) != 0) {
    const int error = errno;
    throw FileError("Cannot open " + Quoted(target) + ": " + std::strerror(error));
  }
  // As when any output is replaced: a file nobody may write is one the user
  // protected (decided from the bits; root may write anything).
  if ((present.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw FileError("Cannot clean " + Quoted(target) + ": it is write-protected; " + Quoted(target) +
                    " is left as it was");
  }
  Staged staged(target, present, bytes, faults);

  int error = Injected(faults, Step::kBackup);
  if (error == 0) error = MoveNoReplace(target, backup, noRenameFlags);
  if (error == EEXIST) return Replaced::kBackupExists;
  if (error != 0) {
    throw FileError("Cannot rename " + Quoted(target) + " to " + Quoted(backup) + ": " + std::strerror(error) + "; " +
                    Quoted(target) + " is left as it was");
  }

  error = staged.Place(target, faults);
  if (error != 0) {
    staged.Discard();
    int restoreError = Injected(faults, Step::kRestore);
    if (restoreError == 0) restoreError = MoveNoReplace(backup, target, noRenameFlags);
    if (restoreError != 0) {
      throw FileError("Cannot write " + Quoted(target) + ": " + std::strerror(error) + "; its content is kept as " +
                      Quoted(backup) + " (renaming it back failed: " + std::strerror(restoreError) + ")");
    }
    throw FileError("Cannot write " + Quoted(target) + ": " + std::strerror(error) + "; " + Quoted(target) +
                    " is left as it was");
  }
  SyncDirectory(DirectoryOf(target));
  return Replaced::kDone;
}

}  // namespace specbridge::nir
