#pragma once

// "Conduct Exclusion": the fixed every-n rules that thin the runs.
//
//   Edit3 .. Edit4   B0 .. B1   every run used, runs before B0 omitted
//   Edit4 .. Edit5   B1 .. B2   every 2nd run
//   Edit5 .. Edit6   B2 .. B3   every 5th run
//   Edit6 .. Edit7   B3 .. B4   every 10th run
//   Edit7 .. Edit8   B4 .. B5   every 20th run
//
// A section's rule runs only when neither of its boxes holds "NONE".

#include <array>
#include <string_view>

#include "common/boxes.hpp"
#include "simple_kinetics/trace_data.hpp"

namespace specbridge::simple_kinetics {

inline constexpr std::string_view kNone = "NONE";
inline constexpr std::array<std::string_view, 6> kSectionBoxes = {"Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8"};
// The window's caption of each box, in the same order.
inline constexpr std::array<std::string_view, 6> kSectionCaptions = {
    "Counts to be omitted at the initial stage",       "Counts to be used in every run (0-skipping)",
    "Counts to be used in every 2 runs (1-skipping)",  "Counts to be used in every 5 runs (4-skipping)",
    "Counts to be used in every 10 runs (9-skipping)", "Counts to be used in every 20 runs (19-skipping)"};

// Applies the rules to the marks left by "Open" or an earlier press, writes
// the section ends of the every-n rules back into Edit5 to Edit8 (lowered to
// a whole number of steps, always as plain integers) and shows the count of
// used runs in Edit2; Ns becomes that count. Every box a rule reads must be
// a run number of the file (ConversionError naming the box); a failure
// changes neither the marks nor the boxes.
void ConductExclusion(SimpleTraceData& data, BoxTexts& boxes);

}  // namespace specbridge::simple_kinetics
