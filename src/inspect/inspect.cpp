#include "inspect/inspect.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "emission/emission_set.hpp"
#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"
#include "formats/comma_column.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/tab_column.hpp"
#include "formats/title_header.hpp"
#include "formats/uvprobe.hpp"
#include "inspect/file_names.hpp"
#include "inspect/json.hpp"
#include "kinetics/readers.hpp"
#include "resave/sheet.hpp"
#include "sheets/spectrum_set.hpp"
#include "simple_kinetics/trace_data.hpp"

namespace specbridge::inspect {
namespace {

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
bool IsHalfWidth(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// Fields parted by runs of blanks, tabs and commas.
void SplitTokens(std::string_view line, std::vector<std::string_view>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
}

std::optional<double> Number(std::string_view token) {
  try {
    return TextToReal(token);
  } catch (const Failure&) {
    return std::nullopt;
  }
}

// A UVProbe point with a thousands comma ("1,100.0,0.532"): one wavelength
// and one value, not three fields.
std::optional<formats::CommaPoint> ThousandsPoint(std::string_view line) {
  if (std::count(line.begin(), line.end(), ',') != 2) return std::nullopt;
  try {
    return formats::ReadCommaPoint(line);
  } catch (const Failure&) {
    return std::nullopt;
  }
}

void Note(Anomaly& anomaly, int line, std::string_view text) {
  if (anomaly.count++ == 0) {
    anomaly.firstLine = line;
    anomaly.firstText = std::string(text);
  }
}

// Line ends, NULs and the bytes above 0x7F of the whole file.
void CountBytes(std::string_view bytes, ByteFacts& facts) {
  int line = 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++facts.crlf;
        ++i;
      } else {
        ++facts.cr;
      }
      ++line;
    } else if (c == '\n') {
      ++facts.lf;
      ++line;
    } else if (c == 0) {
      if (facts.nulCount++ == 0) facts.firstNulLine = line;
    } else if (c >= 0x80) {
      if (IsLead(c) && i + 1 < bytes.size() && IsTrail(static_cast<unsigned char>(bytes[i + 1]))) {
        if (facts.shiftJisCharacters++ == 0) facts.firstShiftJisLine = line;
        ++i;
      } else if (IsHalfWidth(c)) {
        if (facts.shiftJisCharacters++ == 0) facts.firstShiftJisLine = line;
      } else if (facts.badByte < 0) {
        facts.badByte = c;
        facts.badByteLine = line;
      }
    }
  }
  facts.finalLineEnd = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r';
}

// The block of number lines as the readers see the text (up to a NUL).
void ExamineTable(std::string_view bytes, ByteFacts& facts) {
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  facts.lines = static_cast<int>(lines.size());
  std::vector<std::string_view> tokens;
  const auto startsWithNumber = [&](std::string_view line) {
    SplitTokens(line, tokens);
    return !tokens.empty() && Number(tokens.front()).has_value();
  };
  int first = -1, last = -1;
  for (int n = 0; n < facts.lines; ++n) {
    if (!startsWithNumber(lines[static_cast<std::size_t>(n)])) continue;
    if (first < 0) first = n;
    last = n;
  }
  if (first < 0) {
    facts.headerLines = facts.lines;
    return;
  }
  facts.headerLines = first;
  facts.dataLines = last - first + 1;
  facts.linesAfter = facts.lines - last - 1;
  // The width of the table: the field count most lines have (a count line
  // or a line of times above the table may differ).
  std::vector<int> widths;
  for (int n = first; n <= last; ++n) {
    const std::string_view line = lines[static_cast<std::size_t>(n)];
    if (formats::BeginsWith(line, "##")) continue;
    SplitTokens(line, tokens);
    widths.push_back(ThousandsPoint(line) ? 2 : static_cast<int>(tokens.size()));
  }
  facts.dataLines = static_cast<int>(widths.size());
  std::sort(widths.begin(), widths.end());
  int bestRun = 0;
  for (std::size_t i = 0; i < widths.size();) {
    std::size_t j = i;
    while (j < widths.size() && widths[j] == widths[i]) ++j;
    if (static_cast<int>(j - i) > bestRun) {
      bestRun = static_cast<int>(j - i);
      facts.fields = widths[i];
    }
    i = j;
  }
  for (int n = first; n <= last; ++n) {
    const std::string_view line = lines[static_cast<std::size_t>(n)];
    // JCAMP labels ("##PAGE=T=7") part the blocks of a ##TITLE file.
    if (formats::BeginsWith(line, "##")) continue;
    if (const auto point = ThousandsPoint(line)) {
      if (facts.fields == 2) facts.axis.push_back(point->wavelength);
      continue;
    }
    SplitTokens(line, tokens);
    if (static_cast<int>(tokens.size()) < facts.fields) Note(facts.shortLines, n + 1, line);
    if (static_cast<int>(tokens.size()) > facts.fields) Note(facts.longLines, n + 1, line);
    for (std::size_t t = 0; t < tokens.size(); ++t) {
      const auto value = Number(tokens[t]);
      if (!value) {
        Note(facts.notNumbers, n + 1, tokens[t]);
      } else if (t == 0 && facts.fields >= 2 && static_cast<int>(tokens.size()) >= 2) {
        facts.axis.push_back(*value);
      }
    }
  }
}

