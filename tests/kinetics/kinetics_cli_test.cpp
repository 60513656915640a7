// specbridge-cli kinetics in-process: the session replay in command-line
// order, the grid and report outputs, the save guards, and runs that must
// write nothing at all.
#include <filesystem>
#include <set>
#ifdef SPECBRIDGE_PNG
#include <QColor>
#include <QImage>
#endif

#include "cli/cli_support.hpp"
#include "common/plot.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

using specbridge::test::CliResult;
using specbridge::test::DataPath;
using specbridge::test::MatchesGolden;
using specbridge::test::RunCli;
using specbridge::test::TempDir;

std::string Fixture(const char* name) { return DataPath(std::string("kinetics/") + name).string(); }

TEST(KineticsCommand, RunsTheActionsInOrderAndWritesGridAndReport) {
  TempDir dir;
  // Repeated options each run in their place: the second --unit 3 changes nothing.
  const CliResult r = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--dead-time", "0.5", "--interval", "2",
                              "--apply", "--unit", "3", "--lower-cut", "2", "--unit", "3", "--grid-out",
                              (dir / "g.txt").string(), "--report", (dir / "r.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(MatchesGolden("kinetics/expected/cli_session.grid", ReadFileBytes(dir / "g.txt")));
  EXPECT_TRUE(MatchesGolden("kinetics/expected/cli_session.report", ReadFileBytes(dir / "r.txt")));
  EXPECT_EQ(r.out, "");
}

TEST(KineticsCommand, ActionsBeforeTheFileStillRunAfterTheOpen) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", "--step", "2", Fixture("matrix_20_times.txt"), "--comments1", "Run 20",
                              "--box", "nmlow=420", "--lower-cut", "3", "--lower-cut", "1", "--upper-cut", "2",
                              "--upper-cut", "1", "-o", (dir / "o.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(MatchesGolden("kinetics/expected/skipping_and_cut_offs.txt", ReadFileBytes(dir / "o.txt")));
  EXPECT_EQ(r.err, "Wrote " + (dir / "o.txt").string() + "\n");
}

TEST(KineticsCommand, AStepThatMakesTheSpectrumViewMeetAnEmptyCellFailsTheRun) {
  TempDir dir;
  const CliResult r = RunCli(
      {"kinetics", Fixture("blank_table.txt"), "--step", "2", "--comments1", "x", "-o", (dir / "o.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "row 4, column 2: '' is not a valid floating point value\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(KineticsCommand, TheFinalSaveSetsTheTemperatureTheReportShows) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", Fixture("matrix.txt"), "--comments1", "Matrix A", "-o",
                              (dir / "o.txt").string(), "--report", (dir / "r.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(MatchesGolden("kinetics/expected/matrix.txt", ReadFileBytes(dir / "o.txt")));
  EXPECT_THAT(ReadFileBytes(dir / "r.txt"), ::testing::HasSubstr("TForm4.Temperature=20\r\nTForm5."));
  // Three time rows: the message, and the file all the same.
  EXPECT_EQ(r.err, "Time_Column is missing!!!\nWrote " + (dir / "o.txt").string() + "\nWrote " +
                       (dir / "r.txt").string() + "\n");
}

TEST(KineticsCommand, ASaveStoppedByItsGuardWritesNothing) {
  TempDir dir;
  const CliResult r =
      RunCli({"kinetics", Fixture("title_header.ASC"), "--save", (dir / "a.txt").string(), "--comments1", "x",
              "--grid-out", (dir / "g.txt").string(), "-o", (dir / "b.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "Comments1 is missing!!!\nTime_Column is missing!!!\nTime_Column is missing!!!\n"
            "Not written, as the run failed: " +
                (dir / "g.txt").string() + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(KineticsCommand, AFailureWritesNoFileNotEvenEarlierSaves) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--comments1", "x", "--save",
                              (dir / "a.txt").string(), "--nmlow", "405", "-o", (dir / "b.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "nmlow: '405' equals no wavelength in row 0\nNot written, as the run failed: " +
                       (dir / "a.txt").string() + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

  const CliResult refused = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--comments1", "x", "--upper-cut",
                                    "1000", "-o", (dir / "b.txt").string()});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "Nothing to save: every time row is marked Omit; nothing was written\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(KineticsCommand, NeverWritesOverAFileItReadButReadsBackWhatItSaved) {
  TempDir dir;
  const auto input = dir.Write("run.txt", ReadFileBytes(Fixture("matrix_20_times.txt")));
  const CliResult over = RunCli({"kinetics", input.string(), "--comments1", "x", "-o", input.string()});
  EXPECT_EQ(over.code, 1);
  EXPECT_EQ(over.err, "Refusing to write '" + input.string() + "': it is the same file as the input '" +
                          input.string() + "' of this run; nothing was written\n");
  EXPECT_EQ(ReadFileBytes(input), ReadFileBytes(Fixture("matrix_20_times.txt")));

  // A file saved earlier in the run is opened from the held bytes, then saved again.
  const auto first = dir / "first.txt";
  const auto second = dir / "second.txt";
  const CliResult round =
      RunCli({"kinetics", input.string(), "--comments1", "Run 20", "--nmhigh", "420", "--unit", "3", "--save",
              first.string(), "--open", first.string(), "--unit", "2", "--unit", "1", "-o", second.string()});
  ASSERT_EQ(round.code, 0) << round.err;
  EXPECT_TRUE(MatchesGolden("kinetics/expected/omitting_unit_3.txt", ReadFileBytes(first)));
  EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

TEST(KineticsCommand, AGuardOrTheSelectionSpeaksBeforeTheRefusalOfAnOutputOverAnInput) {
  TempDir dir;
  const auto input = dir.Write("run.txt", ReadFileBytes(Fixture("matrix_20_times.txt")));
  const CliResult guard = RunCli({"kinetics", input.string(), "-o", input.string()});
  EXPECT_EQ(guard.code, 1);
  EXPECT_EQ(guard.err, "Comments1 is missing!!!\n");
  const CliResult selection =
      RunCli({"kinetics", input.string(), "--comments1", "x", "--box", "nmlow=405", "-o", input.string()});
  EXPECT_EQ(selection.code, 1);
  EXPECT_EQ(selection.err, "nmlow: '405' equals no wavelength in row 0\n");
  EXPECT_EQ(ReadFileBytes(input), ReadFileBytes(Fixture("matrix_20_times.txt")));
}

TEST(KineticsCommand, ANegativeTextIsGivenWithAnEqualsSign) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", Fixture("matrix.txt"), "--dead-time=-60", "--interval", "30", "--apply",
                              "--grid-out", (dir / "g.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(ReadFileBytes(dir / "g.txt"), ::testing::HasSubstr("\r\n\t-60\t0.1\t0.4\r\n\t-30\t"));
}

TEST(KineticsCommand, BoxesAndSpinValues) {
  TempDir dir;
  // A bare name finds the converter's box, then the dialog's; spin values are clamped.
  // The step first: with one wavelength the spectrum view's range would have no width.
  const CliResult r = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--box", "Comments1=Run 20", "--step", "99",
                              "--box", "TForm3.nmhigh=400", "--box", "Part=1234", "--report", (dir / "r.txt").string(),
                              "-o", (dir / "o.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(MatchesGolden("kinetics/expected/nm_1234.txt", ReadFileBytes(dir / "o.txt")));
  EXPECT_THAT(ReadFileBytes(dir / "r.txt"), ::testing::HasSubstr("TForm3.SpinEdit2=10\r\n"));
}

TEST(KineticsCommand, WithoutOutputsItSummarises) {
  const CliResult r = RunCli({"kinetics", Fixture("title_header.ASC")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "5 time rows, 5 to be saved; 3 wavelengths from 400 to 500 nm\n");
  const CliResult fresh = RunCli({"kinetics"});
  EXPECT_EQ(fresh.out, "Total time rows, Part to be saved; Points wavelengths from nmlow to nmhigh nm\n");
}

TEST(KineticsCommand, TheViewsActionsRunInOrderAndKeepTheTwinsInStep) {
  TempDir dir;
  // The trace's cut-off reaches the converter; the spectrum view's step and
  // limit reach the converter's count, which the report shows.
  const CliResult r = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--trace", "--trace-column", "99",
                              "--trace-upper-cut", "2", "--spectra-step", "2", "--spectra-nmhigh", "450", "--box",
                              "TForm5.DeadTime=7", "--report", (dir / "r.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string report = ReadFileBytes(dir / "r.txt");
  for (const char* line :
       {"TForm3.nmhigh=450", "TForm3.SpinEdit2=2", "TForm3.Points=3", "TForm3.SpinEdit4=2", "TForm3.Part=17",
        "TForm5.Edit2=17.00", "TForm5.Edit5=510", "TForm5.SpinEdit1=13", "TForm5.DeadTime=7", "TForm5.SpinEdit6=2",
        "TForm5.Part=17", "TForm6.Edit1=400.00", "TForm6.Edit2=440.00", "TForm6.SpinEdit1=2", "TForm6.Points=3"}) {
    EXPECT_THAT(report, ::testing::HasSubstr(std::string(line) + "\r\n")) << line;
  }
}

TEST(KineticsCommand, AFailedRedrawOfAHiddenViewFailsTheRun) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", Fixture("matrix_flat.txt"), "--comments1", "x", "--save",
                              (dir / "a.txt").string(), "--lower-cut", "1", "-o", (dir / "b.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "Time_Column is missing!!!\nThe plot range has no height (0.5 to 0.5)\nNot written, as the run failed: " +
                (dir / "a.txt").string() + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

#ifdef SPECBRIDGE_PNG
std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
  }
  return colours;
}

TEST(KineticsCommand, RendersBothViewsAsPictures) {
  TempDir dir;
  const CliResult r = RunCli({"kinetics", Fixture("matrix_20_times.txt"), "--trace", "--spectra", "--trace-png",
                              (dir / "t.png").string(), "--spectra-png", (dir / "s.png").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  const QImage trace(QString::fromStdString((dir / "t.png").string()));
  EXPECT_EQ(trace.size(), QSize(1021, 581));
  const std::set<QRgb> traceColours = Colours(trace);
  for (const QRgb colour : {0xFFFFFFu, 0x0000FFu, 0xFF0000u}) EXPECT_TRUE(traceColours.count(colour)) << colour;
  const QImage spectra(QString::fromStdString((dir / "s.png").string()));
  EXPECT_EQ(spectra.size(), QSize(1031, 671));
  // Twenty spectra: every colour of the table.
  const std::set<QRgb> spectraColours = Colours(spectra);
  for (const Rgb c : kCurveColours) EXPECT_TRUE(spectraColours.count(qRgb(c.r, c.g, c.b) & 0xFFFFFF)) << int(c.r);
}
#endif

TEST(KineticsCommand, UsageErrors) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"kinetics", "--box", "Nope=1"},
                                               {"kinetics", "--box", "SpinEdit3=1"},
                                               {"kinetics", "--box", "nmlow"},
                                               {"kinetics", "--box", "TForm5.SpinEdit1=3"},
                                               {"kinetics", "--box", "TForm6.Edit5=3"},
                                               {"kinetics", "--trace-png", "a", "--trace-png", "b"},
                                               {"kinetics", "--unit", "x"},
                                               {"kinetics", "-o", "a", "-o", "b"},
                                               {"kinetics", "--report", "a", "--report", "b"},
                                               {"kinetics", "a.txt", "b.txt"}}) {
    EXPECT_EQ(RunCli(args).code, 2) << args.back();
  }
}

}  // namespace
}  // namespace specbridge::cli
