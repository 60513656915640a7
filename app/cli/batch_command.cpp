// specbridge-cli batch: one command over every input found in folders, each
// converted by the command itself (the same options, the output the window
// would propose), on several threads, with a report per input.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "fix/fix_commands.hpp"
#include "inspect/file_names.hpp"
#include "kinetics/converter.hpp"
#include "simple_kinetics/converter.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

// A command batch can run: how its inputs are found and what its window
// proposes for the output.
struct Target {
  const char* name;
  AddCommand add;
  bool series;            // titration: one input per numbered series
  const char* extension;  // the window's open filter, without the "*."; letter case ignored
  fs::path (*propose)(const fs::path& input);
};

fs::path KineticsName(const fs::path& input) { return kinetics::ProposedSaveName(input.string()); }

// Filled in by the finder, which knows the series base.
fs::path NoName(const fs::path&) { return {}; }

const Target kTargets[] = {
    {"titration", AddTitrationCommand, true, "ASC", NoName},
    {"kinetics", AddKineticsCommand, false, "ASC", KineticsName},
    {"simple-kinetics", AddSimpleKineticsCommand, false, "ASC", simple_kinetics::ProposedSaveFile},
    {"fix-multispec", AddFixCommands, false, "ASC", fix::FixName},
    {"fix-uvprobe", AddFixCommands, false, "txt", fix::FixName},
    {"fix-epsilon", AddFixCommands, false, "a.dem", fix::FixName},
    {"epsilon-table", AddFixCommands, false, "a.dem", fix::TableName},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWith(const std::string& name, const std::string& suffix) {
  return name.size() > suffix.size() && Lower(name.substr(name.size() - suffix.size())) == Lower(suffix);
}

struct Input {
  fs::path path;
  fs::path output;
};

enum class Outcome { kConverted, kSkipped, kFailed };

struct Result {
  Outcome outcome = Outcome::kFailed;
  std::string text;  // the reason, or the warnings of a conversion
};

// The lines a run printed on stderr, without the ones that only say what
// was not written.
std::string Said(const std::string& err) {
  std::string said;
  std::istringstream lines(err);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.rfind("Not written, as the run failed", 0) == 0 || line.rfind("Run with --help", 0) == 0) {
      continue;
    }
    said += (said.empty() ? "" : "; ") + line;
  }
  return said;
}

class BatchCommand : public Command {
 public:
  explicit BatchCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  // The options after COMMAND: the batch's own are taken out, the rest go to COMMAND.
  void TakeArguments();
  std::vector<Input> FindInputs(const Target& target) const;
  Result Convert(const Target& target, const Input& input, int& code) const;

  std::vector<std::string> commandArguments_;
  std::string command_;
  std::vector<fs::path> directories_;
  bool recursive_ = false;
  bool force_ = false;
  bool quiet_ = false;
  int jobs_ = 0;
  std::string outputDirectory_;
  std::string extension_;
};

