// Any bytes as a specbridge-cli command line, one argument a line, run
// in-process inside a folder of sample inputs. Arguments cannot name another
// folder (a "/" becomes "_", "." and ".." become "_"), and after each run the
// folder is put back as it was: every file the run wrote is removed, every
// sample restored.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli.hpp"
#include "common/text.hpp"
#include "fuzz_support.hpp"

namespace fs = std::filesystem;
using specbridge::fuzz::Check;

namespace {

// Small inputs of every command, named as a user would name them.
const std::map<std::string, std::string>& Samples() {
  static const std::map<std::string, std::string> samples = {
      {"run00.ASC", "400.0,0.1\r\n401.0,0.2\r\n402.0,0.3\r\n"},
      {"run01.ASC", "400.0,0.2\r\n401.0,0.4\r\n402.0,0.6\r\n"},
      {"run02.ASC", "400.0,0.3\r\n401.0,0.6\r\n402.0,0.9\r\n"},
      {"sheet.txt", "2D\r\n400 0.1 0.2\r\n401 0.3 0.4\r\n402 0.5 0.6\r\n"},
      {"times.txt", "0\r\n30 s\r\n60\r\n"},
      {"epsa.dem", "0 2 3\r\n400\r\n401\r\n402\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"},
      {"title.asc",
       "##TITLE=t\r\n##\r\n##\r\n##\r\n##\r\n##\r\n##\r\n##\r\n##\r\n##FIRSTX=400\r\n##LASTX=402\r\n"
       "##NPOINTS=3\r\n##\r\n##\r\n0.1\r\n0.2\r\n0.3\r\n"},
      {"uv.txt", "\"uv\"\r\n\"nm\",\"Abs\"\r\n400.0,0.5\r\n1,000.0,0.25\r\n"},
  };
  return samples;
}

// The folder of samples, made once; the fuzzer works inside it.
const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / ("specbridge-fuzz-cli-" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
    fs::current_path(path);
    std::atexit([] {
      std::error_code ec;
      fs::current_path(fs::temp_directory_path(), ec);
      fs::remove_all(Folder(), ec);
    });
    return path;
  }();
  return folder;
}

// Removes what a run left and rewrites any sample it changed.
void Restore() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(Folder())) {
    const std::string name = entry.path().filename().string();
    if (!Samples().contains(name) || !entry.is_regular_file(ec) || entry.is_symlink(ec)) fs::remove_all(entry, ec);
  }
  for (const auto& [name, bytes] : Samples()) {
    std::string present;
    try {
      present = specbridge::ReadFileBytes(Folder() / name);
    } catch (const specbridge::Failure&) {
    }
    if (present != bytes) std::ofstream(Folder() / name, std::ios::binary | std::ios::trunc) << bytes;
  }
}

}  // namespace

SPECBRIDGE_FUZZ_TARGET(bytes) {
  if (bytes.size() > 4096) return;  // a command line, not a file
  Folder();
  Restore();
  std::vector<std::string> args;
  for (const std::string_view part : specbridge::fuzz::Parts(bytes, "\n", 64)) {
    std::string arg(part);
    for (char& c : arg) {
      if (c == '/') c = '_';
    }
    if (arg == "." || arg == "..") arg = "_";
    args.push_back(std::move(arg));
  }
  std::ostringstream out, err;
  const int code = specbridge::cli::Run(args, out, err);
  Check(code == 0 || code == 1 || code == 2);
  // Outside the folder nothing may change: the run never leaves it.
  Check(fs::current_path() == Folder());
  Restore();
}
