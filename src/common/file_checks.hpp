#pragma once

#include <filesystem>
#include <span>
#include <string_view>

namespace specbridge {

// True when both paths name one file: "./a", "dir/../a" and a symbolic link
// to a all name a. Paths that do not exist yet are compared by their
// normalized absolute form.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// "a directory", "a FIFO (named pipe)", "a character device", ... for messages.
std::string_view FileTypeName(std::filesystem::file_type type);

// Throws FileError unless `path` is a regular file after following links,
// naming what it is instead (a directory, a FIFO, a device, a socket, or
// nothing). Decided from stat alone: opening a FIFO to look would hang.
void RequireRegularFile(const std::filesystem::path& path);

// Throws FileError naming both paths when `output` is the same file as one
// of `inputs`, so an output never replaces what the run reads.
void RefuseOutputOverInputs(const std::filesystem::path& output, std::span<const std::filesystem::path> inputs);

}  // namespace specbridge
