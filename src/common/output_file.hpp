#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace specbridge {

// New content written beside its target but not yet in place. The target is
// checked first: an existing one must be a regular file that grants someone
// write permission. A symbolic link is followed, so the file it names is
// replaced and the link stays. Without Publish() the temporary file is
// removed again and the target keeps its old content.
class StagedFile {
 public:
  // Writes `bytes` to the temporary file; throws FileError naming the target.
  StagedFile(const std::filesystem::path& target, std::string_view bytes);
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  ~StagedFile();

  // Renames the temporary file over the target; throws FileError.
  void Publish();
  // The path the user named.
  const std::filesystem::path& Target() const { return target_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path resolved_;   // the file that is replaced
  std::filesystem::path temporary_;  // empty once published or moved from
};

// An output file that appears whole or not at all. The bytes collect in
// memory; Commit() writes them to a temporary file beside the target and
// renames it over the target. Without Commit() (a failed command) the target
// keeps its old content and no partial file is left behind.
class OutputFile {
 public:
  explicit OutputFile(std::filesystem::path target);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes) { bytes_.append(bytes); }
  // The line and CR LF.
  void WriteLine(std::string_view line = {}) {
    bytes_.append(line);
    bytes_.append("\r\n");
  }
  // Throws FileError naming the target and the system's reason.
  void Commit();

 private:
  std::filesystem::path target_;
  std::string bytes_;
};

// Writes `bytes` as the whole new content of `target`, atomically, keeping
// the target's permission bits and any symbolic link to it.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace specbridge