BatchCommand::BatchCommand(CLI::App& parent)
    : Command(parent, "batch",
              "Run COMMAND on every input found in the folders DIR..., each with the same command options, in "
              "numeric order of names, on several threads; a line per input: converted, skipped or failed") {
  App().prefix_command();
  App().add_flag("--recursive", recursive_, "Also search the folders inside DIR");
  App()
      .add_option("--output-dir", outputDirectory_, "Write every output into OUT (default: beside its input)")
      ->type_name("OUT");
  App()
      .add_option("-j,--jobs", jobs_, "Convert on N threads (default: four per processor, at most 16)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  App().add_flag("--force", force_, "Replace outputs that exist (default: skip their inputs)");
  App()
      .add_option("--ext", extension_,
                  "Take the files ending in EXT (default: the window's filter: ASC; txt for fix-uvprobe; a.dem for "
                  "fix-epsilon and epsilon-table)")
      ->type_name("EXT");
  std::string commands;
  for (const Target& target : kTargets) commands += (commands.empty() ? "" : ", ") + std::string(target.name);
  App().footer(
      "Usage: specbridge-cli batch COMMAND DIR... [--recursive] [--output-dir OUT] [-j N] [--force] [--ext EXT] "
      "[command options]\n\nCOMMAND is one of " +
      commands +
      "; titration takes each numbered series once (by its file 00), the others every matching file. The "
      "output is named as the window proposes (run00.ASC -> run.txt, run.ASC -> run.txt, x.asc -> x.fix).\n\n"
      "Example:\n  specbridge-cli batch fix-multispec spectra/ --output-dir fix/ -j 4 --concentration 5e-5\n\n"
      "Exit status: 0 every input converted or skipped, 1 an input failed, 2 a usage error.");
}

void BatchCommand::TakeArguments() {
  std::vector<std::string> rest = App().remaining();
  if (rest.empty()) throw CLI::ValidationError("COMMAND", "name the command to run, then the folders");
  command_ = rest.front();
  std::size_t i = 1;
  for (; i < rest.size() && (rest[i].empty() || rest[i].front() != '-'); ++i) directories_.emplace_back(rest[i]);
  const auto value = [&](const std::string& flag) -> std::string {
    if (i + 1 >= rest.size()) throw CLI::ValidationError(flag, "needs a value");
    return rest[++i];
  };
  for (; i < rest.size(); ++i) {
    const std::string& word = rest[i];
    const auto equals = word.find('=');
    const std::string flag = word.substr(0, equals);
    const auto valueOf = [&]() { return equals == std::string::npos ? value(flag) : word.substr(equals + 1); };
    if (word == "--recursive") {
      recursive_ = true;
    } else if (word == "--force") {
      force_ = true;
    } else if (word == "-q" || word == "--quiet") {
      quiet_ = true;
    } else if (flag == "--output-dir") {
      outputDirectory_ = valueOf();
    } else if (flag == "--ext") {
      extension_ = valueOf();
    } else if (flag == "-j" || flag == "--jobs" || (word.rfind("-j", 0) == 0 && word.size() > 2)) {
      const std::string text = flag == "-j" || flag == "--jobs" ? valueOf() : word.substr(2);
      try {
        jobs_ = TextToInteger(text);
      } catch (const Failure&) {
        jobs_ = 0;
      }
      if (jobs_ < 1 || jobs_ > 256) throw CLI::ValidationError("-j", "expected a number of threads from 1 to 256");
    } else if (flag == "-o" || flag == "--output") {
      throw CLI::ValidationError("-o", "batch names every output itself; give --output-dir to write them elsewhere");
    } else {
      commandArguments_.push_back(word);
    }
  }
  if (directories_.empty()) throw CLI::ValidationError("DIR", "name at least one folder after " + command_);
}

std::vector<Input> BatchCommand::FindInputs(const Target& target) const {
  const std::string suffix = "." + (extension_.empty() ? std::string(target.extension) : extension_);
  std::vector<fs::path> files;
  for (const fs::path& directory : directories_) {
    std::error_code error;
    if (!fs::is_directory(directory, error)) throw FileError("'" + directory.string() + "' is not a folder");
    const auto take = [&](const fs::directory_entry& entry) {
      const std::string name = entry.path().filename().string();
      std::error_code ignored;
      if (name.empty() || name.front() == '.' || !entry.is_regular_file(ignored)) return;
      // "a.dem" means names ending so, the point included in the extension.
      const std::string wanted = suffix == ".a.dem" ? "a.dem" : suffix;
      if (EndsWith(name, wanted)) files.push_back(entry.path());
    };
    if (recursive_) {
      for (const auto& entry :
           fs::recursive_directory_iterator(directory, fs::directory_options::skip_permission_denied)) {
        take(entry);
      }
    } else {
      for (const auto& entry : fs::directory_iterator(directory)) take(entry);
    }
  }
  std::sort(files.begin(), files.end(),
            [](const fs::path& a, const fs::path& b) { return inspect::NumericLess(a.string(), b.string()); });
  files.erase(std::unique(files.begin(), files.end()), files.end());

  std::vector<Input> inputs;
  const auto place = [&](const fs::path& proposed) {
    return outputDirectory_.empty() ? proposed : fs::path(outputDirectory_) / proposed.filename();
  };
  if (!target.series) {
    for (const fs::path& file : files) inputs.push_back({file, place(target.propose(file))});
    return inputs;
  }
  // One input per series: its file 00, or its first file, whose open then
  // says that 00 is missing.
  std::map<std::pair<fs::path, std::string>, std::size_t> seen;
  for (const fs::path& file : files) {
    const fs::path directory = file.parent_path();
    const std::string name = file.filename().string();
    const auto series = inspect::ParseSeriesName(name, [&](const std::string& base) {
      return inspect::SeriesFileExists(titration::DiskFolder(), directory, base, 0, name.substr(name.size() - 3));
    });
    if (!series) continue;
    const auto key = std::make_pair(directory, series->base + "." + Lower(series->extension));
    const auto found = seen.find(key);
    if (found == seen.end()) {
      seen.emplace(key, inputs.size());
      inputs.push_back({file, place(directory / (series->base + ".txt"))});
    } else if (series->number == 0) {
      inputs[found->second].path = file;
    }
  }
  return inputs;
}

Result BatchCommand::Convert(const Target& target, const Input& input, int& code) const {
  std::error_code error;
  if (!force_ && fs::exists(fs::symlink_status(input.output, error))) {
    return {Outcome::kSkipped, input.output.string() + " exists (--force replaces it)"};
  }
  std::vector<std::string> args{target.name, input.path.string()};
  args.insert(args.end(), commandArguments_.begin(), commandArguments_.end());
  args.insert(args.end(), {"-q", "-o", input.output.string()});
  std::ostringstream out, err;
  code = RunCommands({target.add}, args, out, err);
  if (code == 0) return {Outcome::kConverted, Said(err.str())};
  return {Outcome::kFailed, Said(err.str())};
}

// A bar on a terminal, a line per finished input otherwise.
class Progress {
 public:
  Progress(std::ostream& err, std::size_t total, bool bar, bool quiet)
      : err_(err), total_(total), bar_(bar), quiet_(quiet) {}

  void Done(const Input& input, const Result& result) {
    const std::lock_guard lock(mutex_);
    ++done_;
    ++counts_[static_cast<int>(result.outcome)];
    if (quiet_) return;
    if (!bar_) {
      static constexpr const char* kWords[] = {"converted", "skipped", "failed"};
      err_ << '[' << done_ << '/' << total_ << "] " << kWords[static_cast<int>(result.outcome)] << ' '
           << input.path.string() << '\n';
      return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (done_ != total_ && now - shown_ < std::chrono::milliseconds(100)) return;
    shown_ = now;
    constexpr std::size_t kWidth = 40;
    const std::size_t filled = total_ == 0 ? kWidth : done_ * kWidth / total_;
    err_ << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] " << done_ << '/' << total_
         << "  converted " << counts_[0] << ", skipped " << counts_[1] << ", failed " << counts_[2]
         << (done_ == total_ ? "\n" : "") << std::flush;
  }

 private:
  std::ostream& err_;
  std::size_t total_;
  bool bar_;
  bool quiet_;
  std::mutex mutex_;
  std::size_t done_ = 0;
  std::size_t counts_[3] = {0, 0, 0};
  std::chrono::steady_clock::time_point shown_{};
};

void BatchCommand::Run(Session& session) {
  TakeArguments();
  const Target* target = nullptr;
  for (const Target& candidate : kTargets) {
    if (command_ == candidate.name) target = &candidate;
  }
  if (target == nullptr) {
    throw CLI::ValidationError("COMMAND", "batch cannot run '" + command_ + "'; see 'specbridge-cli batch --help'");
  }
  if (!outputDirectory_.empty()) {
    std::error_code error;
    fs::create_directories(outputDirectory_, error);
    if (!fs::is_directory(outputDirectory_, error)) {
      throw FileError("Cannot make the output folder '" + outputDirectory_ + "'");
    }
  }
  const std::vector<Input> inputs = FindInputs(*target);
  if (inputs.empty()) {
    session.Fail("No input for " + command_ + " in the folders given; nothing was written");
    return;
  }
  // Two inputs of one name in different folders would write one output
  // (--output-dir with --recursive): the later one is not converted.
  std::vector<std::string> clash(inputs.size());
  std::map<fs::path, std::size_t> writers;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const auto [first, added] = writers.emplace(fs::absolute(inputs[i].output).lexically_normal(), i);
    if (!added) {
      clash[i] = "its output " + inputs[i].output.string() + " is the output of " +
                 inputs[first->second].path.string() + " too; nothing was written for it";
    }
  }
  const auto start = std::chrono::steady_clock::now();
  std::vector<Result> results(inputs.size());
  const bool terminal = &session.Err() == &std::cerr && ::isatty(STDERR_FILENO) != 0;
  Progress progress(session.Err(), inputs.size(), terminal, quiet_);

  // The first input alone: options the command refuses are a usage error,
  // said once rather than for every input.
  int code = 0;
  results[0] = Convert(*target, inputs[0], code);
  if (code == 2) throw CLI::ValidationError(command_, results[0].text);
  progress.Done(inputs[0], results[0]);

  std::atomic<std::size_t> next{1};
  // Most of a conversion is waiting for its output to reach the disk (the
  // atomic replace syncs every file), so by default more threads than cores.
  const unsigned automatic = std::min(16u, 4 * std::max(1u, std::thread::hardware_concurrency()));
  const unsigned threads = std::max(1u, std::min<unsigned>(jobs_ > 0 ? static_cast<unsigned>(jobs_) : automatic,
                                                           static_cast<unsigned>(inputs.size())));
  {
    std::vector<std::jthread> workers;
    for (unsigned t = 0; t < threads; ++t) {
      workers.emplace_back([&] {
        for (std::size_t i = next++; i < inputs.size(); i = next++) {
          int ignored = 0;
          results[i] = clash[i].empty() ? Convert(*target, inputs[i], ignored) : Result{Outcome::kFailed, clash[i]};
          progress.Done(inputs[i], results[i]);
        }
      });
    }
  }

  std::size_t counts[3] = {0, 0, 0};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const Result& result = results[i];
    ++counts[static_cast<int>(result.outcome)];
    std::ostream& out = session.Out();
    switch (result.outcome) {
      case Outcome::kConverted:
        out << "converted " << inputs[i].path.string() << " -> " << inputs[i].output.string();
        if (!result.text.empty()) out << " (" << result.text << ')';
        break;
      case Outcome::kSkipped:
        out << "skipped   " << inputs[i].path.string() << ": " << result.text;
        break;
      case Outcome::kFailed:
        out << "failed    " << inputs[i].path.string() << ": " << result.text;
        break;
    }
    out << '\n';
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!quiet_) {
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.2f s (%.0f inputs/s)", seconds,
                  seconds > 0 ? static_cast<double>(inputs.size()) / seconds : 0.0);
    session.Err() << inputs.size() << " inputs: " << counts[0] << " converted, " << counts[1] << " skipped, "
                  << counts[2] << " failed in " << rate << '\n';
  }
  if (counts[2] > 0) session.FailKeepingOutputs();
}

}  // namespace

void AddBatchCommand(CLI::App& app, Context& context) { AttachCommand<BatchCommand>(app, context); }

}  // namespace specbridge::cli
