// specbridge-cli nir-clean: TForm14's Select_One_of_Them (or a folder
// search), TForm15's confirmation, then every pending file cleaned in place
// with its backup. The rewrites are held by the session: they happen only
// when the whole run has succeeded.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "nir/cleaning.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

class NirCleanCommand : public Command {
 public:
  explicit NirCleanCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  std::vector<fs::path> Pending(Session& session);
  bool Confirmed(Session& session) const;
  void DryRun(Session& session, const std::vector<fs::path>& pending);
  static void Process(Session& session, const std::vector<fs::path>& pending);

  std::string target_;
  std::string extension_;
  bool yes_ = false;
  bool no_ = false;
  bool dryRun_ = false;
};

NirCleanCommand::NirCleanCommand(CLI::App& parent)
    : Command(parent, "nir-clean",
              "UV3150K exports cleaned in place of their NIR lines without a value, each kept as a backup (*.bak)") {
  App()
      .add_option("FILE", target_,
                  "The file Select_One_of_Them chooses (its extension and folder are searched), or a folder")
      ->required()
      ->type_name("FILE|DIR");
  App().add_option("--ext", extension_, "With a folder: the extension searched for (default .ASC)");
  CLI::Option* yes = App().add_flag("--yes", yes_, "Answer the confirmation with OK");
  CLI::Option* no = App().add_flag("--no", no_, "Answer the confirmation with Cancel");
  CLI::Option* dry = App().add_flag("--dry-run", dryRun_, "Tell what would be done; change nothing");
  yes->excludes(no)->excludes(dry);
  no->excludes(dry);
  Example("specbridge-cli nir-clean measurements/ --dry-run");
}

std::vector<fs::path> NirCleanCommand::Pending(Session& session) {
  std::vector<fs::path> pending;
  std::error_code error;
  if (fs::is_directory(target_, error)) {
    pending = nir::FindPendingFiles(target_, extension_.empty() ? ".ASC" : extension_);
  } else {
    if (!extension_.empty()) throw CLI::ValidationError("--ext", "goes with a folder only, not with a chosen file");
    pending = nir::SelectOneOfThem(target_);
    if (pending.empty()) {
      session.Fail("'" + target_ + "' has no relevant line: nothing was processed");
      return pending;
    }
  }
  if (pending.empty()) session.Fail("No file to be processed was found: nothing was processed");
  return pending;
}

// The dialog's OK or Cancel: --yes or --no, else a question on the
// terminal; no terminal answers Cancel.
bool NirCleanCommand::Confirmed(Session& session) const {
  if (yes_ || no_) return yes_;
  if (::isatty(STDIN_FILENO) == 0) return false;
  session.Err() << "Do you really want to process them? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes";
}

void NirCleanCommand::DryRun(Session& session, const std::vector<fs::path>& pending) {
  bool anySkipped = false;
  for (const fs::path& file : pending) {
    const nir::Plan plan = nir::PlanFor(file);
    const std::string name = file.filename().string();
    const std::string backup = plan.backup.filename().string();
    if (plan.backupExists) {
      session.Out() << name << ": backup " << backup << " exists\n";
      anySkipped = true;
    } else {
      session.Out() << name << " -> " << backup << " (" << plan.removedLines << " lines removed)\n";
    }
    if (!plan.warning.empty()) session.Err() << plan.warning << '\n';
  }
  if (anySkipped) session.Fail("Files whose backup name exists would be skipped");
}

// At commit: each file in turn; the summary names every skipped file, also
// when a failure stops the rest.
void NirCleanCommand::Process(Session& session, const std::vector<fs::path>& pending) {
  nir::Progress progress;
  std::string failure;
  try {
    nir::ProcessPendingFiles(pending, progress);
  } catch (const Failure& error) {
    failure = error.Message();
  }
  session.Err() << nir::ProcessingSummary(pending.size(), progress, failure) << '\n';
  if (!failure.empty() || !progress.skipped.empty()) session.FailKeepingOutputs();
}

void NirCleanCommand::Run(Session& session) {
  const std::vector<fs::path> pending = Pending(session);
  if (pending.empty()) return;
  for (const fs::path& file : pending) session.AddInput(file);
  session.Err() << nir::ConfirmationText(pending.size()) << '\n';
  if (dryRun_) return DryRun(session, pending);
  if (!Confirmed(session)) return session.Fail("Cancelled: nothing was processed");
  session.Defer([&session, pending] { Process(session, pending); });
}

}  // namespace

void AddNirCleanCommand(CLI::App& app, Context& context) { AttachCommand<NirCleanCommand>(app, context); }

}  // namespace specbridge::cli
