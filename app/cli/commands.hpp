#pragma once

#include "cli/cli.hpp"

// One subcommand per tool; each file app/cli/<tool>_command.cpp defines its
// Add function, and cli.cpp lists them.
namespace specbridge::cli {

// epsilon-table, fix-epsilon, fix-multispec, fix-uvprobe.
void AddFixCommands(CLI::App& app, Context& context);

}  // namespace specbridge::cli
