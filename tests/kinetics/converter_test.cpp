// Saving the SPECFIT 2D-format file from every layout and every selection
// rule, the guards and refusals of "Save", the copies the views receive, and
// the round trip through layout E.
#include <functional>

#include "common/errors.hpp"
#include "kinetics/converter.hpp"
#include "kinetics_test_support.hpp"

namespace specbridge::kinetics {
namespace {

using specbridge::test::MatchesGolden;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct SaveCase {
  const char* name;
  const char* fixture;
  std::function<void(KineticConverter&)> actions;
  const char* golden;
};

void Type(KineticConverter& k, const char* box, const char* text) { k.Boxes().Set(box, text); }

class KineticSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(KineticSave, WritesTheGoldenFile) {
  const SaveCase& c = GetParam();
  KineticConverter converter;
  test::OpenFixture(converter, c.fixture);
  c.actions(converter);
  ASSERT_TRUE(converter.SaveGuardPassed());
  EXPECT_TRUE(MatchesGolden(std::string("kinetics/expected/") + c.golden, converter.SaveBytes()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayoutAndRule, KineticSave,
    ::testing::Values(SaveCase{"TimeRowMatrix", "matrix.txt",
                               [](KineticConverter& k) { k.Comments().Set("Comments1", "Matrix A"); }, "matrix.txt"},
                      SaveCase{"WavelengthHeaderMatrix", "wavelength_header.txt",
                               [](KineticConverter& k) {
                                 k.Apply1Click();
                                 k.Comments().Set("Comments1", "Header B");
                                 k.Comments().Set("Comments2", "pH 7");
                                 k.Comments().Set("Temperature", "25");
                               },
                               "wavelength_header.txt"},
                      SaveCase{"TitleHeader", "title_header.ASC",
                               [](KineticConverter& k) {
                                 k.Apply1Click();
                                 k.Comments().Set("Comments1", "Title C");
                                 k.Comments().Set("Temperature", "25.0");
                               },
                               "title_header.txt"},
                      SaveCase{"BlankTableEverySecondWavelength", "blank_table.txt",
                               [](KineticConverter& k) {
                                 k.SetSpin("SpinEdit2", 2);
                                 k.Comments().Set("Comments1", "Table D");
                               },
                               "blank_table.txt"},
                      SaveCase{"Specfit2D", "specfit.txt",
                               [](KineticConverter& k) {
                                 k.Comments().Set("Comments1", "Specfit E");
                                 k.Comments().Set("Temperature", "30");
                               },
                               "specfit.txt"},
                      SaveCase{"OmittingUnitThree", "matrix_20_times.txt",
                               [](KineticConverter& k) {
                                 k.Comments().Set("Comments1", "Run 20");
                                 Type(k, "nmhigh", "420");
                                 k.nmhighExit();
                                 k.SetSpin("SpinEdit1", 3);
                               },
                               "omitting_unit_3.txt"},
                      SaveCase{"TenWavelengths", "matrix_20_times.txt",
                               [](KineticConverter& k) {
                                 k.Comments().Set("Comments1", "Run 20");
                                 Type(k, "nmhigh", "490");
                               },
                               "ten_wavelengths.txt"},
                      SaveCase{"SkippingFromTheThirdColumnAndCutOffs", "matrix_20_times.txt",
                               [](KineticConverter& k) {
                                 k.Comments().Set("Comments1", "Run 20");
                                 Type(k, "nmlow", "420");
                                 k.SetSpin("SpinEdit2", 2);
                                 k.SetSpin("SpinEdit3", 3);
                                 k.SetSpin("SpinEdit3", 1);
                                 k.SetSpin("SpinEdit4", 2);
                                 k.SetSpin("SpinEdit4", 1);
                               },
                               "skipping_and_cut_offs.txt"},
                      // Nm is the text of Part, whatever the rows say.
                      SaveCase{"NmOf1234", "matrix_20_times.txt",
                               [](KineticConverter& k) {
                                 k.Comments().Set("Comments1", "Run 20");
                                 Type(k, "nmhigh", "400");
                                 Type(k, "Part", "1234");
                               },
                               "nm_1234.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KineticSave, AnUntouchedTemperatureBecomes20) {
  KineticConverter converter;
  test::OpenFixture(converter, "matrix.txt");
  converter.Comments().Set("Comments1", "x");
  (void)converter.SaveBytes();
  EXPECT_EQ(converter.Comments()["Temperature"], "20");
  converter.Comments().Set("Temperature", " Temperature");
  EXPECT_THAT(converter.SaveBytes(), ::testing::HasSubstr("\t1\t Temperature\r\n"));
}

TEST(KineticSave, GuardsShowTheirMessagesInOrder) {
  struct Case {
    const char* fixture;
    const char* comments1;
    std::vector<std::string_view> messages;
    bool passed;
  };
  for (const Case& c : {
           Case{"matrix_20_times.txt", "Comments1", {kComments1Missing}, false},
           Case{"matrix_20_times.txt", "  Comments1 ", {kComments1Missing}, false},
           Case{"matrix_20_times.txt", "run", {}, true},
           // Three time rows: the time-column message, but the save goes on.
           Case{"matrix.txt", "run", {kTimeColumnMissing}, true},
           Case{"matrix.txt", "Comments1", {kComments1Missing, kTimeColumnMissing}, false},
           // No times at all: the save stops at the empty cell (1, 3).
           Case{"title_header.ASC", "run", {kTimeColumnMissing}, false},
       }) {
    KineticConverter converter;
    test::OpenFixture(converter, c.fixture);
    converter.Comments().Set("Comments1", c.comments1);
    EXPECT_EQ(converter.SaveMessages(), c.messages) << c.fixture << " " << c.comments1;
    EXPECT_EQ(converter.SaveGuardPassed(), c.passed) << c.fixture << " " << c.comments1;
  }
}

TEST(KineticSave, NothingSelectedOrNothingKeptIsRefused) {
  KineticConverter converter;
  test::OpenFixture(converter, "matrix_20_times.txt");
  converter.Comments().Set("Comments1", "run");
  converter.Boxes().Set("nmhigh", "300");
  EXPECT_THROW_MSG(converter.SaveBytes(), NothingToSave,
                   "Nothing to save: no wavelength column lies between nmlow 400 and nmhigh 300; nothing was written");
  converter.Boxes().Set("nmhigh", "510");
  converter.SetSpin("SpinEdit3", 20);
  EXPECT_THROW_MSG(converter.SaveBytes(), NothingToSave,
                   "Nothing to save: every time row is marked Omit; nothing was written");
  // The refusal comes before the temperature rule.
  EXPECT_EQ(converter.Comments()["Temperature"], "Temperature");
}

TEST(KineticSave, SelectionAndPartFailuresComeBeforeTheRefusal) {
  KineticConverter converter;
  test::OpenFixture(converter, "matrix_20_times.txt");
  converter.SetSpin("SpinEdit3", 20);
  converter.Boxes().Set("nmlow", "401");
  EXPECT_THROW_MSG(converter.SaveBytes(), ConversionError, "nmlow: '401' equals no wavelength in row 0");
  converter.Boxes().Set("nmlow", "400");
  converter.Boxes().Set("Part", "Part");
  EXPECT_THROW_MSG(converter.SaveBytes(), ConversionError, "Part: 'Part' is not a valid integer value");
}

TEST(KineticSave, ProposesTheInputNameWithTxt) {
  KineticConverter converter;
  EXPECT_EQ(converter.ProposedSaveName(), ".txt");
  converter.Open("0 1\n400 1\n", "/data/run1.ASC");
  EXPECT_EQ(converter.ProposedSaveName(), "/data/run1.txt");
  EXPECT_EQ(converter.State().KineticFileName, "/data/run1.ASC");
}

TEST(KineticOpen, AFailedOpenChangesNothing) {
  KineticConverter converter;
  test::OpenFixture(converter, "title_header.ASC");
  converter.SetSpin("SpinEdit3", 2);
  const std::string grid = converter.Grid().Dump();
  const auto report = converter.ReportLines();
  EXPECT_THROW(test::OpenFixture(converter, "title_header_truncated.ASC"), FileError);
  EXPECT_EQ(converter.Grid().Dump(), grid);
  EXPECT_EQ(converter.ReportLines(), report);
  EXPECT_EQ(std::filesystem::path(converter.State().KineticFileName).filename(), "title_header.ASC");
}

TEST(KineticOpen, LayoutsAAndBLeaveTheTimeFieldsAndTheHeader) {
  KineticConverter converter;
  test::OpenFixture(converter, "blank_table.txt");
  test::OpenFixture(converter, "matrix.txt");
  EXPECT_EQ(converter.Boxes()["DeadTime"], "0");
  EXPECT_EQ(converter.Boxes()["Interval"], "5");
  EXPECT_EQ(converter.State().header.LastWavelength, 800);
}

TEST(KineticReport, ListsEveryControlInOrder) {
  KineticConverter converter;
  EXPECT_THAT(converter.ReportLines(),
              ElementsAre("TForm3.DeadTime=1", "TForm3.Interval=1", "TForm3.nmlow=nmlow", "TForm3.nmhigh=nmhigh",
                          "TForm3.SpinEdit2=1", "TForm3.Points=Points", "TForm3.SpinEdit1=1", "TForm3.SpinEdit3=0",
                          "TForm3.SpinEdit4=0", "TForm3.SpinEdit5=0", "TForm3.SpinEdit6=0", "TForm3.Total=Total",
                          "TForm3.Part=Part", "TForm4.Comments1=Comments1", "TForm4.Comments2=Comments2",
                          "TForm4.Temperature=Temperature"));
}

// Records what the views would receive.
class RecordingTwins : public KineticTwins {
 public:
  std::vector<std::string> copies;
  void CopyOpenFields(const BoxTexts& b) override {
    copies.push_back("open " + b["Total"] + " " + b["Part"] + " " + b["DeadTime"] + " " + b["Interval"] + " " +
                     b["nmlow"] + " " + b["nmhigh"] + " " + b["Points"]);
  }
  void CopyTimeAxis(std::string_view deadTime, std::string_view interval) override {
    copies.push_back("time " + std::string(deadTime) + " " + std::string(interval));
  }
  void CopyWavelengthCount(std::string_view points, int step, std::string_view low, std::string_view high) override {
    copies.push_back("count " + std::string(points) + " " + std::to_string(step) + " " + std::string(low) + " " +
                     std::string(high));
  }
  void CopyOmittingUnit(int unit) override { copies.push_back("unit " + std::to_string(unit)); }
  void CopyLowerCutOff(int lower) override { copies.push_back("lower " + std::to_string(lower)); }
  void CopyUpperCutOff(int upper) override { copies.push_back("upper " + std::to_string(upper)); }
  void CopyPart(std::string_view part) override { copies.push_back("part " + std::string(part)); }
};

TEST(KineticTwinsCopies, GoOutWhenTheWindowMakesThem) {
  KineticConverter converter;
  RecordingTwins twins;
  converter.SetTwins(&twins);
  test::OpenFixture(converter, "blank_table.txt");
  converter.Apply1Click();
  converter.SetSpin("SpinEdit2", 2);
  converter.SetSpin("SpinEdit2", 2);  // no change, no handler
  converter.SetSpin("SpinEdit1", 2);  // a unit above 1 is not copied
  converter.SetSpin("SpinEdit1", 1);
  converter.SetSpin("SpinEdit3", 1);  // its hidden previous value runs the handler once more
  converter.SetSpin("SpinEdit3", 0);  // 0 is not copied
  converter.SetSpin("SpinEdit4", 1);
  EXPECT_THAT(twins.copies, ElementsAre("open 5 5 0 5 600 800 3", "time 0 5", "count 2 2 600 800", "part 3", "unit 1",
                                        "part 5", "lower 1", "part 4", "lower 1", "part 4", "part 5", "upper 1",
                                        "part 3", "upper 1", "part 3"));
}

TEST(KineticRoundTrip, AWrittenFileReadsBackAndWritesTheSameBytes) {
  // The comment begins with "Data": the wavelength line is looked for after the header.
  for (const char* fixture : {"matrix.txt", "wavelength_header.txt", "title_header.ASC", "blank_table.txt",
                              "specfit.txt", "matrix_20_times.txt"}) {
    KineticConverter first;
    test::OpenFixture(first, fixture);
    first.Apply1Click();
    first.Comments().Set("Comments1", "Data of the first save");
    // Layout E trims its fields, so a raw value with blanks around it (row 1
    // of the title header) reads back without them; the cut-off leaves row 1 out.
    first.SetSpin("SpinEdit3", 1);
    const std::string written = first.SaveBytes();
    KineticConverter second;
    second.Comments().Set("Comments1", "Data of the first save");
    second.Open(written, "written.txt");
    EXPECT_EQ(second.Boxes()["Total"], first.Boxes()["Part"]) << fixture;
    EXPECT_TRUE(specbridge::test::SameBytes(written, second.SaveBytes())) << fixture;
  }
}

}  // namespace
}  // namespace specbridge::kinetics
