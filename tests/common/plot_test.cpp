#include "common/plot.hpp"

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

TEST(PlotMapping, MapsTheRangeOntoTheSurface) {
  const PlotMapping map({300, 700, 0, 2}, 400, 200);
  EXPECT_EQ(map.PlotX(300), 0);
  EXPECT_EQ(map.PlotX(700), 400);
  EXPECT_EQ(map.PlotX(500), 200);
  EXPECT_EQ(map.PlotY(2), 0);
  EXPECT_EQ(map.PlotY(0), 200);
  // Nothing is clipped.
  EXPECT_EQ(map.PlotX(200), -100);
  EXPECT_EQ(map.PlotY(-1), 300);
}

TEST(PlotMapping, RoundsHalvesToTheEvenPixel) {
  const PlotMapping map({0, 4, 0, 4}, 10, 10);
  EXPECT_EQ(map.PlotX(1), 2);  // 2.5
  EXPECT_EQ(map.PlotX(3), 8);  // 7.5
  EXPECT_EQ(map.PlotY(1), 8);  // 10 - 2
  EXPECT_EQ(map.PlotY(3), 2);  // 10 - 8
}

TEST(PlotMapping, RefusesAnEmptyRangeAndKeepsFarPointsInRange) {
  EXPECT_THROW_MSG(PlotMapping({300, 300, 0, 1}, 10, 10), MathError, "The plot range has no width (300 to 300)");
  EXPECT_THROW_MSG(PlotMapping({0, 1, 2, 2}, 10, 10), MathError, "The plot range has no height (2 to 2)");
  const PlotMapping map({0, 1e-300, 0, 1}, 100, 100);
  EXPECT_EQ(map.PlotX(1e300), 1 << 24);
  EXPECT_EQ(map.PlotX(-1e300), -(1 << 24));
}

TEST(CurveColour, CyclesThroughFourteenColours) {
  EXPECT_EQ(CurveColour(0), (Rgb{0, 0, 0}));
  EXPECT_EQ(CurveColour(9), (Rgb{0xFF, 0, 0}));
  EXPECT_EQ(CurveColour(13), (Rgb{0, 0xFF, 0xFF}));
  EXPECT_EQ(CurveColour(14), CurveColour(0));
}

}  // namespace
}  // namespace specbridge
