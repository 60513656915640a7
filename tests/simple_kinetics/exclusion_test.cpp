// "Conduct Exclusion": the every-n sections, the section ends written back,
// the count shown in Edit2, and presses that are refused.
#include <utility>

#include "simple_kinetics/converter.hpp"
#include "simple_kinetics/exclusion.hpp"
#include "simple_kinetics_test_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::simple_kinetics {
namespace {

using test::FailureOf;
using test::Header;
using test::TraceFile;
using ::testing::ElementsAreArray;

using Boxes = std::vector<std::pair<const char*, const char*>>;

// A converter holding a file of `runs` runs of one wavelength.
void OpenRuns(SimpleKineticsConverter& converter, int runs) {
  std::vector<std::string> body(static_cast<std::size_t>(runs), "0.5");
  const Header h{.W1 = "400", .W2 = "400", .Nw = "1", .T1 = "0", .T2 = "1", .Nr = std::to_string(runs)};
  converter.Open(TraceFile(h, body), "r.ASC");
}

void Type(SimpleKineticsConverter& converter, const Boxes& boxes) {
  for (const auto& [name, text] : boxes) converter.Boxes().Set(name, text);
}

std::vector<int> UsedRuns(const SimpleTraceData& data) {
  std::vector<int> used;
  for (int i = 1; i <= data.Nr; ++i) {
    if (data.IsUsed(i)) used.push_back(i);
  }
  return used;
}

struct Stretch {
  int from, to, step;
};
std::vector<int> Runs(std::initializer_list<Stretch> stretches) {
  std::vector<int> runs;
  for (const Stretch& s : stretches) {
    for (int i = s.from; i <= s.to; i += s.step) runs.push_back(i);
  }
  return runs;
}

struct ExclusionCase {
  const char* name;
  int runs;
  std::vector<Boxes> presses;  // boxes typed before each press
  std::vector<int> used;
  Boxes after;  // boxes the presses rewrote, and Edit2
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const ExclusionCase& c, std::ostream* os) { *os << c.name; }
};

class Exclusion : public ::testing::TestWithParam<ExclusionCase> {};

