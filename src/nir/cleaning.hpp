#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "nir/in_place.hpp"

namespace specbridge::nir {

// At most this many files are cleaned at once.
inline constexpr int kMaxPendingFiles = 100;

// The UV3150K writes a near-infrared point it has no value for as a line that
// ends in a comma and a blank ("1000.0, "). Every other line is relevant.
bool IsIrrelevantLine(std::string_view line);
bool HasRelevantLine(std::span<const std::string_view> lines);

// Line 2 of a UV3150K export begins with a double quote and the Shift-JIS
// word for wavelength.
inline constexpr std::string_view kHeaderMark = "\x22\x94\x67\x92\xB7";
bool HasHeaderMark(std::span<const std::string_view> lines);

// The file's relevant lines, each ended by CR LF, and how many lines were
// left out. Lines are cut as files are loaded (a NUL ends the text).
struct CleanedText {
  std::string bytes;
  int removedLines = 0;
};
CleanedText CleanText(std::string_view fileBytes);

// The chosen file's extension with its dot: what follows the last dot of its
// name (".ASC"; a dot-file ".ASC" has it too). A name without one, and an
// extension ending in "bak" in any letter case (the backup name would be the
// file itself), are refused with FileError.
std::string ChosenExtension(const std::filesystem::path& chosen);

// Refuses an extension for the directory search: empty, a lone dot, or one
// ending in "bak" in any letter case. `shownAs` names it in the message.
void CheckExtension(std::string_view extension, std::string_view shownAs);

// The name less its last three characters, followed by "bak", in the same
// directory ("run.ASC" -> "run.bak", "run.ascx" -> "run.abak").
std::filesystem::path BackupPath(const std::filesystem::path& file);

// Receives the bytes of every file the tool loads, in order (the window's
// Memo1 shows the last one).
using LoadObserver = std::function<void(std::string_view bytes)>;

// The UV3150K files of `directory` whose names end in `extension` (ASCII
// letter case ignored; the name may be the extension alone): regular files
// whose line 2 has the header mark and which have a relevant line, as full
// paths in ascending byte order of their names. Folders are passed over; an
// entry that cannot be read (a dangling link, no permission, not a regular
// file) stops the search with FileError naming it; more than
// kMaxPendingFiles throws CapacityError.
std::vector<std::filesystem::path> FindPendingFiles(const std::filesystem::path& directory, std::string_view extension,
                                                    const LoadObserver& loaded = {});

// "Select_One_of_Them" once its dialog has returned `chosen`: nothing when
// the chosen file has no relevant line, else the pending files of its
// directory for its extension. The chosen file is among them only when it
// has the header mark.
std::vector<std::filesystem::path> SelectOneOfThem(const std::filesystem::path& chosen,
                                                   const LoadObserver& loaded = {});

// What one pending file would become.
struct Plan {
  std::filesystem::path file;
  std::filesystem::path backup;
  bool backupExists = false;
  int removedLines = 0;
  std::string warning;  // a NUL cuts the text
};
Plan PlanFor(const std::filesystem::path& file);

// How far processing went. Filled as it goes, so a failure that stops it
// still tells what was done.
struct Progress {
  std::vector<std::filesystem::path> cleaned;
  std::vector<std::filesystem::path> skipped;  // their backup name exists
  std::vector<std::string> warnings;           // cleaned files cut short by a NUL
};

// Cleans every file in order, keeping its present content under its backup
// name. A file whose backup name exists is left alone with its old backup
// (recorded in `progress.skipped`). A failure throws at once: the file it
// meets is left as it was, those cleaned before stay cleaned.
void ProcessPendingFiles(std::span<const std::filesystem::path> files, Progress& progress,
                         const LoadObserver& loaded = {}, const Faults* faults = nullptr);

// One message for the end of processing: counts of cleaned, skipped and
// failed files, each skipped file with its backup name, the warnings and the
// failure.
// `failure` is empty when processing ran to its end.
std::string ProcessingSummary(std::size_t pendingCount, const Progress& progress, std::string_view failure);

// "There are N Files to be Processed with this!"
std::string ConfirmationText(std::size_t count);

}  // namespace specbridge::nir
