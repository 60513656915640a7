#pragma once

#include "cli/cli.hpp"

// One subcommand per tool; each file app/cli/<tool>_command.cpp defines its
// Add function, and cli.cpp lists them.
namespace specbridge::cli {

// titration.
void AddTitrationCommand(CLI::App& app, Context& context);

// kinetics.
void AddKineticsCommand(CLI::App& app, Context& context);

// epsilon-table, fix-epsilon, fix-multispec, fix-uvprobe.
void AddFixCommands(CLI::App& app, Context& context);

// simple-kinetics.
void AddSimpleKineticsCommand(CLI::App& app, Context& context);

// sheet.
void AddSheetCommand(CLI::App& app, Context& context);

// emission.
void AddEmissionCommand(CLI::App& app, Context& context);

// columns.
void AddColumnsCommand(CLI::App& app, Context& context);

// nir-clean.
void AddNirCleanCommand(CLI::App& app, Context& context);

// resave.
void AddResaveCommand(CLI::App& app, Context& context);

// inspect.
void AddInspectCommand(CLI::App& app, Context& context);

// batch.
void AddBatchCommand(CLI::App& app, Context& context);

// svd.
void AddSvdCommand(CLI::App& app, Context& context);

}  // namespace specbridge::cli