TEST_P(Exclusion, MarksRunsAndRewritesBoxes) {
  const ExclusionCase& c = GetParam();
  SimpleKineticsConverter converter;
  OpenRuns(converter, c.runs);
  for (const Boxes& press : c.presses) {
    Type(converter, press);
    converter.Button1Click();
  }
  EXPECT_THAT(UsedRuns(converter.Data()), ElementsAreArray(c.used));
  EXPECT_EQ(converter.Data().Ns, static_cast<int>(c.used.size()));
  for (const auto& [name, text] : c.after) EXPECT_EQ(converter.Boxes()[name], text) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, Exclusion,
    ::testing::Values(
        // Open's defaults keep every run.
        ExclusionCase{"Defaults", 30, {{}}, Runs({{1, 30, 1}}), {{"Edit3", "1"}, {"Edit4", "30"}, {"Edit2", "30"}}},
        ExclusionCase{"WorkedExample",
                      100,
                      {{{"Edit4", "10"}, {"Edit5", "31"}, {"Edit6", "60"}}},
                      Runs({{1, 10, 1}, {12, 30, 2}, {35, 60, 5}}),
                      {{"Edit5", "30"}, {"Edit6", "60"}, {"Edit2", "26"}}},
        ExclusionCase{"EndsLoweredToWholeSteps",
                      100,
                      {{{"Edit4", "10"}, {"Edit5", "25"}, {"Edit6", "47"}}},
                      Runs({{1, 10, 1}, {12, 24, 2}, {29, 44, 5}}),
                      {{"Edit5", "24"}, {"Edit6", "44"}, {"Edit2", "21"}}},
        ExclusionCase{
            "EveryRuleInTurn",
            200,
            {{{"Edit3", "3"}, {"Edit4", "10"}, {"Edit5", "21"}, {"Edit6", "52"}, {"Edit7", "109"}, {"Edit8", "200"}}},
            Runs({{3, 10, 1}, {12, 20, 2}, {25, 50, 5}, {60, 100, 10}, {120, 200, 20}}),
            {{"Edit5", "20"}, {"Edit6", "50"}, {"Edit7", "100"}, {"Edit8", "200"}, {"Edit2", "29"}}},
        // Every end is rewritten as a plain integer, adjusted or not.
        ExclusionCase{"EndsWithoutWidth",
                      60,
                      {{{"Edit4", "20"}, {"Edit5", "040"}, {"Edit6", " +45"}}},
                      Runs({{1, 20, 1}, {22, 40, 2}, {45, 45, 1}}),
                      {{"Edit4", "20"}, {"Edit5", "40"}, {"Edit6", "45"}, {"Edit2", "31"}}},
        // A negative odd difference (-5) lowers the end by one as well.
        ExclusionCase{"BackwardOddSection",
                      40,
                      {{{"Edit4", "20"}, {"Edit5", "15"}, {"Edit6", "30"}}},
                      Runs({{1, 14, 1}, {19, 29, 5}}),
                      {{"Edit5", "14"}, {"Edit6", "29"}, {"Edit2", "17"}}},
        // A remainder with the sign of the dividend: 22 - 30 = -8 gives -3, so 25.
        ExclusionCase{"BackwardFifthSection",
                      40,
                      {{{"Edit4", "10"}, {"Edit5", "30"}, {"Edit6", "22"}}},
                      Runs({{1, 10, 1}, {12, 30, 2}}),
                      {{"Edit6", "25"}, {"Edit2", "20"}}},
        // Edit4 is read again by the every-2nd rule when Edit3 holds NONE;
        // runs before it keep their marks.
        ExclusionCase{"NoInitialRule",
                      30,
                      {{{"Edit3", "NONE"}, {"Edit4", "10"}, {"Edit5", "20"}}},
                      Runs({{1, 10, 1}, {12, 20, 2}}),
                      {{"Edit2", "15"}}},
        // Runs 1 to 4, omitted by the first press, stay omitted.
        ExclusionCase{"LaterPressKeepsEarlierMarks",
                      30,
                      {{{"Edit3", "5"}, {"Edit4", "10"}}, {{"Edit3", "NONE"}, {"Edit5", "20"}}},
                      Runs({{5, 10, 1}, {12, 20, 2}}),
                      {{"Edit5", "20"}, {"Edit2", "11"}}},
        // Without a rule every run after the first is omitted.
        ExclusionCase{"NoRuleKeepsTheFirstRun", 10, {{{"Edit4", "NONE"}}}, Runs({{1, 1, 1}}), {{"Edit2", "1"}}},
        // A rule whose pair holds NONE reads neither box.
        ExclusionCase{"UnreadBoxesMayHoldAnything",
                      10,
                      {{{"Edit6", "junk"}, {"Edit8", "0"}}},
                      Runs({{1, 10, 1}}),
                      {{"Edit6", "junk"}, {"Edit2", "10"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedPress {
  const char* name;
  Boxes boxes;
  std::string failure;
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const RefusedPress& c, std::ostream* os) { *os << c.name; }
};

class RefusedPresses : public ::testing::TestWithParam<RefusedPress> {};

TEST_P(RefusedPresses, ChangeNothing) {
  SimpleKineticsConverter converter;
  OpenRuns(converter, 40);
  Type(converter, {{"Edit4", "10"}, {"Edit5", "20"}});
  converter.Button1Click();
  const std::vector<int> usedBefore = UsedRuns(converter.Data());
  Type(converter, GetParam().boxes);
  const BoxTexts boxesBefore = converter.Boxes();

  EXPECT_EQ(FailureOf([&] { converter.Button1Click(); }), GetParam().failure);
  EXPECT_EQ(UsedRuns(converter.Data()), usedBefore);
  EXPECT_EQ(converter.Data().Ns, static_cast<int>(usedBefore.size()));
  for (const auto& box : boxesBefore.All()) EXPECT_EQ(converter.Boxes()[box.name], box.text) << box.name;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, RefusedPresses,
    ::testing::Values(
        RefusedPress{"TrailingBlank", {{"Edit3", "2 "}}, "ConversionError: Edit3: '2 ' is not a valid integer value"},
        RefusedPress{
            "LowerCaseNone", {{"Edit6", "none"}}, "ConversionError: Edit6: 'none' is not a valid integer value"},
        // Edit5 would have become 24 before Edit6 fails.
        RefusedPress{"LaterRuleFails",
                     {{"Edit5", "25"}, {"Edit6", "4x"}},
                     "ConversionError: Edit6: '4x' is not a valid integer value"},
        RefusedPress{"RunZero", {{"Edit3", "0"}}, "ConversionError: Edit3: run 0 is not one of the runs 1 to 40"},
        RefusedPress{"PastTheLastRun",
                     {{"Edit5", "30"}, {"Edit6", "41"}},
                     "ConversionError: Edit6: run 41 is not one of the runs 1 to 40"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Exclusion, NeedsAnOpenFile) {
  SimpleKineticsConverter converter;
  EXPECT_EQ(FailureOf([&] { converter.Button1Click(); }),
            "NoTraceData: No kinetic trace is open: choose File > Open first");
  OpenRuns(converter, 5);
  converter.Quit1Click();
  EXPECT_EQ(FailureOf([&] { converter.Button1Click(); }),
            "NoTraceData: No kinetic trace is open: choose File > Open first");
  EXPECT_EQ(converter.Boxes()["Edit2"], "5");
}

}  // namespace
}  // namespace specbridge::simple_kinetics
