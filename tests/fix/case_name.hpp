#pragma once

#include <string>
#include <string_view>

namespace specbridge::fix {

// A file name as a test-case name ("two_spectra.table" -> "two_spectra_table").
inline std::string CaseName(std::string_view file) {
  std::string name(file);
  for (char& c : name) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!word) c = '_';
  }
  return name;
}

}  // namespace specbridge::fix
