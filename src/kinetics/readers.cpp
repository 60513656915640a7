// Layout recognition and the five readers of the kinetic-trace converter.
#include "kinetics/readers.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"

namespace specbridge::kinetics {
namespace {

// A quoted piece of an offending line for a message: at most 60 bytes.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 60;
  std::string out = "'";
  out.append(text.substr(0, kShown));
  if (text.size() > kShown) out += "...";
  return out + "'";
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The lines of a file, numbered from 1; a line past the end reads as empty.
class Lines {
 public:
  Lines(std::string_view bytes, const std::string& name) : name_(name) { LoadLineViews(bytes, lines_); }
  // Lines of `source`, which the grid keeps: its value cells point into it.
  Lines(std::shared_ptr<const std::string> source, const std::string& name) : Lines(std::string_view(*source), name) {
    source_ = std::move(source);
  }

  const std::shared_ptr<const std::string>& Source() const { return source_; }

  int Count() const { return static_cast<int>(lines_.size()); }
  std::string_view operator[](int n) const {
    return n >= 1 && n <= Count() ? lines_[static_cast<std::size_t>(n - 1)] : std::string_view();
  }
  // Blank lines at the end carry nothing; a final empty line would otherwise
  // become an empty column or an empty last time.
  void DropTrailingBlankLines() {
    while (!lines_.empty() && TrimControls(lines_.back()).empty()) lines_.pop_back();
  }

  double Real(int n, std::string_view text) const {
    return AtLine(name_, n, [&] { return TextToReal(text); });
  }
  int Count(int n, std::string_view text, std::string_view what) const {
    const int count = AtLine(name_, n, [&] { return TextToInteger(text); });
    if (count < 0) {
      throw ConversionError(LinePlace(name_, n) + ": " + Quoted(text) + " is not a count of " + std::string(what));
    }
    return count;
  }
  const std::string& Name() const { return name_; }

 private:
  std::vector<std::string_view> lines_;
  std::shared_ptr<const std::string> source_;
  const std::string& name_;
};

// Characters from position `from` (counted from 1) to the end: the fixed
// positions of the "##TITLE" header fields.
std::string_view From(std::string_view text, std::size_t from) {
  return from - 1 < text.size() ? text.substr(from - 1) : std::string_view();
}

// ---- Layouts A and B: numbers read line by line ------------------------------

// The tokens of one line: they end at the line end, whatever blanks stand
// before it.
void Tokens(std::string_view line, std::vector<std::string_view>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    tokens.push_back(line.substr(start, i - start));
  }
}

// A number token of line n as its cell shows it: as short real text ("0.50"
// becomes "0.5"). Most instrument numbers are that text already.
void StoreNumber(const Lines& file, int n, std::string_view token, KineticGrid& grid, int c, int r) {
  if (IsShortRealText(token)) {
    grid.SetCell(c, r, token);
  } else {
    grid.SetCell(c, r, ShortReal(file.Real(n, token)));
  }
}

void CheckNumber(const Lines& file, int n, std::string_view token) {
  if (!IsShortRealText(token)) (void)file.Real(n, token);
}

// Column `c` from line `n`: the wavelength in row 0, the k-th further number
// in row k; numbers past the last row are checked but not kept.
void ReadColumn(const Lines& file, int n, int c, KineticGrid& grid, std::vector<std::string_view>& tokens) {
  Tokens(file[n], tokens);
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (static_cast<int>(k) < grid.RowCount()) {
      StoreNumber(file, n, tokens[k], grid, c, static_cast<int>(k));
    } else {
      CheckNumber(file, n, tokens[k]);
    }
  }
}

void MatrixFields(KineticFile& out) {
  const KineticGrid& grid = out.grid;
  out.total = out.part = IntText(grid.RowCount() - 1);
  out.nmlow = grid.Cell(2, 0);
  out.nmhigh = grid.Cell(grid.ColumnCount() - 1, 0);
  out.points = IntText(grid.ColumnCount() - 2);
}

void ReadTimeRowMatrix(Lines& file, KineticFile& out) {
  file.DropTrailingBlankLines();
  std::vector<std::string_view> tokens;
  Tokens(file[1], tokens);
  // The first number of line 1 stands above the wavelength column; R counts it.
  const int rows = std::max(static_cast<int>(tokens.size()), 1);
  const int wavelengths = std::max(file.Count() - 1, 0);
  CheckGridSize(wavelengths, rows - 1, file.Name());
  out.grid = KineticGrid(wavelengths + 2, rows, file.Source());
  if (!tokens.empty()) CheckNumber(file, 1, tokens[0]);
  for (int k = 1; k < rows; ++k) StoreNumber(file, 1, tokens[static_cast<std::size_t>(k)], out.grid, 1, k);
  for (int n = 2; n <= file.Count(); ++n) ReadColumn(file, n, n, out.grid, tokens);
  MatrixFields(out);
}

