#include "cli/options.hpp"

#include <CLI/CLI.hpp>

namespace specbridge::cli {

CLI::Option* AddBoxOption(CLI::App& command, std::vector<std::string>& assignments) {
  return command.add_option("--box", assignments, "Set box NAME to TEXT, as typing would (repeatable)")
      ->type_name("NAME=TEXT")
      ->allow_extra_args(false);
}

void ApplyBoxAssignments(const std::vector<std::string>& assignments, BoxTexts& boxes) {
  for (const std::string& assignment : assignments) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
      throw CLI::ValidationError("--box", "expected NAME=TEXT, got '" + assignment + "'");
    const std::string name = assignment.substr(0, equals);
    if (!boxes.Has(name)) throw CLI::ValidationError("--box", "this window has no box named '" + name + "'");
    boxes.Set(name, assignment.substr(equals + 1));
  }
}

CLI::Option* AddBoxFlag(CLI::App& command, const std::string& flag, BoxTexts& boxes, const std::string& box,
                        const std::string& description) {
  return command
      .add_option_function<std::string>(
          flag, [&boxes, box](const std::string& text) { boxes.Set(box, text); }, description)
      ->type_name("TEXT");
}

std::string DefaultBoxesList(const BoxTexts& boxes, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    if (!boxes.IsDefault(name)) continue;
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace specbridge::cli
