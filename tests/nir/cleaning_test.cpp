#include "nir/cleaning.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge::nir {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using test::MatchesGolden;
using test::SameBytes;
using test::Slurp;

struct CleanCase {
  const char* name;
  std::string_view input;
  std::string_view cleaned;
  int removed;
};

TEST(CleanText, KeepsRelevantLinesEachEndedByCrLf) {
  const CleanCase cases[] = {
      {"two-line example", "1000.0, \r\n1000.0,0.123\r\n", "1000.0,0.123\r\n", 1},
      {"comma without blank and empty line kept", "1000.0,\r\n\r\n", "1000.0,\r\n\r\n", 0},
      {"only the last two characters count", "x, \t\n , \n, \n", "x, \t\r\n", 2},
      {"one character", ",\n", ",\r\n", 0},
      {"LF CR is two line ends", "a\n\rb, \n", "a\r\n\r\n", 1},
      {"lone CR ends a line", "a\rb, \rc", "a\r\nc\r\n", 1},
      {"last line without line end", "a, \nb", "b\r\n", 1},
      {"a NUL ends the text", "a\r\nb\0c, \r\nd\r\n"sv, "a\r\nb\r\n", 0},
      {"Ctrl-Z is an ordinary byte", "a\x1A, \r\n\x1A\r\n", "\x1A\r\n", 1},
      {"empty file", "", "", 0},
  };
  for (const CleanCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CleanedText cleaned = CleanText(c.input);
    EXPECT_TRUE(SameBytes(c.cleaned, cleaned.bytes));
    EXPECT_EQ(cleaned.removedLines, c.removed);
  }
}

TEST(HasHeaderMark, OnlyAtTheStartOfLineTwo) {
  const std::string mark(kHeaderMark);
  const struct {
    std::string text;
    bool marked;
  } cases[] = {
      {"title\r\n" + mark + "(nm)\",\"Abs\"\r\n", true},
      {"title\n" + mark, true},
      {mark + "\r\nsecond\r\n", false},
      {"title\r\nsecond\r\n" + mark + "\r\n", false},
      {"title\r\n " + mark + "\r\n", false},
      {"title\n\r" + mark + "\r\n", false},               // LF CR: line 2 is empty
      {"title\r\n" + mark.substr(0, 4) + "\r\n", false},  // cut short
      {"title", false},
  };
  for (const auto& c : cases) {
    std::vector<std::string_view> lines;
    LoadLineViews(c.text, lines);
    EXPECT_EQ(HasHeaderMark(lines), c.marked) << c.text;
  }
}

