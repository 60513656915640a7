// The shipped examples: one reaction in five layouts. Every layout must give
// the same file (the matrices store short real texts, the others the raw
// value texts), and every written file must read back as the same bytes.
#include <filesystem>

#include "common/text.hpp"
#include "kinetics/converter.hpp"
#include "kinetics_test_support.hpp"

namespace specbridge::kinetics {
namespace {

const char* const kExamples[] = {"ab_matrix.txt", "ab_header.txt", "ab_multispec.ASC", "ab_space.txt",
                                 "ab_specfit.txt"};

void OpenExample(KineticConverter& converter, const std::string& name) {
  const auto path = std::filesystem::path(SPECBRIDGE_EXAMPLES) / "kinetics" / name;
  converter.Open(ReadFileBytes(path), path.string());
}

// A session a chemist would run: times from 2 s every 5 s, the first two
// spectra and the last one left out, every second wavelength from 410 nm.
std::string Save(KineticConverter& converter) {
  converter.Boxes().Set("DeadTime", "2");
  converter.Boxes().Set("Interval", "5");
  converter.Apply1Click();
  converter.Boxes().Set("nmlow", "410");
  converter.nmlowExit();
  converter.SetSpin("SpinEdit2", 2);
  converter.SetSpin("SpinEdit3", 2);
  converter.Comments().Set("Comments1", "A -> B");
  converter.Comments().Set("Temperature", "25");
  return converter.SaveBytes();
}

TEST(KineticExamples, EveryLayoutReadsTheSameReaction) {
  std::vector<std::string> saved;
  for (const char* example : kExamples) {
    KineticConverter converter;
    OpenExample(converter, example);
    EXPECT_EQ(converter.Boxes()["Total"], "31") << example;
    EXPECT_EQ(converter.Boxes()["Points"], "61") << example;
    EXPECT_EQ(converter.Boxes()["nmlow"], "400") << example;
    EXPECT_EQ(converter.Boxes()["nmhigh"], "700") << example;
    saved.push_back(Save(converter));
    EXPECT_EQ(converter.Boxes()["Points"], "30") << example;
    EXPECT_EQ(converter.Boxes()["Part"], "29") << example;
  }
  EXPECT_TRUE(specbridge::test::SameBytes(saved[0], saved[1]));
  EXPECT_TRUE(specbridge::test::SameBytes(saved[2], saved[3]));
  EXPECT_TRUE(specbridge::test::SameBytes(saved[2], saved[4]));
}

TEST(KineticExamples, AWrittenFileReadsBackAsTheSameBytes) {
  for (const char* example : kExamples) {
    KineticConverter first;
    OpenExample(first, example);
    const std::string written = Save(first);
    KineticConverter second;
    second.Open(written, "written.txt");
    second.Comments().Set("Comments1", "A -> B");
    second.Comments().Set("Temperature", "25");
    EXPECT_TRUE(specbridge::test::SameBytes(written, second.SaveBytes())) << example;
  }
}

}  // namespace
}  // namespace specbridge::kinetics
