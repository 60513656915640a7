#include "cli/session.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <sstream>

#include "common/errors.hpp"
#include "common/file_checks.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"

namespace specbridge::cli {

namespace fs = std::filesystem;

namespace {

// "-" names standard input as an input and standard output as an output.
bool IsStandardStream(const fs::path& path) { return path == "-"; }

}  // namespace

// --- Session -------------------------------------------------------------------

const Session::Output* Session::PendingAt(const fs::path& path) const {
  for (const Output& output : outputs_) {
    if (SameFile(output.path, path)) return &output;
  }
  return nullptr;
}

std::string Session::Read(const fs::path& path) {
  if (IsStandardStream(path)) {
    if (standardInputRead_) throw FileError("Cannot read standard input twice in one run");
    standardInputRead_ = true;
    std::ostringstream bytes;
    bytes << std::cin.rdbuf();
    std::string text = std::move(bytes).str();
    Said(path, text.size());
    return text;
  }
  if (const Output* pending = PendingAt(path)) return pending->bytes;
  std::string bytes = ReadFileBytes(path);
  inputs_.push_back(path);
  Said(path, bytes.size());
  return bytes;
}

void Session::Said(const fs::path& path, std::size_t bytes) {
  if (verbosity_ != Verbosity::kVerbose) return;
  err_ << "Read " << (IsStandardStream(path) ? std::string("standard input") : path.string()) << ": " << bytes
       << " bytes\n";
}

void Session::AddInput(const fs::path& path) {
  if (IsStandardStream(path)) return;
  if (const Output* pending = PendingAt(path)) {
    throw FileError("Refusing to read '" + path.string() + "': it is the same file as '" + pending->path.string() +
                    "', saved earlier in this run and not written yet");
  }
  inputs_.push_back(path);
}

void Session::Save(const fs::path& path, std::string bytes, std::string summary) {
  if (IsStandardStream(path)) {
    for (const Output& output : outputs_) {
      if (IsStandardStream(output.path)) {
        throw FileError("Refusing to write standard output twice in one run; nothing was written");
      }
    }
    outputs_.push_back({path, std::move(bytes), std::move(summary)});
    return;
  }
  RefuseOutputOverInputs(path, inputs_);
  if (const Output* pending = PendingAt(path)) {
    throw FileError("Refusing to write '" + path.string() + "': it is the same file as the output '" +
                    pending->path.string() + "' of this run; nothing was written");
  }
  outputs_.push_back({path, std::move(bytes), std::move(summary)});
}

void Session::Fail(std::string_view message) {
  err_ << message << '\n';
  failed_ = true;
}

void Session::Discard() {
  deferred_.clear();
  if (outputs_.empty()) return;
  err_ << "Not written, as the run failed:";
  for (const Output& output : outputs_) {
    err_ << ' ' << (IsStandardStream(output.path) ? std::string("standard output") : output.path.string());
  }
  err_ << '\n';
  outputs_.clear();
}

void Session::Commit() {
  // Every temporary file first: a target that cannot be written (a full
  // disk, a protected file) stops the run before any file is replaced.
  std::vector<StagedFile> staged;
  std::vector<const Output*> files;
  staged.reserve(outputs_.size());
  for (const Output& output : outputs_) {
    if (IsStandardStream(output.path)) continue;
    staged.emplace_back(output.path, output.bytes);
    files.push_back(&output);
  }
  for (std::size_t i = 0; i < staged.size(); ++i) {
    staged[i].Publish();
    if (verbosity_ == Verbosity::kQuiet) continue;
    err_ << "Wrote " << staged[i].Target().string();
    if (!files[i]->summary.empty()) err_ << ": " << files[i]->summary;
    err_ << '\n';
  }
  // Standard output last, once every file is in place.
  for (const Output& output : outputs_) {
    if (IsStandardStream(output.path))
      out_.write(output.bytes.data(), static_cast<std::streamsize>(output.bytes.size()));
  }
  out_.flush();
  outputs_.clear();
  std::vector<std::function<void()>> deferred = std::move(deferred_);
  deferred_.clear();
  for (const auto& work : deferred) work();
}

// --- Command -------------------------------------------------------------------

namespace {

constexpr const char* kExitStatus =
    "Exit status: 0 every output written, 1 a failure or nothing written, 2 a usage error.";

}  // namespace

void Command::Example(const std::string& invocation) {
  app_->footer("Example:\n  " + invocation + "\n\n" + exitStatus_);
}

void Command::ExitStatus(std::string text) {
  exitStatus_ = std::move(text);
  app_->footer(exitStatus_);
}

Command::Command(CLI::App& parent, const std::string& name, const std::string& description)
    : app_(parent.add_subcommand(name, description)), exitStatus_(kExitStatus) {
  app_->footer(exitStatus_);
  app_->add_flag("-q,--quiet", quiet_, "Say nothing on success");
  app_->add_flag("-v,--verbose", verbose_, "Also say what was read");
}

int Command::Execute(std::ostream& out, std::ostream& err) {
  Session session(out, err,
                  quiet_     ? Session::Verbosity::kQuiet
                  : verbose_ ? Session::Verbosity::kVerbose
                             : Session::Verbosity::kNormal);
  try {
    Run(session);
  } catch (const Failure& failure) {
    session.Fail(failure.Message());
  }
  if (session.Failed()) {
    session.Discard();
    return 1;
  }
  try {
    session.Commit();
  } catch (const Failure& failure) {
    err << failure.Message() << '\n';
    return 1;
  }
  return session.FailedKeepingOutputs() ? 1 : 0;
}

CLI::Option* Command::Action(const std::string& flags, const std::string& description,
                             std::function<void(Session&, const std::string&)> act, const std::string& typeName) {
  CLI::Option* option = app_->add_option(flags, description)
                            ->type_name(typeName)
                            ->allow_extra_args(false)
                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  actions_.push_back({option, std::move(act)});
  return option;
}

CLI::Option* Command::FlagAction(const std::string& flags, const std::string& description,
                                 std::function<void(Session&)> act) {
  CLI::Option* option = app_->add_flag(flags, description);
  actions_.push_back({option, [act = std::move(act)](Session& session, const std::string&) { act(session); }});
  return option;
}

CLI::Option* Command::BoxAction(const std::string& flag, BoxTexts& boxes, const std::string& box,
                                const std::string& description) {
  return Action(flag, box + ", " + description,
                [&boxes, box](Session&, const std::string& text) { boxes.Set(box, text); });
}

CLI::Option* Command::BoxAssignments(BoxTexts& boxes) {
  std::string names;
  for (const BoxTexts::Box& box : boxes.All()) names += (names.empty() ? "" : ", ") + box.name;
  return Action(
      "--box", "Set box NAME to TEXT, as typing would (repeatable); NAME is one of " + names,
      [&boxes](Session&, const std::string& assignment) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos) {
          throw CLI::ValidationError("--box", "expected NAME=TEXT, got '" + assignment + "'");
        }
        const std::string name = assignment.substr(0, equals);
        if (!boxes.Has(name)) throw CLI::ValidationError("--box", "this window has no box named '" + name + "'");
        boxes.Set(name, assignment.substr(equals + 1));
      },
      "NAME=TEXT");
}

