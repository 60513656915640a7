#pragma once

// The shared base of every specbridge-cli command.
//
// A command replays a session of its window: the FILE arguments are the
// first "Open", the ACTION options then run in command-line order (a box
// option types into its box, others press a button or answer a dialog), and
// every save is held by a Session until the whole run has succeeded; then
// all outputs are written, or none.
//
// Adding a command for a tool, in app/cli/<tool>_command.cpp:
//
//   class SheetCommand : public Command {
//    public:
//     explicit SheetCommand(CLI::App& parent) : Command(parent, "sheet", "Spectra to a tab sheet") {
//       App().add_option("FILE", files_, "Spectrum files")->required();  // a plain setting
//       BoxAction("--title", boxes_, "Edit1", "Title of the sheet");      // types into Edit1
//       BoxAssignments(boxes_);                                           // --box NAME=TEXT
//       FlagAction("--sort", "Sort by wavelength", [this](Session&) { sheet_.Sort(); });
//       OutputOption("Save the sheet here");                              // -o, --output
//     }
//    private:
//     void Run(Session& session) override {
//       for (const auto& file : files_) sheet_.Add(session.Read(file), file);  // registers inputs
//       ReplayActions(session);                                                // actions, in order
//       if (Output()) session.Save(*Output(), sheet_.Text(boxes_));            // held until the end
//     }
//     ...
//   };
//   void AddSheetCommand(CLI::App& app, Context& context) { AttachCommand<SheetCommand>(app, context); }
//
// then declare AddSheetCommand in commands.hpp and list it in cli.cpp.
//
// Rules the base keeps for every command:
//  - session.Read(path) refuses anything but a regular file and registers an
//    input; a file a core function reads by itself must be registered with
//    session.AddInput(path). A path saved earlier in the run reads back the
//    pending bytes.
//  - session.Save(path, bytes) refuses (FileError naming both paths) an
//    output that is an input of the run or another output of it.
//  - A Failure thrown from Run, or session.Fail(message) (which lets the run
//    go on to report more), fails the run: nothing is written, exit 1.
//  - CLI::ValidationError is a usage error: exit 2.
//  - Otherwise the outputs are committed ("Wrote PATH" on stderr), exit 0,
//    or exit 1 after session.FailKeepingOutputs().
//  - Messages go to session.Err(), results meant for the terminal to
//    session.Out().

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.hpp"
#include "common/boxes.hpp"
#include "common/text.hpp"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace specbridge::cli {

// The files of one run: what it read and what it will write.
class Session {
 public:
  // How much the run says on stderr: -q only failures, -v also each input read.
  enum class Verbosity { kQuiet, kNormal, kVerbose };

  Session(std::ostream& out, std::ostream& err, Verbosity verbosity = Verbosity::kNormal)
      : out_(out), err_(err), verbosity_(verbosity) {}

  std::ostream& Out() { return out_; }
  // Messages (the window's message boxes) go here, one per line.
  std::ostream& Err() { return err_; }
  // A sink for the warnings and messages of core functions: a line each on Err().
  MessageSink Warnings() {
    return [this](std::string_view message) { err_ << message << '\n'; };
  }

  // The bytes of an input: what an earlier action saved to `path` in this
  // run, else the file on disk (a regular file only), which becomes an input
  // of the run. "-" reads standard input, once.
  std::string Read(const std::filesystem::path& path);
  // Registers a file that a core function read by itself, so that no output
  // replaces it. Throws FileError when it is an output still pending.
  void AddInput(const std::filesystem::path& path);

  // Holds `bytes` as the new content of `path`. Throws FileError naming both
  // paths when `path` is an input of the run or another output of it. "-"
  // is standard output, written after every file.
  // `summary` ("451 wavelengths × 21 points") follows "Wrote PATH: ".
  void Save(const std::filesystem::path& path, std::string bytes, std::string summary = {});

  // Holds work that changes files other than by a save (a rewrite in place
  // that keeps a backup): it runs at commit, after the outputs are written,
  // in the order held, and not at all when the run failed.
  void Defer(std::function<void()> work) { deferred_.push_back(std::move(work)); }