TEST(BackupPath, DropsTheLastThreeCharactersOfTheName) {
  const struct {
    const char* file;
    const char* backup;
  } cases[] = {
      {"/d/run.ASC", "/d/run.bak"}, {"/d/run.ascx", "/d/run.abak"}, {"/d/.ASC", "/d/.bak"},
      {"/d/x.A", "/d/bak"},         {"/d.e/ab", "/d.e/bak"},        {"run.asc", "run.bak"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupPath(c.file), fs::path(c.backup)) << c.file;
}

TEST(ChosenExtension, IsWhatFollowsTheLastDotOfTheName) {
  EXPECT_EQ(ChosenExtension("/d/x.ASC"), ".ASC");
  EXPECT_EQ(ChosenExtension("/d/a.b.txt"), ".txt");
  EXPECT_EQ(ChosenExtension("/d/.ASC"), ".ASC");
  EXPECT_THROW_MSG(ChosenExtension("/d.e/x"), FileError,
                   "'/d.e/x': no extension; the files to clean are found by their extension");
  EXPECT_THROW_MSG(ChosenExtension("/d/x."), FileError,
                   "'/d/x.': no extension; the files to clean are found by their extension");
  for (const char* name : {"/d/x.bak", "/d/x.BAK", "/d/x.oldBaK"}) {
    const std::string extension = fs::path(name).extension().string();
    EXPECT_THROW_MSG(ChosenExtension(name), FileError,
                     "'" + std::string(name) + "': the extension '" + extension +
                         "' ends in \"bak\", the ending of the backups this tool makes");
  }
}

// A folder of instrument files, built from the fixtures of tests/data/nir.
class NirFolderTest : public ::testing::Test {
 protected:
  fs::path Copy(const char* fixture, const std::string& name) const {
    const fs::path path = dir_ / name;
    fs::copy_file(test::DataPath(std::string("nir/") + fixture), path);
    return path;
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Original(const char* fixture) const { return Slurp(test::DataPath(std::string("nir/") + fixture)); }

  test::TempDir dir_;
};

TEST_F(NirFolderTest, ThreeMarkedFilesAndOneUnmarkedAreThreePending) {
  const fs::path chosen = Copy("sample_a.ASC", "b.ASC");
  Copy("sample_a.ASC", "a.ASC");
  Copy("lf_no_irrelevant.ASC", "c.ASC");
  Copy("unmarked.ASC", "d.ASC");
  const std::vector<fs::path> pending = SelectOneOfThem(chosen);
  EXPECT_EQ(pending, (std::vector<fs::path>{dir_ / "a.ASC", dir_ / "b.ASC", dir_ / "c.ASC"}));
  EXPECT_EQ(ConfirmationText(pending.size()), "There are 3 Files to be Processed with this!");
  EXPECT_EQ(ConfirmationText(1), "There are 1 Files to be Processed with this!");
}

TEST_F(NirFolderTest, SearchMatchesTheExtensionInAnyCaseAndPassesOverFolders) {
  const fs::path chosen = Copy("unmarked.ASC", "chosen.ASC");  // searched from, not pending
  Copy("sample_a.ASC", "lower.asc");
  Copy("sample_a.ASC", ".ASC");         // the extension alone
  Copy("sample_a.ASC", ".hidden.Asc");  // dot-files match
  Copy("sample_a.ASC", "B.ASC");
  Copy("sample_a.ASC", "a.ASC");
  Copy("sample_a.ASC", "other.txt");
  Copy("sample_a.ASC", "xASC");
  Copy("only_irrelevant.ASC", "empty.ASC");
  fs::create_directory(dir_ / "folder.ASC");
  std::vector<std::string> loaded;
  const std::vector<fs::path> pending =
      SelectOneOfThem(chosen, [&](std::string_view bytes) { loaded.emplace_back(bytes); });
  // Ascending byte order of the names.
  EXPECT_EQ(pending, (std::vector<fs::path>{dir_ / ".ASC", dir_ / ".hidden.Asc", dir_ / "B.ASC", dir_ / "a.ASC",
                                            dir_ / "lower.asc"}));
  // The chosen file, then every matching file in order; the last is the one Memo1 shows.
  ASSERT_EQ(loaded.size(), 8U);
  EXPECT_EQ(loaded.front(), Original("unmarked.ASC"));
  EXPECT_EQ(loaded.back(), Original("sample_a.ASC"));  // lower.asc
}

TEST_F(NirFolderTest, ChosenFileOfOnlyIrrelevantLinesDoesNothing) {
  const fs::path chosen = Copy("only_irrelevant.ASC", "x.ASC");
  Copy("sample_a.ASC", "a.ASC");
  EXPECT_TRUE(SelectOneOfThem(chosen).empty());
}

TEST_F(NirFolderTest, ChosenWithoutExtensionOrWithBakIsRefused) {
  const fs::path plain = Copy("sample_a.ASC", "plain");
  EXPECT_THROW_MSG(SelectOneOfThem(plain), FileError,
                   "'" + plain.string() + "': no extension; the files to clean are found by their extension");
  const fs::path bak = Copy("sample_a.ASC", "x.Bak");
  EXPECT_THROW_MSG(
      SelectOneOfThem(bak), FileError,
      "'" + bak.string() + "': the extension '.Bak' ends in \"bak\", the ending of the backups this tool makes");
}

TEST_F(NirFolderTest, UnreadableEntriesStopTheSearch) {
  const fs::path chosen = Copy("sample_a.ASC", "a.ASC");
  fs::create_symlink(dir_ / "gone", dir_ / "dangling.ASC");
  EXPECT_THROW_MSG(SelectOneOfThem(chosen), FileError,
                   "Cannot open '" + (dir_ / "dangling.ASC").string() + "': No such file or directory");
  fs::remove(dir_ / "dangling.ASC");
  // A pipe would block the read for ever.
  ASSERT_EQ(::mkfifo((dir_ / "pipe.ASC").c_str(), 0600), 0);
  EXPECT_THROW_MSG(SelectOneOfThem(chosen), FileError,
                   "Cannot read '" + (dir_ / "pipe.ASC").string() + "': it is a FIFO (named pipe), not a regular file");
}

TEST_F(NirFolderTest, MoreThanOneHundredFilesAreRefused) {
  for (int i = 0; i < kMaxPendingFiles; ++i) Copy("sample_a.ASC", "f" + std::to_string(1000 + i) + ".ASC");
  const fs::path chosen = dir_ / "f1000.ASC";
  EXPECT_EQ(SelectOneOfThem(chosen).size(), 100U);
  Copy("sample_a.ASC", "f2000.ASC");
  EXPECT_THROW_MSG(
      SelectOneOfThem(chosen), CapacityError,
      "'" + dir_.Path().string() + "': more than 100 files named *.ASC to be processed; the limit is 100 at once");
}

TEST_F(NirFolderTest, ProcessingCleansEachFileAndKeepsItsBackup) {
  Copy("sample_a.ASC", "a.ASC");
  Copy("lf_no_irrelevant.ASC", "b.asc");  // nothing to remove: still rewritten and backed up
  Copy("nul.ASC", "c.ASC");
  Copy("unmarked.ASC", "d.ASC");
  const std::vector<fs::path> pending = SelectOneOfThem(dir_ / "a.ASC");
  ASSERT_EQ(pending.size(), 3U);
  // Selecting wrote nothing: "Cancel" leaves every file as it was.
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a.ASC", "b.asc", "c.ASC", "d.ASC"}));

  // The list holds full paths: a later current directory does not matter.
  const fs::path start = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  Progress progress;
  std::vector<std::string> loaded;
  ProcessPendingFiles(pending, progress, [&](std::string_view bytes) { loaded.emplace_back(bytes); });
  fs::current_path(start);

  EXPECT_EQ(progress.cleaned, pending);
  EXPECT_TRUE(progress.skipped.empty());
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a.ASC", "a.bak", "b.asc", "b.bak", "c.ASC", "c.bak", "d.ASC"}));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir_ / "a.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/lf_no_irrelevant.cleaned", Slurp(dir_ / "b.asc")));
  EXPECT_TRUE(MatchesGolden("nir/nul.cleaned", Slurp(dir_ / "c.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir_ / "a.bak")));
  EXPECT_TRUE(MatchesGolden("nir/lf_no_irrelevant.ASC", Slurp(dir_ / "b.bak")));
  EXPECT_TRUE(MatchesGolden("nir/nul.ASC", Slurp(dir_ / "c.bak")));
  EXPECT_TRUE(MatchesGolden("nir/unmarked.ASC", Slurp(dir_ / "d.ASC")));
  ASSERT_EQ(loaded.size(), 3U);
  EXPECT_EQ(loaded.back(), Original("nul.ASC"));  // as loaded before processing
  EXPECT_EQ(ProcessingSummary(pending.size(), progress, ""),
            "Files cleaned: 3, skipped: 0, failed: 0.\n"
            "c.ASC, line 4: a NUL byte ends the text here; the remaining 20 bytes of the file are not read; the "
            "cleaned file ends there, c.bak keeps them");

  // Once cleaned, the next run finds every backup in place and skips all.
  Progress again;
  ProcessPendingFiles(pending, again);
  EXPECT_EQ(again.skipped, pending);
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir_ / "a.bak")));
}

TEST_F(NirFolderTest, AnExistingBackupOfAnyKindSkipsThatFileOnly) {
  for (const char* name : {"a.ASC", "b.ASC", "c.ASC", "d.ASC"}) Copy("sample_a.ASC", name);
  test::TempDir elsewhere;
  const fs::path oldBackup = dir_.Write("a.bak", "old backup\r\n");
  fs::create_directory(dir_ / "c.bak");
  fs::create_symlink(elsewhere / "missing", dir_ / "d.bak");  // dangling
  const std::vector<fs::path> pending = SelectOneOfThem(dir_ / "a.ASC");
  Progress progress;
  ProcessPendingFiles(pending, progress);

  EXPECT_EQ(progress.cleaned, (std::vector<fs::path>{dir_ / "b.ASC"}));
  EXPECT_EQ(progress.skipped, (std::vector<fs::path>{dir_ / "a.ASC", dir_ / "c.ASC", dir_ / "d.ASC"}));
  for (const char* name : {"a.ASC", "c.ASC", "d.ASC"})
    EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir_ / name)));
  EXPECT_EQ(Slurp(oldBackup), "old backup\r\n");
  EXPECT_TRUE(fs::is_directory(dir_ / "c.bak"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "d.bak"));
  EXPECT_FALSE(fs::exists(elsewhere / "missing"));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir_ / "b.ASC")));
  EXPECT_EQ(ProcessingSummary(pending.size(), progress, ""),
            "Files cleaned: 1, skipped: 3, failed: 0.\n"
            "Skipped a.ASC: backup a.bak exists\n"
            "Skipped c.ASC: backup c.bak exists\n"
            "Skipped d.ASC: backup d.bak exists");
}

