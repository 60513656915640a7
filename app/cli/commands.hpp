#pragma once

#include "cli/cli.hpp"

// One subcommand per tool; each file app/cli/<tool>_command.cpp defines its
// Add function, and cli.cpp lists them.
namespace specbridge::cli {}  // namespace specbridge::cli
