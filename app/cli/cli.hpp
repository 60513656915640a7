#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace specbridge::cli {

// Where a command writes, and how it ended: 0 success, 1 failure or nothing
// written, 2 usage error.
struct Context {
  std::ostream& out;
  std::ostream& err;
  int exitCode = 0;
};

// Each tool adds its subcommand through one of these.
using AddCommand = void (*)(CLI::App& app, Context& context);

// Runs specbridge-cli with `args` (without the program name).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Run over these commands only (tests add their own).
int RunCommands(const std::vector<AddCommand>& commands, const std::vector<std::string>& args, std::ostream& out,
                std::ostream& err);

}  // namespace specbridge::cli
