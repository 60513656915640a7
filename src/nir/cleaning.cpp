#include "nir/cleaning.hpp"

#include <algorithm>
#include <system_error>

#include "common/errors.hpp"
#include "common/text.hpp"

namespace specbridge::nir {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  name.remove_prefix(name.size() - suffix.size());
  return std::equal(name.begin(), name.end(), suffix.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// Folders that match the pattern are passed over; anything else that is not
// a regular file is refused when it is read.
bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace

bool IsIrrelevantLine(std::string_view line) { return line.ends_with(", "); }

bool HasRelevantLine(std::span<const std::string_view> lines) {
  return std::any_of(lines.begin(), lines.end(), [](std::string_view line) { return !IsIrrelevantLine(line); });
}

bool HasHeaderMark(std::span<const std::string_view> lines) {
  return lines.size() >= 2 && lines[1].starts_with(kHeaderMark);
}

CleanedText CleanText(std::string_view fileBytes) {
  std::vector<std::string_view> lines;
  LoadLineViews(fileBytes, lines);
  CleanedText cleaned;
  cleaned.bytes.reserve(fileBytes.size() + lines.size());
  for (const std::string_view line : lines) {
    if (IsIrrelevantLine(line)) {
      ++cleaned.removedLines;
      continue;
    }
    cleaned.bytes.append(line);
    cleaned.bytes.append("\r\n");
  }
  return cleaned;
}

void CheckExtension(std::string_view extension, std::string_view shownAs) {
  if (extension.empty() || extension == ".") {
    throw FileError(std::string(shownAs) + ": no extension; the files to clean are found by their extension");
  }
  if (EndsWithIgnoringCase(extension, "bak")) {
    throw FileError(std::string(shownAs) + ": the extension '" + std::string(extension) +
                    "' ends in \"bak\", the ending of the backups this tool makes");
  }
}

std::string ChosenExtension(const fs::path& chosen) {
  const std::string name = chosen.filename().string();
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  CheckExtension(extension, Quoted(chosen));
  return extension;
}

fs::path BackupPath(const fs::path& file) {
  const std::string name = file.filename().string();
  fs::path backup = file;
  backup.replace_filename(name.substr(0, name.size() - std::min<std::size_t>(3, name.size())) + "bak");
  return backup;
}

std::vector<fs::path> FindPendingFiles(const fs::path& directory, std::string_view extension,
                                       const LoadObserver& loaded) {
  CheckExtension(extension, "'" + std::string(extension) + "'");
  // Full paths: the list may be processed after another dialog has moved
  // the current directory.
  const fs::path folder = fs::absolute(directory);
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (EndsWithIgnoringCase(name, extension)) names.push_back(std::move(name));
  }
  if (error) throw FileError("Cannot list the folder " + Quoted(folder) + ": " + error.message());
  std::sort(names.begin(), names.end());

  std::vector<fs::path> pending;
  std::vector<std::string_view> lines;
  for (const std::string& name : names) {
    const fs::path path = folder / name;
    if (IsFolder(path)) continue;
    const std::string bytes = ReadFileBytes(path);
    if (loaded) loaded(bytes);
    LoadLineViews(bytes, lines);
    if (!HasHeaderMark(lines) || !HasRelevantLine(lines)) continue;
    if (pending.size() == kMaxPendingFiles) {
      throw CapacityError(Quoted(folder) + ": more than " + std::to_string(kMaxPendingFiles) + " files named *" +
                          std::string(extension) + " to be processed; the limit is " +
                          std::to_string(kMaxPendingFiles) + " at once");
    }
    pending.push_back(path);
  }
  return pending;
}

std::vector<fs::path> SelectOneOfThem(const fs::path& chosen, const LoadObserver& loaded) {
  const std::string extension = ChosenExtension(chosen);
  const std::string bytes = ReadFileBytes(chosen);
  if (loaded) loaded(bytes);
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  if (!HasRelevantLine(lines)) return {};
  return FindPendingFiles(fs::absolute(chosen).parent_path(), extension, loaded);
}

Plan PlanFor(const fs::path& file) {
  Plan plan;
  plan.file = file;
  plan.backup = BackupPath(file);
  plan.backupExists = EntryExists(plan.backup);
  const std::string bytes = ReadFileBytes(file);
  plan.removedLines = CleanText(bytes).removedLines;
  TextBeforeNul(bytes, file.filename().string(), [&](std::string_view warning) { plan.warning = warning; });
  return plan;
}

void ProcessPendingFiles(std::span<const fs::path> files, Progress& progress, const LoadObserver& loaded,
                         const Faults* faults) {
  for (const fs::path& file : files) {
    const std::string bytes = ReadFileBytes(file);
    if (loaded) loaded(bytes);
    const fs::path backup = BackupPath(file);
    if (EntryExists(backup) ||
        ReplaceKeepingBackup(file, backup, CleanText(bytes).bytes, faults) == Replaced::kBackupExists) {
      progress.skipped.push_back(file);
      continue;
    }
    progress.cleaned.push_back(file);
    // What follows a NUL is not in the cleaned file; say so.
    TextBeforeNul(bytes, file.filename().string(), [&](std::string_view warning) {
      progress.warnings.push_back(std::string(warning) + "; the cleaned file ends there, " +
                                  backup.filename().string() + " keeps them");
    });
  }
}

std::string ProcessingSummary(std::size_t pendingCount, const Progress& progress, std::string_view failure) {
  const std::size_t failed = failure.empty() ? 0 : 1;
  const std::size_t done = progress.cleaned.size() + progress.skipped.size() + failed;
  std::string text = "Files cleaned: " + std::to_string(progress.cleaned.size()) +
                     ", skipped: " + std::to_string(progress.skipped.size()) + ", failed: " + std::to_string(failed);
  if (pendingCount > done) text += ", not processed: " + std::to_string(pendingCount - done);
  text += ".";
  for (const fs::path& file : progress.skipped) {
    text += "\nSkipped " + file.filename().string() + ": backup " + BackupPath(file).filename().string() + " exists";
  }
  for (const std::string& warning : progress.warnings) text += "\n" + warning;
  if (!failure.empty()) text += "\nFailed: " + std::string(failure);
  return text;
}

std::string ConfirmationText(std::size_t count) {
  return "There are " + std::to_string(count) + " Files to be Processed with this!";
}

}  // namespace specbridge::nir