CLI::Option* Command::OutputOption(const std::string& description) {
  return app_
      ->add_option_function<std::string>(
          "-o,--output", [this](const std::string& path) { output_ = fs::path(path); },
          description + " ('-': standard output)")
      ->type_name("OUT");
}

void Command::ReplayActions(Session& session) {
  std::map<const CLI::Option*, std::size_t> taken;
  for (const CLI::Option* option : app_->parse_order()) {
    for (const Replayed& action : actions_) {
      if (action.option != option) continue;
      const std::vector<std::string>& results = option->results();
      std::size_t& next = taken[option];
      action.act(session, next < results.size() ? results[next] : std::string());
      ++next;
    }
  }
}

CLI::Option* Command::KeepGoingOption() {
  return app_->add_flag("--keep-going", keepGoing_,
                        "A failing action prints its message and the next one runs, as in the window; the outputs "
                        "are still written, exit 1");
}

void Command::Step(Session& session, std::string_view action, const std::function<void()>& body) {
  try {
    WithContext(action, body);
  } catch (const Failure& failure) {
    if (!keepGoing_) throw;
    session.Err() << failure.Message() << '\n';
    session.FailKeepingOutputs();
  }
}

void AttachCommand(std::shared_ptr<Command> command, Context& context) {
  CLI::App& app = command->App();
  app.callback([command, &context] { context.exitCode = command->Execute(context.out, context.err); });
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