// Every way a step can fail, on every path the writer can take: the file
// that fails keeps its content under its own name or, when even the way back
// fails, under its backup name; no temporary file is left; files before it
// stay cleaned, files after it untouched.
TEST_F(NirFolderTest, AFailureBetweenTheStepsLosesNothing) {
  const struct {
    const char* name;
    Step failAt;
    bool alsoRestore;
    const char* message;  // with @ for the failing file and # for its backup
  } cases[] = {
      {"temporary file", Step::kStage, false,
       "Cannot write the new content of '@': Disk quota exceeded; '@' is left as it was"},
      {"backup rename", Step::kBackup, false, "Cannot rename '@' to '#': Disk quota exceeded; '@' is left as it was"},
      {"placing the new file", Step::kPlace, false, "Cannot write '@': Disk quota exceeded; '@' is left as it was"},
      {"placing and the way back", Step::kPlace, true,
       "Cannot write '@': Disk quota exceeded; its content is kept as '#' (renaming it back failed: Disk quota "
       "exceeded)"},
  };
  for (const auto& c : cases) {
    for (const bool noUnnamed : {false, true}) {
      for (const bool noFlags : {false, true}) {
        SCOPED_TRACE(std::string(c.name) + (noUnnamed ? ", named temporary" : "") + (noFlags ? ", link" : ""));
        test::TempDir dir;
        for (const char* name : {"a.ASC", "b.ASC", "c.ASC"})
          fs::copy_file(test::DataPath("nir/sample_a.ASC"), dir / name);
        const std::vector<fs::path> pending = SelectOneOfThem(dir / "a.ASC");
        Faults faults{.noUnnamedTemporary = noUnnamed, .noRenameFlags = noFlags};
        int calls = 0;
        faults.fail = [&](Step step) {
          // Only the second file fails.
          if (step == Step::kStage) ++calls;
          return calls == 2 && (step == c.failAt || (c.alsoRestore && step == Step::kRestore)) ? EDQUOT : 0;
        };
        Progress progress;
        std::string message = c.message;
        for (std::size_t at; (at = message.find('@')) != std::string::npos;)
          message.replace(at, 1, (dir / "b.ASC").string());
        for (std::size_t at; (at = message.find('#')) != std::string::npos;)
          message.replace(at, 1, (dir / "b.bak").string());
        EXPECT_THROW_MSG(ProcessPendingFiles(pending, progress, {}, &faults), FileError, message);

        EXPECT_EQ(progress.cleaned, (std::vector<fs::path>{dir / "a.ASC"}));
        EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir / "a.ASC")));
        EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir / "a.bak")));
        EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir / (c.alsoRestore ? "b.bak" : "b.ASC"))));
        EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir / "c.ASC")));
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"a.ASC", "a.bak", c.alsoRestore ? "b.bak" : "b.ASC", "c.ASC"}));
        EXPECT_EQ(ProcessingSummary(pending.size(), progress, message),
                  "Files cleaned: 1, skipped: 0, failed: 1, not processed: 1.\nFailed: " + message);
      }
    }
  }
}

