#include "cli/cli.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>

#include "cli/commands.hpp"
#include "common/errors.hpp"

namespace specbridge::cli {
namespace {

constexpr const char* kExitStatus =
    "Exit status:\n"
    "  0  success: every output was written (svd and inspect write none)\n"
    "  1  a failure, or nothing written (the message says why)\n"
    "  2  a usage error: an unknown command or option, or a missing value\n"
    "\n"
    "'specbridge-cli help COMMAND' or 'specbridge-cli COMMAND --help' describes a command.";

// The subcommand named `name`, or null.
CLI::App* FindCommand(CLI::App& app, const std::string& name) {
  const auto found = app.get_subcommands([&name](CLI::App* command) { return command->check_name(name); });
  return found.empty() ? nullptr : found.front();
}

// One entry per tool, in the order of the main window's menus, with the
// command names it adds.
struct Tool {
  std::initializer_list<std::string_view> names;
  AddCommand add;
};
const Tool kTools[] = {
    {{"titration"}, AddTitrationCommand},
    {{"kinetics"}, AddKineticsCommand},
    {{"simple-kinetics"}, AddSimpleKineticsCommand},
    {{"epsilon-table", "fix-epsilon", "fix-multispec", "fix-uvprobe"}, AddFixCommands},
    {{"sheet"}, AddSheetCommand},
    {{"emission"}, AddEmissionCommand},
    {{"nir-clean"}, AddNirCleanCommand},
    {{"resave"}, AddResaveCommand},
    {{"columns"}, AddColumnsCommand},
    {{"inspect"}, AddInspectCommand},
    {{"batch"}, AddBatchCommand},
    {{"svd"}, AddSvdCommand},
};

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // A run names its command first: only that one is built (building all of
  // them costs a conversion about a millisecond); help and errors get all.
  if (!args.empty()) {
    for (const Tool& tool : kTools) {
      if (std::find(tool.names.begin(), tool.names.end(), args.front()) != tool.names.end()) {
        return RunCommands({tool.add}, args, out, err);
      }
    }
  }
  std::vector<AddCommand> all;
  for (const Tool& tool : kTools) all.push_back(tool.add);
  return RunCommands(all, args, out, err);
}

int RunCommands(const std::vector<AddCommand>& commands, const std::vector<std::string>& args, std::ostream& out,
                std::ostream& err) {
  CLI::App app("Converts spectrophotometer exports into SPECFIT input files and spectral sheets.", "specbridge-cli");
  app.set_version_flag("--version", "specbridge-cli " SPECBRIDGE_VERSION " (" SPECBRIDGE_RELEASE_MONTH ")");
  app.require_subcommand(0, 1);
  app.footer(kExitStatus);
  Context context{out, err};
  for (AddCommand add : commands) add(app, context);

  // A first word that names no command is a usage error even when --help
  // follows it, which CLI11 would answer first with the general help.
  if (!args.empty() && !args.front().empty() && args.front().front() != '-') {
    const std::string& name = args.front();
    if (name == "help") {
      CLI::App* command = args.size() > 1 ? FindCommand(app, args[1]) : nullptr;
      if (args.size() > 1 && command == nullptr) {
        err << "Unknown command: " << args[1] << "\nRun 'specbridge-cli --help' for the commands.\n";
        return 2;
      }
      out << (command != nullptr ? command->help(app.get_name()) : app.help());
      return 0;
    }
    if (FindCommand(app, name) == nullptr) {
      err << "Unknown command: " << name << "\nRun 'specbridge-cli --help' for the commands.\n";
      return 2;
    }
  }

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ExtrasError&) {
    std::vector<std::string> extras = app.remaining(true);
    // "--x" or "-x" (not a lone "-" nor a negative number) is an option the
    // command does not have.
    const auto option = std::find_if(extras.begin(), extras.end(), [](const std::string& extra) {
      return extra.size() > 1 && extra[0] == '-' &&
             (extra[1] == '-' || std::isalpha(static_cast<unsigned char>(extra[1])));
    });
    if (option != extras.end()) {
      err << "Unknown option: " << *option << "\nRun with --help for more information.\n";
      return 2;
    }
    // Most often a shell pattern that matched several files: one line for all.
    std::sort(extras.begin(), extras.end());
    err << "Not expected: " << extras.size() << (extras.size() == 1 ? " more argument" : " more arguments");
    if (!extras.empty()) err << " (" << extras.front() << (extras.size() > 1 ? " ... " + extras.back() : "") << ")";
    err << "; this command reads one FILE, so give one (did a shell pattern match several files?)\n"
        << "Run with --help for more information.\n";
    return 2;
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? 0 : 2;
  } catch (const Failure& failure) {
    err << failure.Message() << '\n';
    return 1;
  } catch (const std::exception& fault) {
    err << "Internal error: " << fault.what() << '\n';
    return 1;
  }
  if (app.get_subcommands().empty()) {
    out << app.help();
    return args.empty() ? 2 : 0;
  }
  return context.exitCode;
}

}  // namespace specbridge::cli