// --- The readers ------------------------------------------------------------------

class Warnings {
 public:
  MessageSink Sink() {
    return [this](std::string_view message) {
      // The facts of the file name the NUL bytes once for all readers.
      if (message.find(": a NUL byte ends the text here;") != std::string_view::npos) return;
      for (auto& [text, count] : seen_) {
        if (text == message) {
          ++count;
          return;
        }
      }
      seen_.emplace_back(std::string(message), 1);
    };
  }
  std::vector<std::string> List() const {
    std::vector<std::string> list;
    for (const auto& [text, count] : seen_)
      list.push_back(count == 1 ? text : text + " (" + IntText(count) + " times)");
    return list;
  }

 private:
  std::vector<std::pair<std::string, int>> seen_;
};

// Runs one reader; a Failure it throws is its refusal.
ReaderVerdict Ask(const char* tool, const std::function<void(ReaderVerdict&, const MessageSink&)>& read) {
  ReaderVerdict verdict;
  verdict.tool = tool;
  Warnings warnings;
  try {
    read(verdict, warnings.Sink());
    verdict.accepted = verdict.refusal.empty();
  } catch (const Failure& failure) {
    verdict.refusal = failure.Message();
  } catch (const std::exception& fault) {
    verdict.refusal = std::string("Internal error: ") + fault.what();
  }
  verdict.warnings = warnings.List();
  return verdict;
}

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Range(double first, double last, const char* unit) {
  return ShortReal(first) + " to " + ShortReal(last) + unit;
}

std::string Points(long long count) { return IntText(static_cast<int>(count)) + (count == 1 ? " point" : " points"); }

// The layout that the titration reader took, by the tests it makes in order.
std::string TitrationLayout(const std::vector<std::string_view>& lines, bool countHeader, const std::string& name) {
  const formats::InstrumentLines file(lines, name);
  const std::string_view first = file.Line(1);
  if (formats::IsCommaColumn(first, formats::kCommaWavelengthWidth)) return "comma-column layout";
  if (formats::IsCommaColumn(first, formats::kWideCommaWavelengthWidth)) return "wide comma-column layout";
  if (formats::IsUvProbeExport(first, file.Line(2))) return "quoted comma layout (UVProbe)";
  if (countHeader) return "count-header layout";
  if (formats::IsTabTable(file)) return "tab layout (\"File Name :\" header)";
  return "title-header layout (##TITLE)";
}