TEST_F(NirFolderTest, TheFallbackPathsCleanAsWell) {
  for (const bool noUnnamed : {false, true}) {
    for (const bool noFlags : {false, true}) {
      test::TempDir dir;
      fs::copy_file(test::DataPath("nir/sample_a.ASC"), dir / "a.ASC");
      dir.Write("b.bak", "kept");
      fs::copy_file(test::DataPath("nir/sample_a.ASC"), dir / "b.ASC");
      const Faults faults{.noUnnamedTemporary = noUnnamed, .noRenameFlags = noFlags};
      Progress progress;
      const std::vector<fs::path> files{dir / "a.ASC", dir / "b.ASC"};
      ProcessPendingFiles(files, progress, {}, &faults);
      EXPECT_EQ(progress.cleaned, (std::vector<fs::path>{dir / "a.ASC"}));
      EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir / "a.ASC")));
      EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir / "a.bak")));
      EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir / "b.ASC")));
      EXPECT_EQ(Slurp(dir / "b.bak"), "kept");
      EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 4);
    }
  }
}

// A backup that appears between the check and the rename is not replaced.
TEST_F(NirFolderTest, ABackupThatAppearsLateIsNotReplaced) {
  for (const bool noFlags : {false, true}) {
    test::TempDir dir;
    const fs::path file = dir / "a.ASC";
    fs::copy_file(test::DataPath("nir/sample_a.ASC"), file);
    Faults faults{.noRenameFlags = noFlags};
    faults.fail = [&](Step step) {
      if (step == Step::kBackup) dir.Write("a.bak", "someone else's");
      return 0;
    };
    EXPECT_EQ(ReplaceKeepingBackup(file, BackupPath(file), "new", &faults), Replaced::kBackupExists);
    EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(file)));
    EXPECT_EQ(Slurp(dir / "a.bak"), "someone else's");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
  }
}

