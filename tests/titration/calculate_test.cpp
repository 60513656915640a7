// Concentrations of every titration point from the volume and stock boxes.
#include "common/errors.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"
#include "titration_test_support.hpp"

namespace specbridge::titration {
namespace {

using ::testing::ElementsAre;

// Row r of the grid, columns 1 .. n.
std::vector<std::string> Row(const ConcentrationGrid& grid, int r) {
  std::vector<std::string> row;
  for (std::size_t c = 1; c < grid.columns.size(); ++c) row.push_back(grid.columns[c][static_cast<std::size_t>(r)]);
  return row;
}

TEST(TitrationCalculate, WorkedExample) {
  const auto grid = Calculate(test::ExampleBoxes(), 4);
  ASSERT_TRUE(grid.has_value());
  ASSERT_EQ(grid->columns.size(), 5U);
  EXPECT_THAT(grid->columns[0], ElementsAre("", "[M] (M)", "[L] (M)", "[H] (M)"));
  EXPECT_THAT(Row(*grid, 0), ElementsAre("0", "1", "2", "3"));
  EXPECT_THAT(Row(*grid, 1), ElementsAre("0.0001000000", "0.0000995025", "0.0000990099", "0.0000985222"));
  EXPECT_THAT(Row(*grid, 2), ElementsAre("0.0000000000", "0.0000049751", "0.0000099010", "0.0000591133"));
  EXPECT_THAT(Row(*grid, 3), ElementsAre("0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000"));
}

TEST(TitrationCalculate, GuardWantsEveryBoxFilledAndSpectra) {
  for (const char* name : {"Comment1", "V0", "Vt", "CM", "CH", "Temp", "No1", "CL1"}) {
    BoxTexts boxes = test::ExampleBoxes();
    boxes.Set(name, name);
    EXPECT_FALSE(Calculate(boxes, 4).has_value()) << name;
  }
  EXPECT_FALSE(Calculate(test::ExampleBoxes(), 0).has_value());
  EXPECT_FALSE(Calculate(DefaultBoxes(), 4).has_value());
  // The comparison is exact: a blank makes the box count as filled.
  BoxTexts boxes = test::ExampleBoxes();
  boxes.Set("Comment1", "Comment1 ");
  EXPECT_TRUE(Calculate(boxes, 1).has_value());
}

TEST(TitrationCalculate, TitrantTable) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> boxes;
    std::vector<std::string> ligand;  // [L] of points 0 .. 3
  };
  const std::vector<Case> cases{
      {"one stock", {{"No2", "No2"}}, {"0.0000000000", "0.0000049751", "0.0000099010", "0.0000147783"}},
      {"a default No3 ends the table",
       {{"No3", "No3"}, {"No4", "2"}, {"CL4", "1"}, {"No5", "2"}, {"CL5", "1"}},
       {"0.0000000000", "0.0000049751", "0.0000099010", "0.0000591133"}},
      {"the later entry wins",
       {{"No2", "1"}, {"CL2", "0.002"}},
       {"0.0000000000", "0.0000099502", "0.0000198020", "0.0000295567"}},
      {"titrant from point 0",
       {{"No1", "0"}, {"No2", "No2"}},
       {"0.0000050000", "0.0000099502", "0.0000148515", "0.0000197044"}},
      {"a stock beyond the last point",
       {{"No2", "10"}},
       {"0.0000000000", "0.0000049751", "0.0000099010", "0.0000147783"}},
      {"below half the last decimal",
       {{"CL1", "0.000000001"}, {"No2", "No2"}},
       {"0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000"}},
  };
  for (const Case& c : cases) {
    BoxTexts boxes = test::ExampleBoxes();
    for (const auto& [name, text] : c.boxes) boxes.Set(name, text);
    const auto grid = Calculate(boxes, 4);
    ASSERT_TRUE(grid.has_value()) << c.what;
    EXPECT_EQ(Row(*grid, 2), c.ligand) << c.what;
  }
}

TEST(TitrationCalculate, FailuresNameTheBoxOrThePoint) {
  BoxTexts boxes = test::ExampleBoxes();
  boxes.Set("No3", "5");  // CL3 still reads "CL3"
  EXPECT_THROW_MSG(Calculate(boxes, 4), ConversionError, "CL3: 'CL3' is not a valid floating point value");
  boxes = test::ExampleBoxes();
  boxes.Set("V0", "");
  EXPECT_THROW_MSG(Calculate(boxes, 4), ConversionError, "V0: '' is not a valid floating point value");
  boxes = test::ExampleBoxes();
  boxes.Set("No1", "1.5");
  EXPECT_THROW_MSG(Calculate(boxes, 4), ConversionError, "No1: '1.5' is not a valid integer value");
  boxes = test::ExampleBoxes();
  boxes.Set("V0", "0");
  EXPECT_THROW_MSG(Calculate(boxes, 4), MathError, "point 0, [M]: Invalid floating point operation (0 / 0)");
  boxes.Set("V0", "0.02");
  boxes.Set("Vt", "-0.01");
  EXPECT_THROW_MSG(Calculate(boxes, 4), MathError, "point 2, [M]: Division by zero");
}

}  // namespace
}  // namespace specbridge::titration
