// Finding a numbered series on disk, recognising each instrument layout and
// reading wavelengths and absorbances into the TitrationSeries.
#include <algorithm>
#include <cctype>
#include <optional>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "formats/comma_column.hpp"
#include "formats/even_axis.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/tab_column.hpp"
#include "formats/title_header.hpp"
#include "formats/uvprobe.hpp"
#include "titration/titration.hpp"

namespace specbridge::titration {
namespace {

using formats::InstrumentLines;

// Refused before anything is stored, so a long file cannot overrun the arrays.
int CheckedPointCount(int count, const std::string& name) {
  if (count > kMaxPoints) {
    throw CapacityError(name + ": " + std::to_string(count) + " points; a spectrum holds at most " +
                        std::to_string(kMaxPoints));
  }
  return std::max(count, 0);
}

// A point the layout cannot read starts fresh rather than keeping a number
// from an earlier file or series.
void ClearPoint(TitrationSeries& series, int k, int i) {
  if (k == 0) series.W(i) = 0;
  series.A(k, i) = 0;
}

int ReadCommaColumns(TitrationSeries& series, const InstrumentLines& file, int k, std::size_t wavelengthWidth) {
  const int count = CheckedPointCount(file.Count() - series.TrailingLineCount, file.Name());
  for (int i = 0; i < count; ++i) {
    const std::string_view line = file.Line(i + 1);
    if (k == 0) series.W(i) = file.Real(i + 1, formats::CommaWavelengthText(line, wavelengthWidth));
    series.A(k, i) = file.Real(i + 1, formats::CommaValueText(line, wavelengthWidth));
  }
  return count;
}

// The wavelength ends are whole numbers in this converter.
int ReadTitleHeader(TitrationSeries& series, const InstrumentLines& file, int k) {
  using namespace formats;
  const int count =
      CheckedPointCount(file.Integer(kWavelengthCount.line, NeededTitleText(file, kWavelengthCount)), file.Name());
  if (k == 0 && count > 0) {
    const int first = file.Integer(kFirstWavelength.line, NeededTitleText(file, kFirstWavelength));
    const int last = file.Integer(kLastWavelength.line, NeededTitleText(file, kLastWavelength));
    try {
      for (int i = 0; i < count; ++i) series.W(i) = EvenlySpaced(first, last, count, i);
    } catch (Failure& failure) {
      // One point leaves no spacing to divide by.
      failure.AddContext(LinePlace(file.Name(), kWavelengthCount.line) + " (" +
                         QuoteText(file.Line(kWavelengthCount.line)) + ")");
      throw;
    }
  }
  for (int i = 0; i < count; ++i) {
    const int n = kTitleFirstValueLine + i;
    series.A(k, i) = file.Real(n, file.Needed(n));
  }
  return count;
}

// UVProbe exports: "1,100.0,0.532" is 1100 nm, the thousands part cut off by
// the comma.
int ReadQuotedComma(TitrationSeries& series, const InstrumentLines& file, int k) {
  const int count = CheckedPointCount(file.Count() - (formats::kUvProbeFirstPointLine - 1), file.Name());
  for (int i = 0; i < count; ++i) {
    const int n = formats::kUvProbeFirstPointLine + i;
    const auto point = AtLine(file.Name(), n, [&] { return formats::ReadCommaPoint(file.Line(n)); });
    if (!point) {
      ClearPoint(series, k, i);
      continue;
    }
    if (k == 0) series.W(i) = point->wavelength;
    series.A(k, i) = point->value;
  }
  return count;
}

int ReadCountHeader(TitrationSeries& series, const InstrumentLines& file, int k) {
  const int count = CheckedPointCount(file.Integer(1, file.Line(1)), file.Name());
  if (k == 0 && count > 0) {
    const double start = file.Real(2, file.Needed(2));
    const double step = file.Real(6, file.Needed(6));
    for (int i = 0; i < count; ++i) series.W(i) = start + step * i;
  }
  for (int i = 0; i < count; ++i) series.A(k, i) = file.Real(7 + i, file.Needed(7 + i));
  return count;
}

int ReadTabLayout(TitrationSeries& series, const InstrumentLines& file, int k, const MessageSink& message) {
  const int count = CheckedPointCount(file.Count() - (formats::kTabTableFirstPointLine - 1), file.Name());
  for (int i = 0; i < count; ++i) {
    const int n = formats::kTabTableFirstPointLine + i;
    const auto cells = formats::FirstTwoTabCells(file.Line(n));
    if (!cells) {
      if (message) message(kTabLayoutMessage);
      ClearPoint(series, k, i);
      continue;
    }
    if (k == 0) series.W(i) = file.Real(n, cells->before);
    series.A(k, i) = file.Real(n, cells->after);
  }
  return count;
}

// Line 1 of a count-header file holds the point count; instrument footers
// are told apart by the line count and the last line.
void ApplyTrailingLineRules(TitrationSeries& series, const InstrumentLines& file, bool& countHeader) {
  const int c = file.Integer(1, file.Line(1));
  if (static_cast<long long>(file.Count()) == static_cast<long long>(c) + 6) {
    series.TrailingLineCount = 6;
    countHeader = true;
  }
  const std::string_view last = file.Line(file.Count());
  if (last.empty() || !std::isdigit(static_cast<unsigned char>(last.front()))) series.TrailingLineCount = 1;
  if (formats::BeginsWith(last, "##END")) series.TrailingLineCount = 0;
}

bool BeginsWithDigit(std::string_view line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return !line.empty() && std::isdigit(static_cast<unsigned char>(line.front()));
}

// Inserted rather than concatenated: GCC 12 at -O3 reports a false
// -Wrestrict on `"0" + std::to_string(n)`.
std::string SeriesNumber(int n) {
  std::string number = std::to_string(n);
  if (n < 10) number.insert(0, 1, '0');
  return number;
}

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The file of titration point n, with the upper-case extension first and
// then the chosen file's own spelling; empty when neither exists.
std::filesystem::path FindSeriesFile(const SeriesFolder& folder, const std::filesystem::path& directory,
                                     const std::string& base, int n, const std::string& extension,
                                     const std::string& ownExtension) {
  for (const std::string* ext : {&extension, &ownExtension}) {
    auto path = directory / (base + SeriesNumber(n) + "." + *ext);
    if (folder.IsFile(path)) return path;
  }
  return {};
}

void SearchRange(PlotRange& range, double w, bool withWavelength, double a) {
  if (withWavelength) {
    range.xLow = std::min(range.xLow, w);
    range.xHigh = std::max(range.xHigh, w);
  }
  range.yLow = std::min(range.yLow, a);
  range.yHigh = std::max(range.yHigh, a);
}

std::string StepText(const TitrationSeries& series) {
  const int n = series.PointCount;
  const double step = n > 1 ? (series.W(n - 1) - series.W(0)) / (n - 1) : 0.0;
  return ShortReal(step) + " nm-div.";
}

// Steps shared by both kinds of open once the data are in.
void FinishOpen(TitrationSeries& series, BoxTexts& boxes, const PlotRange& running) {
  series.DataRange = running;
  series.SelectedRange = running;
  boxes.Set("Edit1", FixedText(running.xLow, 11, 2));
  boxes.Set("Edit2", FixedText(running.xHigh, 11, 2));
  boxes.Set("Edit3", FixedText(running.yLow, 11, 2));
  boxes.Set("Edit4", FixedText(running.yHigh, 11, 2));
  series.ProposedSaveFile = series.SeriesDirectory / (series.SeriesBase + ".txt");
}

constexpr PlotRange kStartingRange{1000, 0, 1000, 0};

void OpenSheet(TitrationSeries& series, const std::string& name, std::string_view bytes, BoxTexts& boxes,
               std::optional<std::vector<std::string>>& lines, const MessageSink& message) {
  lines = LoadLines(TextBeforeNul(bytes, name, message));
  // The "2D" line; a NUL before it leaves no lines at all.
  if (!lines->empty()) lines->erase(lines->begin());
  ReadBlankSheet(series, *lines, name);
  boxes.Set("Edit6", IntText(series.FileCount));
  boxes.Set("Edit7", IntText(series.PointCount));
  boxes.Set("Edit8", StepText(series));
  PlotRange running = kStartingRange;
  for (int i = 0; i < series.PointCount; ++i) {
    for (int k = 0; k < series.FileCount; ++k) SearchRange(running, series.W(i), true, series.A(k, i));
  }
  FinishOpen(series, boxes, running);
}

// Every file of the series as spectrum k, in order; the range search of each.
void ReadEveryFile(const SeriesFolder& folder, TitrationSeries& series, int count, std::string& bytes,
                   std::vector<std::string_view>& views, bool& examined, BoxTexts& boxes, PlotRange& running,
                   bool& countHeader, const MessageSink& message) {
  for (int k = 0; k < count; ++k) {
    const auto& file = series.FileNames[static_cast<std::size_t>(k)];
    const std::string fileName = file.filename().string();
    bytes = folder.Read(file);
    LoadLineViews(TextBeforeNul(bytes, fileName, message), views);
    examined = true;
    const int before = series.PointCount;
    ReadSeriesFile(series, views, k, fileName, countHeader, message);
    if (k == 0 && series.PointCount < 1) {
      // An output of headers without data would look like a success.
      throw FileError(fileName + ": the file holds no data points");
    }
    if (k == 0) {
      boxes.Set("Edit7", IntText(series.PointCount));
      boxes.Set("Edit8", StepText(series));
    } else if (series.PointCount != before) {
      // Spectra of different lengths would mix in numbers of other files.
      throw FileError(fileName + ": " + std::to_string(series.PointCount) + " points, but " +
                      series.FileNames[0].filename().string() + " has " + std::to_string(before));
    }
    for (int i = 0; i < series.PointCount - series.TrailingLineCount; ++i) {
      SearchRange(running, series.W(i), k == 0, series.A(k, i));
    }
  }
}

void OpenNumbered(const SeriesFolder& folder, TitrationSeries& series, const std::filesystem::path& chosen,
                  BoxTexts& boxes, std::optional<std::vector<std::string>>& lines, const MessageSink& message) {
  const std::string path = chosen.string();
  const std::string ownExtension = path.substr(path.size() - std::min<std::size_t>(3, path.size()));
  const std::string extension = UpperAscii(ownExtension);
  const std::string name = chosen.filename().string();
  const std::filesystem::path directory = chosen.parent_path();
  std::string base = name.substr(0, name.size() - std::min<std::size_t>(6, name.size()));
  // "run100.ASC" is file 100 of the series "run", when "run00" is there.
  if (name.size() >= 7 && name.compare(name.size() - 7, 3, "100") == 0) {
    const std::string shorter = name.substr(0, name.size() - 7);
    if (!FindSeriesFile(folder, directory, shorter, 0, extension, ownExtension).empty()) base = shorter;
  }

  int count = 0;
  for (; count < kMaxSpectra; ++count) {
    auto file = FindSeriesFile(folder, directory, base, count, extension, ownExtension);
    if (file.empty()) break;
    series.FileNames[static_cast<std::size_t>(count)] = std::move(file);
  }
  if (count == 0) {
    throw FileError("'" + (directory / (base + "00." + extension)).string() +
                    "' not found: a series starts with file 00");
  }
  // The series ends at the first missing number, as SPECFIT numbers the
  // points; files after a gap are most likely a mistake worth a word.
  int later = 0;
  std::filesystem::path firstLater;
  for (int n = count + 1; n < kMaxSpectra; ++n) {
    auto file = FindSeriesFile(folder, directory, base, n, extension, ownExtension);
    if (file.empty()) continue;
    if (later++ == 0) firstLater = std::move(file);
  }
  if (later > 0 && message) {
    message("'" + base + SeriesNumber(count) + "." + extension + "' is missing: the series ends at " +
            series.FileNames[static_cast<std::size_t>(count - 1)].filename().string() + " and leaves out " +
            std::to_string(later) + (later == 1 ? " later file, " : " later files, from ") +
            firstLater.filename().string());
  }
  if (count == kMaxSpectra) {
    if (const auto extra = FindSeriesFile(folder, directory, base, count, extension, ownExtension); !extra.empty()) {
      throw CapacityError(extra.filename().string() + ": a series holds at most " + std::to_string(kMaxSpectra) +
                          " files (00 to 100)");
    }
  }
  series.Absorbances.reserve(static_cast<std::size_t>(count) * kMaxPoints);
  boxes.Set("Extention", extension);
  series.SeriesBase = base;
  series.SeriesDirectory = directory;
  series.FileCount = series.UsedSpectrumCount = count;
  boxes.Set("Edit6", IntText(count));

  PlotRange running = kStartingRange;
  bool countHeader = false;
  // One buffer and one list of views for all files; only the last file's
  // lines are kept, for the window's file buffer.
  std::string bytes;
  std::vector<std::string_view> views;
  bool examined = false;
  const auto keepLastFile = [&] {
    if (examined) lines.emplace(views.begin(), views.end());
  };
  try {
    ReadEveryFile(folder, series, count, bytes, views, examined, boxes, running, countHeader, message);
  } catch (...) {
    keepLastFile();
    throw;
  }
  keepLastFile();
  FinishOpen(series, boxes, running);
}

// A copy of everything but the spectra, which an open reads afresh (the
// readers size them): copying the 2.4 MB of a full series would cost about
// as much as reading it.
TitrationSeries WithoutSpectra(TitrationSeries& series) {
  std::vector<double> spectra;
  spectra.swap(series.Absorbances);
  try {
    TitrationSeries copy = series;
    series.Absorbances.swap(spectra);
    return copy;
  } catch (...) {
    series.Absorbances.swap(spectra);
    throw;
  }
}

// Room for spectra 0 to count - 1; what a reader does not write reads 0.
void MakeRoomForSpectra(TitrationSeries& series, int count) {
  const auto size = static_cast<std::size_t>(count) * kMaxPoints;
  // Value-initialized doubles are 0.0; given as a value, the fill would go
  // element by element instead of as one memset.
  if (series.Absorbances.size() < size) series.Absorbances.resize(size);
}

}  // namespace

namespace {

class DiskSeriesFolder final : public SeriesFolder {
 public:
  bool IsFile(const std::filesystem::path& path) const override {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  }
  std::string Read(const std::filesystem::path& path) const override { return ReadFileBytes(path); }
};

}  // namespace

const SeriesFolder& DiskFolder() {
  static const DiskSeriesFolder disk;
  return disk;
}

TitrationSeries::TitrationSeries()
    : FileNames(kMaxSpectra),
      Wavelengths(kMaxPoints, 0.0),
      Absorbances(static_cast<std::size_t>(kMaxSpectra) * kMaxPoints, 0.0) {}

BoxTexts DefaultBoxes() {
  return BoxTexts{{"Edit1", "200"},
                  {"Edit2", "800"},
                  {"Edit3", "0"},
                  {"Edit4", "2"},
                  {"Edit6", "Edit6"},
                  {"Edit7", "Edit7"},
                  {"Edit8", "Edit8"},
                  {"Extention", "ASC"},
                  {"Comment1", "Comment1"},
                  {"Comment2", "Comment2"},
                  {"V0", "V0"},
                  {"Vt", "Vt"},
                  {"CM", "CM"},
                  {"CH", "CH"},
                  {"Temp", "Temp"},
                  {"No1", "No1"},
                  {"CL1", "CL1"},
                  {"No2", "No2"},
                  {"CL2", "CL2"},
                  {"No3", "No3"},
                  {"CL3", "CL3"},
                  {"No4", "No4"},
                  {"CL4", "CL4"},
                  {"No5", "No5"},
                  {"CL5", "CL5"},
                  {"Edit9", "0"},
                  {"Edit10", "300"}};
}

void ReadSeriesFile(TitrationSeries& series, const std::vector<std::string>& lines, int k, const std::string& name,
                    bool& countHeader, const MessageSink& message) {
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  ReadSeriesFile(series, views, k, name, countHeader, message);
}

void ReadSeriesFile(TitrationSeries& series, const std::vector<std::string_view>& lines, int k, const std::string& name,
                    bool& countHeader, const MessageSink& message) {
  MakeRoomForSpectra(series, k + 1);
  const InstrumentLines file(lines, name);
  const std::string_view first = file.Line(1);
  if (formats::IsCommaColumn(first, formats::kCommaWavelengthWidth)) {
    series.PointCount = ReadCommaColumns(series, file, k, formats::kCommaWavelengthWidth);
    return;
  }
  if (formats::IsCommaColumn(first, formats::kWideCommaWavelengthWidth)) {
    series.PointCount = ReadCommaColumns(series, file, k, formats::kWideCommaWavelengthWidth);
    return;
  }
  bool read = false;
  if (BeginsWithDigit(first)) {
    ApplyTrailingLineRules(series, file, countHeader);
  } else if (formats::IsTitleHeader(first)) {
    series.PointCount = ReadTitleHeader(series, file, k);
    read = true;
  }
  if (formats::IsUvProbeExport(first, file.Line(2))) {
    series.PointCount = ReadQuotedComma(series, file, k);
  } else if (countHeader) {
    series.PointCount = ReadCountHeader(series, file, k);
  } else if (formats::IsTabTable(file)) {
    series.PointCount = ReadTabLayout(series, file, k, message);
  } else if (!read) {
    // Reading nothing would leave the numbers of another file in its place.
    throw FileError(name + ", line 1: not a spectrum file of a known layout (" + QuoteText(first) + ")");
  }
}

void ReadBlankSheet(TitrationSeries& series, const std::vector<std::string>& rows, const std::string& name) {
  if (rows.empty()) throw FileError(name + ", line 2: the file holds no table after its \"2D\" line");
  std::vector<std::string_view> fields;
  WithContext(LinePlace(name, 2), [&] { SplitFields(rows[0], fields); });
  const int columns = static_cast<int>(fields.size());
  const int spectra = columns - 1;
  const int points = static_cast<int>(rows.size()) - 1;
  if (spectra < 1)
    throw FileError(LinePlace(name, 2) + ": the table has no value columns (" + QuoteText(rows[0]) + ")");
  if (points < 1) {
    throw FileError(LinePlace(name, 2) + ": the table holds no data rows (its only row, the last, is not read)");
  }
  if (spectra > kMaxSpectra) {
    throw CapacityError(LinePlace(name, 2) + ": " + std::to_string(spectra) + " spectra; at most " +
                        std::to_string(kMaxSpectra) + " can be read");
  }
  if (points > kMaxPoints) {
    throw CapacityError(name + ": " + std::to_string(points) + " points; a spectrum holds at most " +
                        std::to_string(kMaxPoints));
  }
  MakeRoomForSpectra(series, spectra);
  for (int i = 0; i <= points; ++i) {
    const int line = i + 2;  // the "2D" line is line 1
    const std::string& row = rows[static_cast<std::size_t>(i)];
    AtLine(name, line, [&] {
      SplitFields(row, fields);
      if (i == points) {
        // The last row is not data, but its first field still has to be a number.
        (void)TextToReal(fields[0]);
        return;
      }
      if (static_cast<int>(fields.size()) < columns) {
        throw ConversionError("only " + std::to_string(fields.size()) + " of " + std::to_string(columns) +
                              " columns (" + QuoteText(row) + ")");
      }
      series.W(i) = TextToReal(fields[0]);
      for (int k = 0; k < spectra; ++k) series.A(k, i) = TextToReal(fields[static_cast<std::size_t>(k) + 1]);
    });
  }
  series.FileCount = series.UsedSpectrumCount = spectra;
  series.PointCount = points;
}

void OpenSeries(TitrationSeries& series, const std::filesystem::path& chosen, BoxTexts& boxes,
                std::vector<std::string>& lineBuffer, const MessageSink& message, const SeriesFolder& folder) {
  const std::string bytes = folder.Read(chosen);
  TextReader reader(bytes);
  const bool sheet = TrimControls(reader.ReadLine()) == "2D";
  // Read into copies: a failure leaves the previous series and boxes whole.
  TitrationSeries next = WithoutSpectra(series);
  BoxTexts nextBoxes = boxes;
  // The lines of the last file examined, if any was.
  std::optional<std::vector<std::string>> lines;
  try {
    if (sheet) {
      OpenSheet(next, chosen.filename().string(), bytes, nextBoxes, lines, message);
    } else {
      OpenNumbered(folder, next, chosen, nextBoxes, lines, message);
    }
  } catch (...) {
    if (lines) lineBuffer = std::move(*lines);
    throw;
  }
  if (lines) lineBuffer = std::move(*lines);
  series = std::move(next);
  boxes = std::move(nextBoxes);
}

}  // namespace specbridge::titration