void ReadWavelengthHeaderMatrix(Lines& file, KineticFile& out) {
  file.DropTrailingBlankLines();
  std::vector<std::string_view> tokens;
  Tokens(file[2], tokens);
  const int rows = std::max(static_cast<int>(tokens.size()), 1);
  const int wavelengths = std::max(file.Count() - 1, 1);
  CheckGridSize(wavelengths, rows - 1, file.Name());
  out.grid = KineticGrid(wavelengths + 2, rows, file.Source());
  for (int n = 2; n <= file.Count(); ++n) ReadColumn(file, n, n, out.grid, tokens);
  MatrixFields(out);
}

// ---- Layouts C, D and E: header values and an evenly spaced wavelength row ---

// Point j of Nw between the two end wavelengths, in the order the formula is
// written: (last - first) * (j - 1) / (Nw - 1) + first. One wavelength leaves
// no step to divide by; `where` names the header line that says so.
std::vector<std::string> WavelengthRow(const HeaderValues& h, const std::string& where) {
  std::vector<std::string> row;
  row.reserve(static_cast<std::size_t>(h.WavelengthCount));
  WithContext(where, [&] {
    const double span = CheckedFinite(h.LastWavelength - h.FirstWavelength);
    for (int j = 1; j <= h.WavelengthCount; ++j) {
      row.push_back(
          ShortReal(CheckedFinite(CheckedDivide(span * (j - 1), h.WavelengthCount - 1.0) + h.FirstWavelength)));
    }
  });
  return row;
}

std::string HeaderPlace(const Lines& file, int n) { return LinePlace(file.Name(), n) + " (" + Quoted(file[n]) + ")"; }

// The fields of layouts C, D and E. The time step divides by TimeCount - 1; `timeWhere` names what set the count.
void HeaderFields(KineticFile& out, const HeaderValues& h, const std::string& timeWhere) {
  out.nmlow = ShortReal(h.FirstWavelength);
  out.nmhigh = ShortReal(h.LastWavelength);
  out.points = IntText(h.WavelengthCount);
  out.total = out.part = IntText(h.TimeCount);
  out.deadTime = ShortReal(h.FirstTime);
  WithContext(timeWhere, [&] {
    out.interval = ShortReal(CheckedDivide(CheckedFinite(h.LastTime - h.FirstTime), h.TimeCount - 1.0));
  });
  out.header = h;
}

// The grid of a header's counts, with its wavelength row.
void MakeGrid(KineticFile& out, const HeaderValues& h, const std::vector<std::string>& wavelengths, const Lines& file) {
  out.grid = KineticGrid(h.WavelengthCount + 2, h.TimeCount + 1, file.Source());
  for (int j = 0; j < h.WavelengthCount; ++j) out.grid.SetCell(j + 2, 0, wavelengths[static_cast<std::size_t>(j)]);
}

void ReadTitleHeader(const Lines& file, KineticFile& out) {
  HeaderValues h;
  h.FirstWavelength = file.Real(11, From(file[11], 10));
  h.LastWavelength = file.Real(12, From(file[12], 9));
  h.WavelengthCount = file.Count(13, From(file[13], 11), "wavelengths");
  CheckGridSize(h.WavelengthCount, 0, file.Name());
  const auto wavelengths = WavelengthRow(h, HeaderPlace(file, 13));
  h.FirstTime = file.Real(16, From(file[16], 10));
  h.LastTime = file.Real(17, From(file[17], 9));
  h.TimeCount = file.Count(18, From(file[18], 11), "times");
  CheckGridSize(h.WavelengthCount, h.TimeCount, file.Name());
  HeaderFields(out, h, HeaderPlace(file, 18));

  // Line 19, then per time one line before its block of Nw value lines.
  const int block = h.WavelengthCount + 1;
  const long long last = 19 + static_cast<long long>(block) * h.TimeCount;
  if (last > file.Count()) {
    throw FileError(LinePlace(file.Name(), file.Count() + 1) + " is missing: the header announces " +
                    std::to_string(h.TimeCount) + " times of " + std::to_string(h.WavelengthCount) +
                    " values, up to line " + std::to_string(last) + ", but the file ends after line " +
                    std::to_string(file.Count()));
  }
  MakeGrid(out, h, wavelengths, file);
  // Each value line is kept as it stands, blanks included.
  for (int r = 1; r <= h.TimeCount; ++r) {
    const int first = 21 + block * (r - 1);
    for (int j = 1; j <= h.WavelengthCount; ++j) out.grid.SetCell(j + 1, r, file[first + j - 1]);
  }
}

