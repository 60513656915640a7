#pragma once

// Names of measurement files: the numbered series of the titration window
// ("run00.ASC" ... "run100.ASC") and the numeric order in which a folder's
// files are taken.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "titration/titration.hpp"

namespace specbridge::inspect {

// A name read as file n of a series: the name less its last six characters
// is the base, then two digits, a point and a three-character extension
// ("tit07.ASC": base "tit", number 7). "tit100.ASC" is number 100 of "tit"
// when `hasFileZero("tit")` says "tit00" exists, as the titration window
// reads it.
struct SeriesName {
  std::string base;
  int number = 0;
  std::string extension;  // as spelled in the name
};
std::optional<SeriesName> ParseSeriesName(std::string_view fileName,
                                          const std::function<bool(const std::string& base)>& hasFileZero);

// "00" ... "09", "10" ... "100".
std::string SeriesNumberText(int n);

// Whether file n of the series exists, with the upper-case extension first
// and then `extension` as spelled.
bool SeriesFileExists(const titration::SeriesFolder& folder, const std::filesystem::path& directory,
                      const std::string& base, int n, const std::string& extension);

// The numbers 0 to 100 of the series `base` in `directory` that exist, with
// the upper-case extension first and then `extension` as spelled.
std::vector<int> SeriesNumbers(const titration::SeriesFolder& folder, const std::filesystem::path& directory,
                               const std::string& base, const std::string& extension);

// Names in numeric order: runs of digits compare by value ("run2" before
// "run10"), everything else byte by byte.
bool NumericLess(std::string_view a, std::string_view b);

}  // namespace specbridge::inspect
