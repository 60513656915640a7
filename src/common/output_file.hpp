#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace specbridge {

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

// Writes `bytes` as the whole new content of `target`, atomically.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace specbridge
