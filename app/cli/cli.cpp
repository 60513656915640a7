#include "cli/cli.hpp"

#include <CLI/CLI.hpp>

#include "cli/commands.hpp"
#include "common/errors.hpp"

namespace specbridge::cli {
namespace {

// One entry per tool, in the order of the main window's menus.
const std::vector<AddCommand> kCommands = {AddTitrationCommand, AddFixCommands, AddSimpleKineticsCommand,
                                           AddColumnsCommand};

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommands(kCommands, args, out, err);
}

int RunCommands(const std::vector<AddCommand>& commands, const std::vector<std::string>& args, std::ostream& out,
                std::ostream& err) {
  CLI::App app("Converts spectrophotometer exports into SPECFIT input files and spectral sheets.", "specbridge-cli");
  app.set_version_flag("--version", "specbridge-cli " SPECBRIDGE_VERSION " (" SPECBRIDGE_RELEASE_MONTH ")");
  app.require_subcommand(0, 1);
  Context context{out, err};
  for (AddCommand add : commands) add(app, context);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
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
