#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace specbridge::test {

struct CliResult {
  int code;
  std::string out, err;
};

// specbridge-cli run in-process with captured streams.
inline CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = cli::Run(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace specbridge::test