void ReadTitration(std::string_view bytes, const std::string& name, ReaderVerdict& verdict, const MessageSink& warn) {
  auto series = std::make_unique<titration::TitrationSeries>();
  const std::string_view text = TextBeforeNul(bytes, name, warn);
  TextReader reader(text);
  if (TrimControls(reader.ReadLine()) == "2D") {
    std::vector<std::string> rows = LoadLines(text);
    rows.erase(rows.begin());
    titration::ReadBlankSheet(*series, rows, name);
    verdict.layout = "\"2D\" sheet";
    verdict.detail = IntText(series->FileCount) + " spectra of " + Points(series->PointCount) + ", " +
                     Range(series->W(0), series->W(series->PointCount - 1), " nm");
    return;
  }
  std::vector<std::string_view> lines;
  LoadLineViews(text, lines);
  bool countHeader = false;
  titration::ReadSeriesFile(*series, lines, 0, name, countHeader, warn);
  if (series->PointCount < 1) {
    verdict.refusal = name + ": the file holds no data points";
    return;
  }
  verdict.layout = TitrationLayout(lines, countHeader, name);
  verdict.detail = Points(series->PointCount) + ", " + Range(series->W(0), series->W(series->PointCount - 1), " nm");
  if (series->TrailingLineCount > 0) {
    verdict.detail += "; the last " + Points(series->TrailingLineCount) + " left out of the plot";
  }
}

const char* KineticLayout(kinetics::Layout layout) {
  switch (layout) {
    case kinetics::Layout::TimeRowMatrix:
      return "layout A (numbers; line 1 holds the times)";
    case kinetics::Layout::WavelengthHeaderMatrix:
      return "layout B (numbers under a wavelength header)";
    case kinetics::Layout::TitleHeader:
      return "layout C (##TITLE kinetics file)";
    case kinetics::Layout::BlankTable:
      return "layout D (\"space\" blank-separated table)";
    case kinetics::Layout::Specfit2D:
      return "layout E (SPECFIT 2D-format file)";
  }
  return "layout ?";
}

void ReadKinetics(std::string_view bytes, const std::string& name, ReaderVerdict& verdict) {
  const kinetics::KineticFile file = kinetics::ReadKineticFile(std::string(bytes), name);
  verdict.layout = KineticLayout(file.layout);
  // An empty file opens as the window's empty table.
  verdict.detail = file.points + " wavelengths" +
                   (file.nmlow.empty() ? std::string() : ", " + file.nmlow + " to " + file.nmhigh + " nm") + "; " +
                   file.total + (file.total == "1" ? " time row" : " time rows");
}

void ReadSimpleKinetics(std::string_view bytes, const std::string& name, ReaderVerdict& verdict) {
  const simple_kinetics::SimpleTraceData data = simple_kinetics::ReadSimpleTrace(bytes, name);
  verdict.layout = "##TITLE kinetics file (MultiSpec-1500)";
  verdict.detail = IntText(data.Nw) + " wavelengths, " + Range(data.W1, data.W2, " nm") + "; " + IntText(data.Nr) +
                   " runs, " + Range(data.T1, data.T2, " s");
}

void ReadEpsilon(std::string_view bytes, const std::string& name, ReaderVerdict& verdict, const MessageSink& warn) {
  const fix::EpsilonData data = fix::ParseEpsilonData(bytes, name, warn);
  verdict.layout = "epsilon data (*a.dem)";
  verdict.detail = IntText(data.spectrumCount) + " spectra of " + IntText(data.wavelengthCount) + " wavelengths";
  if (!data.wavelengths.empty())
    verdict.detail += ", " + Range(data.wavelengths.front(), data.wavelengths.back(), " nm");
}

void ReadSpectrum(fix::SpectrumKind kind, std::string_view bytes, const std::string& name, ReaderVerdict& verdict,
                  const MessageSink& warn) {
  const fix::SingleSpectrum spectrum = fix::LoadSpectrum(kind, bytes, name, warn);
  verdict.layout = kind == fix::SpectrumKind::kUvProbe ? "UVProbe export" : "##TITLE spectrum (MultiSpec)";
  verdict.detail = Points(spectrum.Count());
  if (spectrum.Count() > 0)
    verdict.detail += ", " + Range(spectrum.wavelengths.front(), spectrum.wavelengths.back(), " nm");
}

