#pragma once

// One MultiSpec-1500 "##TITLE" kinetics file as the simple converter holds
// it: the header values, every value in file order and one mark per run.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.hpp"

namespace specbridge::simple_kinetics {

// "Conduct Exclusion" or "Save" with no file held.
class NoTraceData : public Failure {
  using Failure::Failure;
};
inline constexpr std::string_view kNoTraceData = "No kinetic trace is open: choose File > Open first";

// Runs times wavelengths the header may announce; a real instrument (1024
// diodes) stays far below it.
inline constexpr std::int64_t kMaxValues = 16'000'000;

struct SimpleTraceData {
  double W1 = 0, W2 = 0;  // first and last wavelength, nm
  std::int32_t Nw = 0;    // wavelengths per run
  double T1 = 0, T2 = 0;  // time of the first and the last run
  std::int32_t Nr = 0;    // runs
  // Run 1's Nw values, then run 2's, ...: Nr * Nw of them.
  std::vector<double> values;
  // Run i has marks[i - 1]: 1 used, 0 omitted.
  std::vector<std::uint8_t> marks;
  std::int32_t Ns = 0;  // runs marked used
  std::filesystem::path FileName;

  // No file is held (before the first "Open", after "Quit").
  bool Empty() const { return Nr == 0; }
  // Value at wavelength position p (from 1) of run i (from 1).
  double Value(std::int32_t i, std::int32_t p) const {
    return values[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(Nw) + static_cast<std::size_t>(p - 1)];
  }
  bool IsUsed(std::int32_t i) const { return marks[static_cast<std::size_t>(i - 1)] != 0; }
  std::int32_t CountUsed() const;
};

// Reads a whole file: lines 11 to 13 and 16 to 18 give W1, W2, Nw, T1, T2
// and Nr at fixed character positions, every later line not beginning with
// "#" is one value. Lines end at LF and lose every CR. All runs come back
// marked used. `name` starts every failure message. A header announcing no
// wavelength or no run, or more values than the file holds, is refused.
SimpleTraceData ReadSimpleTrace(std::string_view bytes, const std::string& name);

}  // namespace specbridge::simple_kinetics
