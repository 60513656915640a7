#include "inspect/file_names.hpp"

#include <algorithm>
#include <cctype>

namespace specbridge::inspect {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::optional<SeriesName> ParseSeriesName(std::string_view fileName,
                                          const std::function<bool(const std::string& base)>& hasFileZero) {
  const std::size_t size = fileName.size();
  if (size < 6 || fileName[size - 4] != '.' || !IsDigit(fileName[size - 5]) || !IsDigit(fileName[size - 6])) {
    return std::nullopt;
  }
  SeriesName name{std::string(fileName.substr(0, size - 6)),
                  (fileName[size - 6] - '0') * 10 + (fileName[size - 5] - '0'), std::string(fileName.substr(size - 3))};
  if (size >= 7 && fileName.substr(size - 7, 3) == "100") {
    const std::string shorter(fileName.substr(0, size - 7));
    if (hasFileZero && hasFileZero(shorter)) {
      name.base = shorter;
      name.number = 100;
    }
  }
  return name;
}

std::string SeriesNumberText(int n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(0, 1, '0');
  return text;
}

bool SeriesFileExists(const titration::SeriesFolder& folder, const std::filesystem::path& directory,
                      const std::string& base, int n, const std::string& extension) {
  const std::string upper = UpperAscii(extension);
  for (const std::string* ext : {&upper, &extension}) {
    if (folder.IsFile(directory / (base + SeriesNumberText(n) + "." + *ext))) return true;
  }
  return false;
}

std::vector<int> SeriesNumbers(const titration::SeriesFolder& folder, const std::filesystem::path& directory,
                               const std::string& base, const std::string& extension) {
  std::vector<int> numbers;
  for (int n = 0; n < titration::kMaxSpectra; ++n) {
    if (SeriesFileExists(folder, directory, base, n, extension)) numbers.push_back(n);
  }
  return numbers;
}

bool NumericLess(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      // Leading zeros do not count; the longer run of significant digits is larger.
      std::size_t si = i, sj = j;
      while (si + 1 < ei && a[si] == '0') ++si;
      while (sj + 1 < ej && b[sj] == '0') ++sj;
      const std::string_view da = a.substr(si, ei - si), db = b.substr(sj, ej - sj);
      if (da.size() != db.size()) return da.size() < db.size();
      if (da != db) return da < db;
      if (ei - i != ej - j) return ei - i < ej - j;  // "01" after "1": a fixed order
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace specbridge::inspect