// The single-spectrum layouts of the sheet and emission windows, by line 1.
std::string EvenLayout(std::string_view bytes) {
  TextReader reader(bytes);
  const std::string first = reader.ReadLine();
  if (formats::IsTitleHeader(first)) return "##TITLE spectrum";
  if (formats::IsCommaColumn(first)) return "comma-column spectrum";
  return "tab-column spectrum";
}

void ReadSheet(std::string_view bytes, const std::string& name, ReaderVerdict& verdict, const MessageSink& warn) {
  auto set = std::make_unique<sheets::SpectrumSet>();
  if (!sheets::ReadSpectrumBytes(*set, bytes, name, 1, false, warn)) {
    verdict.refusal = name + ": not a \"##TITLE\" or comma-column spectrum file";
    return;
  }
  verdict.layout = EvenLayout(bytes);
  verdict.detail = Points(set->PointCount) + ", " + Range(set->FirstWavelength, set->LastWavelength, " nm");
}

void ReadEmission(std::string_view bytes, const std::string& name, ReaderVerdict& verdict, const MessageSink& warn) {
  auto set = std::make_unique<emission::EmissionSet>();
  if (!emission::ReadEmissionBytes(*set, bytes, name, 1, false, warn)) {
    verdict.refusal = name + ": not a \"##TITLE\", comma-column or tab-column spectrum file";
    return;
  }
  verdict.layout = EvenLayout(bytes);
  verdict.detail = Points(set->Points(1)) + ", " + Range(set->First(1), set->Last(1), " nm");
}

void ReadResave(std::string_view bytes, const std::string& name, ReaderVerdict& verdict, const MessageSink& warn) {
  resave::Sheet sheet;
  sheet.Load(std::string(bytes), name, warn);
  verdict.layout = "tab sheet";
  verdict.detail = Plural(sheet.ColumnCount() - 1, "column", "columns") + " (the tabs of line 1, plus 1), " +
                   Plural(sheet.RowCount() - 1, "line", "lines");
}

// --- Text ------------------------------------------------------------------------

std::string LineEnds(const ByteFacts& facts) {
  const int kinds = (facts.crlf > 0) + (facts.lf > 0) + (facts.cr > 0);
  if (kinds == 0) return "none";
  if (kinds == 1) return facts.crlf > 0 ? "CR LF" : facts.lf > 0 ? "LF" : "CR";
  std::string text = "mixed (";
  const char* separator = "";
  for (const auto& [count, name] : {std::pair{facts.crlf, "CR LF"}, {facts.lf, "LF"}, {facts.cr, "CR"}}) {
    if (count == 0) continue;
    text += separator + std::to_string(count) + " " + name;
    separator = ", ";
  }
  return text + ")";
}

std::string Encoding(const ByteFacts& facts) {
  if (facts.badByte >= 0) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("not Shift-JIS (byte 0x") + kHex[facts.badByte >> 4] + kHex[facts.badByte & 15] + " on line " +
           std::to_string(facts.badByteLine) + ")";
  }
  if (facts.shiftJisCharacters == 0) return "ASCII";
  return "Shift-JIS (" + Plural(facts.shiftJisCharacters, "character", "characters") + ", the first on line " +
         std::to_string(facts.firstShiftJisLine) + ")";
}

std::string Nuls(const ByteFacts& facts) {
  if (facts.nulCount == 0) return "none";
  return std::to_string(facts.nulCount) + ", the first on line " + std::to_string(facts.firstNulLine) +
         " (the readers stop there)";
}