  // Prints `message` and marks the run failed: nothing will be written.
  void Fail(std::string_view message);
  bool Failed() const { return failed_; }
  // Marks the run failed but keeps its outputs: they are still written, and
  // the exit code is 1 (a run told to go on after a failing action).
  void FailKeepingOutputs() { failedKeepingOutputs_ = true; }
  bool FailedKeepingOutputs() const { return failedKeepingOutputs_; }
  bool HasOutputs() const { return !outputs_.empty(); }

  // Drops the pending outputs, naming them, and the deferred work.
  void Discard();

  // Writes every output, all or none: each is staged beside its target
  // first, then all are renamed into place; "Wrote PATH: summary" for each
  // unless quiet. Then runs the deferred work.
  void Commit();

 private:
  struct Output {
    std::filesystem::path path;
    std::string bytes;
    std::string summary;
  };
  void Said(const std::filesystem::path& path, std::size_t bytes);
  const Output* PendingAt(const std::filesystem::path& path) const;

  std::ostream& out_;
  std::ostream& err_;
  Verbosity verbosity_;
  std::vector<std::filesystem::path> inputs_;
  std::vector<Output> outputs_;
  std::vector<std::function<void()>> deferred_;
  bool failed_ = false;
  bool standardInputRead_ = false;
  bool failedKeepingOutputs_ = false;
};

// One subcommand over a Session.
class Command {
 public:
  Command(CLI::App& parent, const std::string& name, const std::string& description);
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;
  virtual ~Command() = default;

  // The run: sets up a Session, calls Run, commits or reports; the exit code.
  int Execute(std::ostream& out, std::ostream& err);

  // The CLI11 subcommand, for settings whose order does not matter.
  CLI::App& App() { return *app_; }
  // One invocation shown at the end of --help, above the exit status.
  void Example(const std::string& invocation);
  // For a command that writes no file: what its exit codes mean instead of
  // the outputs being written; call before Example.
  void ExitStatus(std::string text);

 protected:
  // An option replayed in command-line order: `--flag VALUE` runs
  // act(session, VALUE) at its place among the other actions. Repeatable.
  CLI::Option* Action(const std::string& flags, const std::string& description,
                      std::function<void(Session&, const std::string&)> act, const std::string& typeName = "TEXT");
  // The same for an option without a value.
  CLI::Option* FlagAction(const std::string& flags, const std::string& description, std::function<void(Session&)> act);
  // `--flag TEXT` types TEXT into `box` of `boxes`, blanks included.
  CLI::Option* BoxAction(const std::string& flag, BoxTexts& boxes, const std::string& box,
                         const std::string& description);
  // --box NAME=TEXT types into any box of `boxes`; an unknown box or a
  // missing "=" is a usage error.
  CLI::Option* BoxAssignments(BoxTexts& boxes);
  // -o, --output PATH: the final save; Output() holds it.
  CLI::Option* OutputOption(const std::string& description);

  const std::optional<std::filesystem::path>& Output() const { return output_; }

  // Runs the actions given on the command line, in their order.
  void ReplayActions(Session& session);

  // --keep-going: a failing Step prints its message and the next action
  // runs, as in the window; the outputs are still written, exit 1.
  CLI::Option* KeepGoingOption();
  // Runs one action; a Failure, its message led by `action`, ends the run,
  // or under --keep-going is printed and the run goes on.
  void Step(Session& session, std::string_view action, const std::function<void()>& body);

  // The command's work. Throwing a Failure fails the run.
  virtual void Run(Session& session) = 0;

 private:
  struct Replayed {
    CLI::Option* option;
    std::function<void(Session&, const std::string&)> act;
  };
  CLI::App* app_;
  std::string exitStatus_;
  std::vector<Replayed> actions_;
  std::optional<std::filesystem::path> output_;
  bool keepGoing_ = false;
  bool quiet_ = false;
  bool verbose_ = false;
};

// Runs `command` when the user names it; its exit code becomes the context's.
void AttachCommand(std::shared_ptr<Command> command, Context& context);

// AttachCommand<T>(app, context) for a command T built from the parent app
// alone.
template <class T>
void AttachCommand(CLI::App& app, Context& context) {
  AttachCommand(std::make_shared<T>(app), context);
}

// Names the boxes in `names` that still hold their design-time text, for the
// message of a command that wrote nothing.
std::string DefaultBoxesList(const BoxTexts& boxes, const std::vector<std::string>& names);

}  // namespace specbridge::cli