// Field boundaries of a blank-separated line: a blank that follows a
// non-blank (positions from 2, as 0-based indices from 1). Only the blank of
// code 32 counts.
void BlankBoundaries(const Lines& file, int n, std::vector<std::size_t>& bounds) {
  bounds.clear();
  const std::string_view line = file[n];
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == ' ' && line[i - 1] != ' ') {
      if (static_cast<int>(bounds.size()) + 1 >= kMaxLineFields) {
        throw CapacityError(LinePlace(file.Name(), n) + ": more than " + std::to_string(kMaxLineFields) +
                            " fields on one line");
      }
      bounds.push_back(i);
    }
  }
}

// Tab boundaries of a 2D-format line: every tab from position 2 on.
void TabBoundaries(const Lines& file, int n, std::vector<std::size_t>& bounds) {
  bounds.clear();
  const std::string_view line = file[n];
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] != '\t') continue;
    if (static_cast<int>(bounds.size()) + 1 >= kMaxLineFields) {
      throw CapacityError(LinePlace(file.Name(), n) + ": more than " + std::to_string(kMaxLineFields) +
                          " fields on one line");
    }
    bounds.push_back(i);
  }
}

// Field k (from 1) of a line cut at `bounds`: the first field runs up to the
// first boundary, field k from boundary k - 1 up to boundary k (the last to
// the line end). Empty when the line has fewer fields.
std::string_view Field(std::string_view line, const std::vector<std::size_t>& bounds, std::size_t k) {
  if (k == 0 || k > bounds.size() + 1) return {};
  const std::size_t start = k == 1 ? 0 : bounds[k - 2];
  const std::size_t end = k <= bounds.size() ? bounds[k - 1] : line.size();
  return line.substr(start, end - start);
}

std::string SingleTimeRow(const Lines& file) { return file.Name() + ", one time row"; }

void ReadBlankTable(Lines& file, KineticFile& out) {
  file.DropTrailingBlankLines();
  std::vector<std::size_t> bounds;
  HeaderValues h;
  // The header lists the wavelengths from the highest to the lowest; the
  // first field is a label.
  BlankBoundaries(file, 2, bounds);
  const std::size_t k = bounds.size();
  const std::string_view header = file[2];
  h.LastWavelength = file.Real(2, TrimBlanks(k >= 1 ? Field(header, bounds, 2) : std::string_view()));
  h.FirstWavelength = file.Real(2, TrimBlanks(k >= 1 ? Field(header, bounds, k + 1) : std::string_view()));
  h.WavelengthCount = static_cast<int>(k);
  const auto wavelengths = WavelengthRow(h, HeaderPlace(file, 2));
  const int n = file.Count();
  h.TimeCount = std::max(n - 2, 0);
  CheckGridSize(h.WavelengthCount, h.TimeCount, file.Name());
  BlankBoundaries(file, 3, bounds);
  h.FirstTime = file.Real(3, TrimBlanks(Field(file[3], bounds, 1)));
  BlankBoundaries(file, n, bounds);
  h.LastTime = file.Real(n, TrimBlanks(Field(file[n], bounds, 1)));
  HeaderFields(out, h, SingleTimeRow(file));
  MakeGrid(out, h, wavelengths, file);

  // The (j+1)-th field goes under the j-th highest wavelength, so the values
  // stand under the ascending wavelength row. A short line fills what it has.
  const int nw = h.WavelengthCount;
  for (int r = 1; r <= h.TimeCount; ++r) {
    const int line = r + 2;
    BlankBoundaries(file, line, bounds);
    const std::string_view text = file[line];
    out.grid.SetCell(1, r, TrimBlanks(Field(text, bounds, 1)));
    const int fields = static_cast<int>(bounds.size()) + 1;
    for (int j = 1; j <= nw && j + 1 <= fields; ++j) {
      out.grid.SetCell(nw + 2 - j, r, TrimBlanks(Field(text, bounds, static_cast<std::size_t>(j) + 1)));
    }
  }
}

bool IsDataLine(std::string_view line) {
  if (line.size() < 4) return false;
  std::string head(line.substr(0, 4));
  for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return head == "DATA";
}

