#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace specbridge::nir {

// The steps of one in-place rewrite, in their order.
enum class Step {
  kStage,    // the new content written to a temporary file beside the target
  kBackup,   // the target renamed to its backup name
  kPlace,    // the temporary file given the target's name
  kRestore,  // after a failed kPlace: the backup renamed back
};

// Test seam: `fail(step)` returning an errno value makes that step fail as
// if the system had refused it. The two switches take the fallback paths of
// file systems without unnamed temporary files or rename flags.
struct Faults {
  std::function<int(Step)> fail = {};
  bool noUnnamedTemporary = false;
  bool noRenameFlags = false;
};

enum class Replaced {
  kDone,
  kBackupExists,  // nothing was changed
};

// Gives `target` the content `bytes` and keeps its present content under
// `backup` (same directory). The new content is written first, then the
// target is renamed to the backup name, then the new file takes the target's
// name; at every moment the present content exists under one of the two
// names. The new file keeps the target's permission bits; a target that no
// one may write (write-protected) is refused. An existing entry named
// `backup` (a file, a folder, a dangling link) is never replaced:
// kBackupExists, and nothing changes. Any other failure
// throws FileError; the target is then left as it was, or, should even the
// way back fail, kept under `backup` (the message says which). No temporary
// file is left behind.
Replaced ReplaceKeepingBackup(const std::filesystem::path& target, const std::filesystem::path& backup,
                              std::string_view bytes, const Faults* faults = nullptr);

// Whether an entry of that name exists, without following a link.
bool EntryExists(const std::filesystem::path& path);

}  // namespace specbridge::nir
