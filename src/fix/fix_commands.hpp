#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/file_chooser.hpp"
#include "fix/epsilon.hpp"
#include "fix/single_spectrum.hpp"

namespace specbridge::fix {

// The conversions of a single measured spectrum into a ".fix" file.
enum class SpectrumKind {
  kMultiSpecRows,     // "##TITLE" file, row layout ("No.1")
  kMultiSpecColumns,  // "##TITLE" file, column layout ("No.2")
  kUvProbe,           // UVProbe comma export, row layout
};

// Names proposed for the output: the input's name less its last four
// characters ("xyza.dem" -> "xyza"), and that with ".fix" ("xyza.fix"), in the
// input's directory. A name of four characters or fewer is kept whole.
std::filesystem::path TableName(const std::filesystem::path& input);
std::filesystem::path FixName(const std::filesystem::path& input);

// The ".fix" file of an epsilon data set: all its spectra, row layout.
std::string EpsilonFixText(const EpsilonData& data);

// The spectrum of `kind` in a file's bytes. A MultiSpec file without its
// "##TITLE" line and a UVProbe file without a data line are refused with a
// FileError naming `name`. `warn` hears of a NUL byte ending the text.
SingleSpectrum LoadSpectrum(SpectrumKind kind, std::string_view bytes, const std::string& name,
                            const MessageSink& warn = {});

// The ".fix" file of one spectrum: its wavelengths as they are and its
// absorbances divided by the concentration typed as `concentrationText`.
std::string SpectrumFixText(SpectrumKind kind, const SingleSpectrum& spectrum, std::string_view concentrationText);

// The epsilon and FIX commands of the main window, from the open dialog to
// the written file, on the main window's dialogs. Both dialogs offer all
// files; a cancelled dialog ends a command silently; the working directory
// is remembered after each dialog, before the chosen file is read or
// written; the output is never the input. Failures propagate as Failure.
class FixCommands {
 public:
  explicit FixCommands(FileChooser& files) : files_(files) {}

  // "Converting Epsiron Data (*a.dem)": the epsilon table.
  void ConvertEpsilonData();
  // "Generating FIX files for SPECFIT from *a.dem file".
  void GenerateFixFromEpsilon();
  // The conversions behind the concentration dialogs.
  void GenerateFixFromSpectrum(SpectrumKind kind, std::string_view concentrationText);

  // Receives the bytes of each spectrum file once it is read.
  std::function<void(std::string_view bytes)> onLoaded;

 private:
  // A reader's warning, shown as a message.
  MessageSink Warn();

  FileChooser& files_;
};

}  // namespace specbridge::fix
