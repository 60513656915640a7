#include "support/test_support.hpp"

#include <gmock/gmock.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/text.hpp"

namespace specbridge::test {
namespace {

std::string Visible(std::string_view line) {
  std::string out;
  for (const char c : line) {
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::filesystem::path DataPath(std::string_view relative) {
  return std::filesystem::path(SPECBRIDGE_TEST_DATA) / relative;
}

void ExpectMessage(std::string_view actual, std::string_view expected, const char* file, int line) {
  if (actual == expected) return;
  if (const char* log = std::getenv("FIXUP_LOG")) {
    std::ofstream(log, std::ios::app) << file << '\t' << line << '\t' << actual << '\n';
  }
  ADD_FAILURE_AT(file, line) << "message differs\n  expected: " << expected << "\n    actual: " << actual;
}

::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::size_t line = 1, lineStart = 0, i = 0;
  for (; i < expected.size() && i < actual.size() && expected[i] == actual[i]; ++i) {
    if (expected[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  const auto lineAt = [&](std::string_view text) {
    const std::size_t end = text.find('\n', lineStart);
    return lineStart > text.size() ? std::string_view{} : text.substr(lineStart, end - lineStart);
  };
  return ::testing::AssertionFailure() << "first difference at line " << line << ", column " << (i - lineStart + 1)
                                       << " (sizes " << expected.size() << " expected, " << actual.size()
                                       << " actual)\n  expected: " << Visible(lineAt(expected))
                                       << "\n  actual:   " << Visible(lineAt(actual));
}

::testing::AssertionResult MatchesGolden(std::string_view relative, std::string_view actual) {
  return SameBytes(ReadFileBytes(DataPath(relative)), actual);
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("specbridge-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(std::string_view name, std::string_view bytes) const {
  const auto path = path_ / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

FolderTest::~FolderTest() {
  std::error_code ec;
  std::filesystem::current_path(start_, ec);
}

std::filesystem::path FolderTest::Input(std::string_view relative, const std::filesystem::path& target) const {
  const std::filesystem::path path = dir_.Path() / target;
  std::filesystem::create_directories(path.parent_path());
  std::filesystem::copy_file(DataPath(relative), path, std::filesystem::copy_options::overwrite_existing);
  return path;
}

std::string Slurp(const std::filesystem::path& path) { return ReadFileBytes(path); }

std::string WithLineEnds(std::string_view text, std::string_view end) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += end;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    std::string& seen = files[entry.path().lexically_relative(dir).string()];
    if (entry.is_symlink()) {
      seen = "link to " + std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      seen = ReadFileBytes(entry.path());
    } else {
      seen = entry.is_directory() ? "directory" : "special file";
    }
  }
  return files;
}

}  // namespace specbridge::test
