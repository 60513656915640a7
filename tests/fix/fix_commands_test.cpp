#include "fix/fix_commands.hpp"

#include <algorithm>
#include <fstream>
#include <type_traits>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge::fix {
namespace {

namespace fs = std::filesystem;
using test::MatchesGolden;

class FixCommandsTest : public test::FolderTest {
 protected:
  void SetUp() override {
    fs::create_directories(data_);
    fs::create_directories(out_);
  }

  // A fixture of tests/data/fix under another name in the data directory.
  fs::path Input(const char* fixture, const char* name) const {
    return FolderTest::Input(std::string("fix/") + fixture, data_ / name);
  }
  static fs::path Write(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Dirinf() const { return test::Slurp(root_ / "dirinf"); }
  std::vector<fs::path> Listing(const fs::path& dir) const {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_ = dir_ / "start";
  fs::path data_ = dir_ / "data";
  fs::path out_ = dir_ / "out";
  bool made_ = fs::create_directories(root_);
  DirectoryMemory directories_{root_};
  ScriptedDialogs dialogs_;
  FileChooser files_{dialogs_, directories_};
  FixCommands commands_{files_};
};

TEST_F(FixCommandsTest, EpsilonTableIsProposedBesideItsInputWithoutTheLastFourCharacters) {
  const fs::path input = Input("two_spectraa.dem", "xyza.dem");
  dialogs_.Answer(input);
  dialogs_.Answer(out_ / "table");
  commands_.ConvertEpsilonData();

  const auto& requests = dialogs_.Requests();
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_FALSE(requests[0].save);
  EXPECT_EQ(requests[0].dialog.initialDirectory, fs::path());  // no "dirinf" yet
  EXPECT_EQ(requests[0].dialog.filter, "");
  EXPECT_TRUE(requests[1].save);
  EXPECT_EQ(requests[1].dialog.fileName, (data_ / "xyza").string());
  EXPECT_EQ(requests[1].dialog.initialDirectory, data_);
  EXPECT_EQ(requests[1].dialog.filter, "");
  EXPECT_TRUE(MatchesGolden("fix/two_spectra.table", test::Slurp(out_ / "table")));
  // The save dialog was remembered last.
  EXPECT_EQ(Dirinf(), out_.string() + "\r\n");
  EXPECT_EQ(files_.OpenDialog().initialDirectory, out_);
  EXPECT_EQ(fs::current_path(), out_);
}

TEST_F(FixCommandsTest, FixFromEpsilonStartsInTheWorkingDirectoryAndProposesDotFix) {
  directories_.RememberDirectory(out_ / "earlier.txt", nullptr);
  const fs::path input = Input("two_spectraa.dem", "xyza.dem");
  dialogs_.Answer(input);
  dialogs_.Answer(out_ / "chosen.fix");
  commands_.GenerateFixFromEpsilon();

  const auto& requests = dialogs_.Requests();
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_EQ(requests[0].dialog.initialDirectory, out_);
  EXPECT_EQ(requests[1].dialog.fileName, (data_ / "xyza.fix").string());
  EXPECT_EQ(requests[1].dialog.initialDirectory, data_);  // remembered from the open dialog
  EXPECT_TRUE(MatchesGolden("fix/two_spectra.fix", test::Slurp(out_ / "chosen.fix")));
  EXPECT_EQ(Dirinf(), out_.string() + "\r\n");
}

TEST_F(FixCommandsTest, CancelledDialogsWriteNothing) {
  const fs::path input = Input("two_spectraa.dem", "xyza.dem");
  dialogs_.Answer(std::nullopt);
  commands_.ConvertEpsilonData();
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
  EXPECT_FALSE(fs::exists(root_ / "dirinf"));

  // Cancelling the save dialog: only the open dialog has been remembered.
  for (const auto command : {&FixCommands::ConvertEpsilonData, &FixCommands::GenerateFixFromEpsilon}) {
    dialogs_.Answer(input);
    dialogs_.Answer(std::nullopt);
    (commands_.*command)();
    EXPECT_EQ(Dirinf(), data_.string() + "\r\n");
  }
  dialogs_.Answer(Input("thousands_comma.txt", "xyz.txt"));
  dialogs_.Answer(std::nullopt);
  commands_.GenerateFixFromSpectrum(SpectrumKind::kUvProbe, "1");
  EXPECT_EQ(dialogs_.Requests().size(), 7U);
  EXPECT_EQ(Listing(data_), (std::vector<fs::path>{"xyz.txt", "xyza.dem"}));
  EXPECT_TRUE(Listing(out_).empty());
}

TEST_F(FixCommandsTest, AnUnreadableEpsilonFileStopsBeforeTheSaveDialog) {
  dialogs_.Answer(Write(data_ / "bada.dem", "0 1 2\r\n400\r\nfour\r\n"));
  EXPECT_THROW_MSG(commands_.GenerateFixFromEpsilon(), ConversionError,
                   "bada.dem, line 3: 'four' is not a valid floating point value");
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
  EXPECT_EQ(Dirinf(), data_.string() + "\r\n");  // kept from the open dialog
}

TEST_F(FixCommandsTest, AnUnwritableDirinfStopsBeforeTheFileIsRead) {
  // A directory in the place of "dirinf" cannot be replaced.
  fs::create_directory(root_ / "dirinf");
  dialogs_.Answer(data_ / "missinga.dem");
  try {
    commands_.ConvertEpsilonData();
    ADD_FAILURE() << "nothing thrown";
  } catch (const FileError& error) {
    EXPECT_THAT(error.Message(), ::testing::HasSubstr("dirinf"));
    EXPECT_THAT(error.Message(), ::testing::Not(::testing::HasSubstr("missinga.dem")));
  }
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
}

TEST_F(FixCommandsTest, SpectraAreConvertedWithTheirProposedNames) {
  struct Case {
    SpectrumKind kind;
    const char* fixture;
    const char* name;
    const char* concentration;
    const char* golden;
  };
  for (const Case& c :
       {Case{SpectrumKind::kMultiSpecRows, "five_points.asc", "sample.asc", "1e-4", "fix/five_points_rows.fix"},
        Case{SpectrumKind::kMultiSpecColumns, "five_points.asc", "sample.asc", "0.0001", "fix/five_points_columns.fix"},
        Case{SpectrumKind::kUvProbe, "thousands_comma.txt", "uv2450.txt", "0.001", "fix/thousands_comma.fix"}}) {
    const fs::path input = Input(c.fixture, c.name);
    std::string loaded;
    commands_.onLoaded = [&loaded](std::string_view bytes) { loaded = bytes; };
    dialogs_.Answer(input);
    dialogs_.Answer(out_ / "result.fix");
    commands_.GenerateFixFromSpectrum(c.kind, c.concentration);

    const auto& save = dialogs_.Requests().back();
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.dialog.fileName, FixName(input).string());
    EXPECT_EQ(save.dialog.initialDirectory, data_);
    EXPECT_TRUE(MatchesGolden(c.golden, test::Slurp(out_ / "result.fix"))) << c.name;
    EXPECT_EQ(loaded, test::Slurp(input));
    EXPECT_EQ(Dirinf(), out_.string() + "\r\n");
  }
}

TEST_F(FixCommandsTest, FilesWithoutASpectrumAreRefusedBeforeTheSaveDialog) {
  std::string one = "##TITLE=one point\r\n";
  for (int i = 2; i <= 10; ++i) one += "##\r\n";
  one += "##FIRSTX=400\r\n##LASTX=400\r\n##NPOINTS=1\r\n##\r\n##\r\n0.5\r\n";
  struct Case {
    SpectrumKind kind;
    fs::path input;
    const char* message;
  };
  const Case cases[] = {
      {SpectrumKind::kMultiSpecRows, Write(data_ / "plain.asc", "400.0,0.5\r\n"),
       "plain.asc is not a MultiSpec spectrum file: its line 1 does not begin with \"##TITLE\""},
      {SpectrumKind::kUvProbe, Write(data_ / "short.txt", "\"title\"\r\n\"nm\",\"Abs\"\r\n"),
       "short.txt holds no data point: a UVProbe export has two header lines, then one line per point"},
      {SpectrumKind::kMultiSpecColumns, Write(data_ / "one.asc", one),
       "one.asc, line 13: a single point cannot be spread from the first to the last wavelength (invalid "
       "floating point operation, 0 / 0)"},
  };
  for (const Case& c : cases) {
    dialogs_.Answer(c.input);
    try {
      commands_.GenerateFixFromSpectrum(c.kind, "1");
      ADD_FAILURE() << "nothing thrown for " << c.input;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Message(), c.message);
    }
    EXPECT_FALSE(dialogs_.Requests().back().save) << c.input;
  }
  EXPECT_EQ(dialogs_.Requests().size(), 3U);
  EXPECT_TRUE(Listing(out_).empty());
}

TEST_F(FixCommandsTest, ABadConcentrationIsRefusedBeforeAnyDialog) {
  const fs::path target = Write(out_ / "sample.fix", "the fix file of yesterday\r\n");
  const auto refused = [&](const char* concentration, auto error, const char* message) {
    SCOPED_TRACE(concentration);
    EXPECT_THROW_MSG(commands_.GenerateFixFromSpectrum(SpectrumKind::kMultiSpecRows, concentration),
                     typename decltype(error)::type, message);
    EXPECT_TRUE(dialogs_.Requests().empty());
    EXPECT_EQ(test::Slurp(target), "the fix file of yesterday\r\n");
    EXPECT_EQ(Listing(out_), std::vector<fs::path>{"sample.fix"});
  };
  refused("abc", std::type_identity<ConversionError>{}, "Concentration: 'abc' is not a valid floating point value");
  refused("0", std::type_identity<MathError>{}, "Concentration '0': Division by zero");
  refused(" ", std::type_identity<ConversionError>{}, "Concentration: ' ' is not a valid floating point value");
}

TEST_F(FixCommandsTest, AnInputIsNeverTheOutput) {
  const fs::path dem = Input("two_spectraa.dem", "xyza.dem");
  const fs::path asc = Input("five_points.asc", "sample.asc");
  struct Case {
    void (*run)(FixCommands&);
    fs::path input;
  };
  const Case cases[] = {
      {[](FixCommands& c) { c.ConvertEpsilonData(); }, dem},
      {[](FixCommands& c) { c.GenerateFixFromEpsilon(); }, dem},
      {[](FixCommands& c) { c.GenerateFixFromSpectrum(SpectrumKind::kMultiSpecRows, "1"); }, asc},
  };
  for (const Case& c : cases) {
    const std::string before = test::Slurp(c.input);
    dialogs_.Answer(c.input);
    dialogs_.Answer(c.input);
    EXPECT_THROW_MSG(c.run(commands_), FileError,
                     "Refusing to write '" + c.input.string() + "': it is the same file as the input '" +
                         c.input.string() + "' of this run; nothing was written");
    EXPECT_EQ(test::Slurp(c.input), before);
  }
  EXPECT_EQ(Listing(data_), (std::vector<fs::path>{"sample.asc", "xyza.dem"}));
}

TEST(FixNames, DropTheLastFourCharactersOfTheName) {
  EXPECT_EQ(TableName("/d/xyza.dem"), fs::path("/d/xyza"));
  EXPECT_EQ(FixName("/d/xyza.dem"), fs::path("/d/xyza.fix"));
  EXPECT_EQ(FixName("/d/run.01.ASC"), fs::path("/d/run.01.fix"));
  EXPECT_EQ(FixName("spectrum.t"), fs::path("spectr.fix"));
  // A name too short to lose four characters is kept, never cut into the directory.
  EXPECT_EQ(TableName("/data/abc"), fs::path("/data/abc"));
  EXPECT_EQ(FixName("/data/.asc"), fs::path("/data/.asc.fix"));
}

}  // namespace
}  // namespace specbridge::fix
