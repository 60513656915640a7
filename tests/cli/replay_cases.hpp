#pragma once

// Table-driven runs of a specbridge-cli command in a fresh directory: the
// fixtures are copied in, the command runs in-process, and afterwards the
// directory must hold exactly what it held plus the expected outputs.

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::test {

struct ReplayCase {
  const char* name;
  // Fixtures under the data folder, copied into the directory by their file
  // name, or by the name after a ">" ("nir/a.ASC>a.bak").
  std::vector<std::string> fixtures;
  // "@D@" stands for the directory.
  std::vector<std::string> args;
  int code;
  std::string out;  // the whole of stdout
  std::string err;  // the whole of stderr, "@D@" as in args
  // Files the run wrote: name in the directory -> expected file under the
  // data folder, or "=" and the expected bytes themselves.
  std::vector<std::pair<std::string, std::string>> written;
  friend void PrintTo(const ReplayCase& c, std::ostream* os) { *os << c.name; }
};

inline std::string InDir(std::string text, const TempDir& dir) {
  const std::string d = dir.Path().string();
  for (std::size_t at = text.find("@D@"); at != std::string::npos; at = text.find("@D@", at + d.size())) {
    text.replace(at, 3, d);
  }
  return text;
}

inline void CheckReplay(const ReplayCase& c) {
  TempDir dir;
  for (const std::string& fixture : c.fixtures) {
    const std::size_t arrow = fixture.find('>');
    const std::filesystem::path from = DataPath(fixture.substr(0, arrow));
    std::filesystem::copy_file(
        from, dir / (arrow == std::string::npos ? from.filename().string() : fixture.substr(arrow + 1)));
  }
  std::map<std::string, std::string> expected = Snapshot(dir.Path());
  std::vector<std::string> args;
  for (const std::string& arg : c.args) args.push_back(InDir(arg, dir));

  const CliResult r = RunCli(args);
  EXPECT_EQ(r.code, c.code);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.err, InDir(c.err, dir));
  for (const auto& [name, golden] : c.written) {
    expected[name] = golden.starts_with('=') ? golden.substr(1) : Slurp(DataPath(golden));
  }
  const std::map<std::string, std::string> actual = Snapshot(dir.Path());
  EXPECT_EQ(actual.size(), expected.size());
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    if (found == actual.end()) {
      ADD_FAILURE() << name << " is missing";
    } else {
      EXPECT_TRUE(SameBytes(bytes, found->second)) << name;
    }
  }
  for (const auto& [name, bytes] : actual) {
    if (!expected.contains(name)) ADD_FAILURE() << name << " was written";
  }
}

}  // namespace specbridge::test