std::string Direction(const std::vector<double>& axis) {
  bool up = true, down = true, flat = true;
  for (std::size_t i = 1; i < axis.size(); ++i) {
    up = up && axis[i] > axis[i - 1];
    down = down && axis[i] < axis[i - 1];
    flat = flat && axis[i] == axis[i - 1];
  }
  return up ? "ascending" : down ? "descending" : flat ? "constant" : "unordered";
}

struct Steps {
  double low = 0, high = 0, mean = 0;
  bool even = false;  // every step the mean, within the rounding of the numbers' text
};

Steps StepsOf(const std::vector<double>& axis) {
  Steps steps;
  steps.low = steps.high = axis[1] - axis[0];
  for (std::size_t i = 2; i < axis.size(); ++i) {
    steps.low = std::min(steps.low, axis[i] - axis[i - 1]);
    steps.high = std::max(steps.high, axis[i] - axis[i - 1]);
  }
  steps.mean = (axis.back() - axis.front()) / static_cast<double>(axis.size() - 1);
  const double tolerance = 1e-6 * std::max(std::abs(axis.front()), std::abs(axis.back())) + 1e-9;
  steps.even = steps.high - steps.low <= tolerance;
  return steps;
}

std::string Step(const std::vector<double>& axis) {
  const Steps steps = StepsOf(axis);
  if (steps.even) return "step " + ShortReal(steps.mean);
  return "uneven steps (" + ShortReal(steps.low) + " to " + ShortReal(steps.high) + ")";
}

std::string AxisText(const ByteFacts& facts) {
  if (facts.dataLines == 0) return "none (no line begins with a number)";
  if (facts.fields < 2) return "none (one field per line)";
  const std::vector<double>& axis = facts.axis;
  if (axis.size() == 1) return ShortReal(axis.front()) + ", one point";
  return ShortReal(axis.front()) + " to " + ShortReal(axis.back()) + ", " + Direction(axis) + ", " + Step(axis);
}

std::string AnomalyText(const Anomaly& anomaly, const char* one, const char* many) {
  return Plural(anomaly.count, one, many) + " (the first on line " + std::to_string(anomaly.firstLine) + ": " +
         QuoteText(anomaly.firstText) + ")";
}

std::string Anomalies(const ByteFacts& facts) {
  std::vector<std::string> parts;
  if (facts.shortLines.count > 0) parts.push_back(AnomalyText(facts.shortLines, "short line", "short lines"));
  if (facts.longLines.count > 0) parts.push_back(AnomalyText(facts.longLines, "long line", "long lines"));
  if (facts.notNumbers.count > 0)
    parts.push_back(AnomalyText(facts.notNumbers, "token that is no number", "tokens that are no number"));
  if (!facts.finalLineEnd) parts.emplace_back("no line end at the end");
  if (parts.empty()) return "none";
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
  return text;
}

std::string NumberList(const std::vector<int>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    text += (text.empty() ? "" : ", ") + SeriesNumberText(numbers[i]);
    if (j > i) text += "-" + SeriesNumberText(numbers[j]);
    i = j + 1;
  }
  return text;
}

std::string SeriesText(const SeriesFacts& series) {
  std::string text = "\"" + series.base + "\" numbers " + NumberList(series.numbers) + " (" +
                     Plural(static_cast<long long>(series.numbers.size()), "file", "files") + "); ";
  if (!series.firstGap) return text + "no gap";
  const int gap = *series.firstGap;
  text += "first gap " + SeriesNumberText(gap) + ": ";
  if (gap == 0) return text + "the titration window finds no series (it starts with 00)";
  return text + "the titration window reads 00 to " + SeriesNumberText(gap - 1);
}

}  // namespace

ByteFacts ExamineBytes(std::string_view bytes) {
  ByteFacts facts;
  facts.bytes = bytes.size();
  CountBytes(bytes, facts);
  ExamineTable(bytes, facts);
  return facts;
}