// Sets or clears the immutable flag, which binds even the superuser.
bool SetImmutable(const fs::path& folder, bool on) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(fd);
  return done;
}

TEST_F(NirFolderTest, AReadOnlyFolderStopsBeforeAnythingChanges) {
  Copy("sample_a.ASC", "a.ASC");
  const std::vector<fs::path> pending = SelectOneOfThem(dir_ / "a.ASC");
  fs::permissions(dir_.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  std::string reason = "Permission denied";
  const bool immutable = ::access(dir_.Path().c_str(), W_OK) == 0 && SetImmutable(dir_.Path(), true);
  if (immutable) reason = "Operation not permitted";
  if (!immutable && ::access(dir_.Path().c_str(), W_OK) == 0) GTEST_SKIP() << "no way to make a folder read-only";
  Progress progress;
  const std::string file = (dir_ / "a.ASC").string();
  EXPECT_THROW_MSG(ProcessPendingFiles(pending, progress), FileError,
                   "Cannot create a file beside '" + file + "': " + reason + "; '" + file + "' is left as it was");
  if (immutable) SetImmutable(dir_.Path(), false);
  fs::permissions(dir_.Path(), fs::perms::owner_all);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a.ASC"}));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir_ / "a.ASC")));
}

TEST_F(NirFolderTest, TheCleanedFileKeepsItsPermissionsAndAProtectedFileStops) {
  for (const char* name : {"a.ASC", "b.ASC", "c.ASC"}) Copy("sample_a.ASC", name);
  fs::permissions(dir_ / "a.ASC", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::permissions(dir_ / "b.ASC", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::vector<fs::path> pending = SelectOneOfThem(dir_ / "a.ASC");
  Progress progress;
  const std::string b = (dir_ / "b.ASC").string();
  EXPECT_THROW_MSG(ProcessPendingFiles(pending, progress), FileError,
                   "Cannot clean '" + b + "': it is write-protected; '" + b + "' is left as it was");
  EXPECT_EQ(progress.cleaned, (std::vector<fs::path>{dir_ / "a.ASC"}));
  EXPECT_EQ(fs::status(dir_ / "a.ASC").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir_ / "a.ASC")));
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a.ASC", "a.bak", "b.ASC", "c.ASC"}));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(dir_ / "b.ASC")));
}

// A link is what the folder holds: the link becomes the backup, and the file
// it points to is never written.
TEST_F(NirFolderTest, ALinkedFileIsReplacedByItsCleanedCopyAndItsTargetKept) {
  test::TempDir elsewhere;
  fs::copy_file(test::DataPath("nir/sample_a.ASC"), elsewhere / "real.ASC");
  fs::create_symlink(elsewhere / "real.ASC", dir_ / "l.ASC");
  Progress progress;
  ProcessPendingFiles(SelectOneOfThem(dir_ / "l.ASC"), progress);
  EXPECT_EQ(progress.cleaned, (std::vector<fs::path>{dir_ / "l.ASC"}));
  EXPECT_FALSE(fs::is_symlink(dir_ / "l.ASC"));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(dir_ / "l.ASC")));
  EXPECT_EQ(fs::read_symlink(dir_ / "l.bak"), elsewhere / "real.ASC");
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(elsewhere / "real.ASC")));
}

TEST_F(NirFolderTest, PlanTellsWhatProcessingWouldDo) {
  Copy("sample_a.ASC", "a.ASC");
  Copy("lf_no_irrelevant.ASC", "b.ASC");
  dir_.Write("b.bak", "");
  const Plan a = PlanFor(dir_ / "a.ASC");
  EXPECT_EQ(a.backup, dir_ / "a.bak");
  EXPECT_FALSE(a.backupExists);
  EXPECT_EQ(a.removedLines, 2);
  EXPECT_EQ(a.warning, "");
  Copy("nul.ASC", "c.ASC");
  EXPECT_EQ(PlanFor(dir_ / "c.ASC").warning,
            "c.ASC, line 4: a NUL byte ends the text here; the remaining 20 bytes of the file are not read");
  EXPECT_TRUE(PlanFor(dir_ / "b.ASC").backupExists);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a.ASC", "b.ASC", "b.bak", "c.ASC"}));
}

}  // namespace
}  // namespace specbridge::nir
