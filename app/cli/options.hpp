#pragma once

#include <string>
#include <vector>

#include "common/boxes.hpp"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace specbridge::cli {

// --box NAME=TEXT, repeatable: sets any box of the window, as typing would.
CLI::Option* AddBoxOption(CLI::App& command, std::vector<std::string>& assignments);

// Applies NAME=TEXT assignments; an unknown box or a missing "=" throws
// CLI::ValidationError (a usage error).
void ApplyBoxAssignments(const std::vector<std::string>& assignments, BoxTexts& boxes);

// An option that sets one box: `--v0 2` puts "2" into V0. The text is taken
// as given, blanks included.
CLI::Option* AddBoxFlag(CLI::App& command, const std::string& flag, BoxTexts& boxes, const std::string& box,
                        const std::string& description);

// Names the boxes in `names` that still hold their design-time text, for the
// message of a command that wrote nothing.
std::string DefaultBoxesList(const BoxTexts& boxes, const std::vector<std::string>& names);

}  // namespace specbridge::cli