void ReadSpecfit2D(Lines& file, KineticFile& out) {
  file.DropTrailingBlankLines();
  // The comment lines 1 and 2 may begin with "Data" too; the wavelength line
  // comes after the "X/Z Mode" header of line 3.
  int d = 3;
  while (d <= file.Count() && !IsDataLine(file[d])) ++d;
  if (d > file.Count()) {
    throw FileError(file.Name() + ": no \"Data\" line follows the \"X/Z Mode\" header on line 3");
  }
  std::vector<std::size_t> bounds;
  TabBoundaries(file, d, bounds);
  const std::size_t k = bounds.size();
  const std::string_view header = file[d];
  HeaderValues h;
  h.FirstWavelength = file.Real(d, TrimControls(Field(header, bounds, 2)));
  h.LastWavelength = file.Real(d, TrimControls(k >= 1 ? Field(header, bounds, k + 1) : std::string_view()));
  h.WavelengthCount = static_cast<int>(k);
  const auto wavelengths = WavelengthRow(h, HeaderPlace(file, d));
  const int m = file.Count();
  h.TimeCount = m - d;
  CheckGridSize(h.WavelengthCount, h.TimeCount, file.Name());
  TabBoundaries(file, d + 1, bounds);
  h.FirstTime = file.Real(d + 1, Field(file[d + 1], bounds, 1));
  TabBoundaries(file, m, bounds);
  h.LastTime = file.Real(m, Field(file[m], bounds, 1));
  HeaderFields(out, h, SingleTimeRow(file));
  MakeGrid(out, h, wavelengths, file);

  // A row with one tab too many or too few keeps its time only.
  const int nw = h.WavelengthCount;
  for (int r = 1; r <= h.TimeCount; ++r) {
    const int line = d + r;
    TabBoundaries(file, line, bounds);
    const std::string_view text = file[line];
    out.grid.SetCell(1, r, TrimControls(Field(text, bounds, 1)));
    if (static_cast<int>(bounds.size()) != nw || nw == 0) continue;
    for (int c = 2; c <= nw + 1; ++c) {
      out.grid.SetCell(c, r, TrimControls(Field(text, bounds, static_cast<std::size_t>(c))));
    }
  }
}

// Each later test replaces an earlier one.
Layout Recognize(const Lines& file) {
  Layout layout = Layout::TimeRowMatrix;
  // The Shift-JIS word for wavelength.
  if (StartsWith(file[1], "\x94\x67\x92\xB7")) layout = Layout::WavelengthHeaderMatrix;
  if (StartsWith(file[1], "##TITLE")) layout = Layout::TitleHeader;
  if (TrimControls(file[1]) == "space") layout = Layout::BlankTable;
  if (StartsWith(file[3], "X/Z Mode")) layout = Layout::Specfit2D;
  return layout;
}

}  // namespace

Layout RecognizeLayout(std::string_view bytes) {
  const std::string name;
  return Recognize(Lines(bytes, name));
}

KineticFile ReadKineticFile(std::string bytes, const std::string& name) {
  KineticFile out;
  Lines file(std::make_shared<const std::string>(std::move(bytes)), name);
  out.layout = Recognize(file);
  switch (out.layout) {
    case Layout::TimeRowMatrix:
      ReadTimeRowMatrix(file, out);
      break;
    case Layout::WavelengthHeaderMatrix:
      ReadWavelengthHeaderMatrix(file, out);
      break;
    case Layout::TitleHeader:
      ReadTitleHeader(file, out);
      break;
    case Layout::BlankTable:
      ReadBlankTable(file, out);
      break;
    case Layout::Specfit2D:
      ReadSpecfit2D(file, out);
      break;
  }
  return out;
}

bool IsShortRealText(std::string_view t) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
  const std::size_t intStart = i;
  while (i < t.size() && digit(t[i])) ++i;
  const std::size_t intDigits = i - intStart;
  if (intDigits == 0 || (intDigits > 1 && t[intStart] == '0')) return false;
  const bool zeroInteger = t[intStart] == '0';
  std::size_t fractionDigits = 0;
  std::size_t leadingZeros = 0;
  if (i < t.size() && t[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < t.size() && digit(t[i])) ++i;
    fractionDigits = i - fractionStart;
    // "5." and trailing zeros are written shorter.
    if (fractionDigits == 0 || t[i - 1] == '0') return false;
    while (zeroInteger && t[fractionStart + leadingZeros] == '0') ++leadingZeros;
  }
  if (i != t.size()) return false;
  // Zero is "0", never "-0"; below 0.0001 the short form is scientific.
  if (zeroInteger && fractionDigits == 0) return intStart == 0;
  if (leadingZeros > 3) return false;
  const std::size_t significant = zeroInteger ? fractionDigits - leadingZeros : intDigits + fractionDigits;
  return significant <= 15;
}

}  // namespace specbridge::kinetics