std::vector<ReaderVerdict> AskReaders(std::string_view bytes, const std::string& name) {
  using Verdict = ReaderVerdict;
  using Sink = MessageSink;
  return {
      Ask("titration", [&](Verdict& v, const Sink& warn) { ReadTitration(bytes, name, v, warn); }),
      Ask("kinetics", [&](Verdict& v, const Sink&) { ReadKinetics(bytes, name, v); }),
      Ask("simple-kinetics", [&](Verdict& v, const Sink&) { ReadSimpleKinetics(bytes, name, v); }),
      Ask("fix-epsilon", [&](Verdict& v, const Sink& warn) { ReadEpsilon(bytes, name, v, warn); }),
      Ask("fix-multispec",
          [&](Verdict& v, const Sink& warn) { ReadSpectrum(fix::SpectrumKind::kMultiSpecRows, bytes, name, v, warn); }),
      Ask("fix-uvprobe",
          [&](Verdict& v, const Sink& warn) { ReadSpectrum(fix::SpectrumKind::kUvProbe, bytes, name, v, warn); }),
      Ask("sheet", [&](Verdict& v, const Sink& warn) { ReadSheet(bytes, name, v, warn); }),
      Ask("emission", [&](Verdict& v, const Sink& warn) { ReadEmission(bytes, name, v, warn); }),
      Ask("resave", [&](Verdict& v, const Sink& warn) { ReadResave(bytes, name, v, warn); }),
  };
}

FileReport InspectFile(const std::filesystem::path& path, const std::string& name,
                       const titration::SeriesFolder& folder) {
  FileReport report;
  report.name = name;
  std::string bytes;
  try {
    bytes = folder.Read(path);
  } catch (const Failure& failure) {
    report.readFailure = failure.Message();
    return report;
  }
  report.facts = ExamineBytes(bytes);
  const std::string fileName = path.filename().string();
  const std::filesystem::path directory = path.parent_path();
  const auto series = ParseSeriesName(fileName, [&](const std::string& base) {
    return SeriesFileExists(folder, directory, base, 0, fileName.substr(fileName.size() - 3));
  });
  if (series) {
    SeriesFacts facts{series->base, series->extension, series->number,
                      SeriesNumbers(folder, directory, series->base, series->extension), std::nullopt};
    for (int n = 0; !facts.numbers.empty() && n < facts.numbers.back(); ++n) {
      if (!std::binary_search(facts.numbers.begin(), facts.numbers.end(), n)) {
        facts.firstGap = n;
        break;
      }
    }
    report.series = std::move(facts);
  }
  report.readers = AskReaders(bytes, fileName);
  return report;
}

std::string ReportText(const FileReport& report) {
  std::string text = report.name + "\n";
  if (!report.readFailure.empty()) return text + "  cannot be read: " + report.readFailure + "\n";
  const ByteFacts& f = report.facts;
  text += "  size: " + Plural(static_cast<long long>(f.bytes), "byte", "bytes") + ", " +
          Plural(f.lines, "line", "lines") + "; line ends: " + LineEnds(f) + "; text: " + Encoding(f) +
          "; NUL bytes: " + Nuls(f) + "\n";
  text += "  lines: " + std::to_string(f.headerLines) + " before the numbers, " +
          Plural(f.dataLines, "data line", "data lines") + " of " + Plural(f.fields, "field", "fields") + ", " +
          std::to_string(f.linesAfter) + " after\n";
  text += "  axis: " + AxisText(f) + "\n";
  text += "  anomalies: " + Anomalies(f) + "\n";
  if (report.series) text += "  series: " + SeriesText(*report.series) + "\n";
  for (const bool accepted : {true, false}) {
    text += accepted ? "  accepted by:" : "  refused by:";
    bool any = false;
    for (const ReaderVerdict& verdict : report.readers) {
      if (verdict.accepted != accepted) continue;
      any = true;
      text += "\n    " + verdict.tool + ": " + (accepted ? verdict.layout + "; " + verdict.detail : verdict.refusal);
      for (const std::string& warning : verdict.warnings) text += "\n      warning: " + warning;
    }
    text += any ? "\n" : " none\n";
  }
  return text;
}

