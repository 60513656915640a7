#pragma once

#include <string>
#include <vector>

#include "common/text.hpp"
#include "kinetics/converter.hpp"
#include "support/test_support.hpp"

namespace specbridge::kinetics::test {

inline void OpenFixture(KineticConverter& converter, const std::string& name) {
  const auto path = specbridge::test::DataPath("kinetics/" + name);
  converter.Open(ReadFileBytes(path), path.string());
}

// The rows 1 .. R-1 that carry the omit mark.
inline std::vector<int> OmittedRows(const KineticGrid& grid) {
  std::vector<int> rows;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (grid.IsOmitted(r)) rows.push_back(r);
  }
  return rows;
}

}  // namespace specbridge::kinetics::test
