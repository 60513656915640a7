#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <typeinfo>

namespace specbridge::test {

// Asserts that `statement` throws exactly `type` (not a subclass or a base)
// with exactly the message `text`: a message is what the chemist reads.
#define EXPECT_THROW_MSG(statement, type, text)                                      \
  do {                                                                               \
    try {                                                                            \
      statement;                                                                     \
      ADD_FAILURE() << "expected " #type " with '" << (text) << "', nothing thrown"; \
    } catch (const std::exception& e_) {                                             \
      EXPECT_EQ(typeid(e_), typeid(type)) << "thrown: " << typeid(e_).name();        \
      ::specbridge::test::ExpectMessage(e_.what(), text, __FILE__, __LINE__);        \
    }                                                                                \
  } while (false)

void ExpectMessage(std::string_view actual, std::string_view expected, const char* file, int line);

// The folder of fixtures and expected outputs.
std::filesystem::path DataPath(std::string_view relative);

// Passes when both byte strings are equal; otherwise names the first
// differing line and column and shows both lines.
::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual);

// Compares `actual` with the whole expected file under the data folder.
::testing::AssertionResult MatchesGolden(std::string_view relative, std::string_view actual);

// A fresh directory under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  // Writes a file of these bytes and returns its path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// A test that works in the fresh folder `dir_`. What it runs may change the
// current directory (as "Open" and "Save" do); the folder it started in is
// current again afterwards.
class FolderTest : public ::testing::Test {
 protected:
  ~FolderTest() override;

  // Copies the fixture `relative` of the data folder to `target` (a name in
  // `dir_`, or a whole path) and returns the copy's path.
  std::filesystem::path Input(std::string_view relative, const std::filesystem::path& target) const;

  const std::filesystem::path start_ = std::filesystem::current_path();
  TempDir dir_;
};

// `text` with every line end (CR LF, lone CR, LF) written as `end`.
std::string WithLineEnds(std::string_view text, std::string_view end);

// Whole content of a file.
std::string Slurp(const std::filesystem::path& path);

// Everything under `dir` by its relative name: a file's bytes, a link's
// target, or what else it is. Two equal snapshots show that a run changed
// nothing there.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir);

}  // namespace specbridge::test