namespace {

void AnomalyJson(JsonWriter& json, const char* key, const Anomaly& anomaly) {
  json.Key(key).BeginObject().Key("count").Integer(anomaly.count);
  if (anomaly.count > 0) json.Key("first_line").Integer(anomaly.firstLine).Key("first_text").String(anomaly.firstText);
  json.EndObject();
}

void FactsJson(JsonWriter& json, const ByteFacts& f) {
  json.Key("bytes").Integer(static_cast<long long>(f.bytes)).Key("lines").Integer(f.lines);
  json.Key("line_ends").BeginObject().Key("crlf").Integer(f.crlf).Key("lf").Integer(f.lf).Key("cr").Integer(f.cr);
  json.Key("summary").String(LineEnds(f)).EndObject();
  json.Key("encoding").String(f.badByte >= 0 ? "not Shift-JIS" : f.shiftJisCharacters > 0 ? "Shift-JIS" : "ASCII");
  json.Key("shift_jis_characters").Integer(f.shiftJisCharacters);
  json.Key("nul_bytes").Integer(f.nulCount);
  if (f.nulCount > 0) json.Key("first_nul_line").Integer(f.firstNulLine);
  json.Key("header_lines").Integer(f.headerLines).Key("data_lines").Integer(f.dataLines);
  json.Key("fields").Integer(f.fields).Key("lines_after").Integer(f.linesAfter);
  json.Key("axis");
  if (f.axis.empty()) {
    json.Null();
  } else {
    json.BeginObject().Key("first").Real(f.axis.front()).Key("last").Real(f.axis.back());
    json.Key("points").Integer(static_cast<long long>(f.axis.size())).Key("direction").String(Direction(f.axis));
    if (f.axis.size() > 1) {
      const Steps steps = StepsOf(f.axis);
      json.Key("step");
      if (steps.even) {
        json.Real(steps.mean);
      } else {
        json.Null();
      }
      json.Key("smallest_step").Real(steps.low).Key("largest_step").Real(steps.high);
    }
    json.EndObject();
  }
  json.Key("anomalies").BeginObject();
  AnomalyJson(json, "short_lines", f.shortLines);
  AnomalyJson(json, "long_lines", f.longLines);
  AnomalyJson(json, "not_numbers", f.notNumbers);
  json.Key("missing_final_line_end").Bool(!f.finalLineEnd).EndObject();
}

}  // namespace

std::string ReportJson(const std::vector<FileReport>& reports) {
  JsonWriter json;
  json.BeginArray();
  for (const FileReport& report : reports) {
    json.BeginObject().Key("file").String(report.name);
    if (!report.readFailure.empty()) {
      json.Key("read_failure").String(report.readFailure).EndObject();
      continue;
    }
    FactsJson(json, report.facts);
    json.Key("series");
    if (report.series) {
      const SeriesFacts& s = *report.series;
      json.BeginObject().Key("base").String(s.base).Key("extension").String(s.extension);
      json.Key("number").Integer(s.number).Key("numbers").BeginArray();
      for (const int n : s.numbers) json.Integer(n);
      json.EndArray().Key("first_gap");
      if (s.firstGap) {
        json.Integer(*s.firstGap);
      } else {
        json.Null();
      }
      json.EndObject();
    } else {
      json.Null();
    }
    json.Key("readers").BeginArray();
    for (const ReaderVerdict& verdict : report.readers) {
      json.BeginObject().Key("tool").String(verdict.tool).Key("accepted").Bool(verdict.accepted);
      if (verdict.accepted) {
        json.Key("layout").String(verdict.layout).Key("detail").String(verdict.detail);
      } else {
        json.Key("refusal").String(verdict.refusal);
      }
      json.Key("warnings").BeginArray();
      for (const std::string& warning : verdict.warnings) json.String(warning);
      json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray();
  return json.Text();
}

}  // namespace specbridge::inspect
