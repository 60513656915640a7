// specbridge-cli nir-clean: the dry run, OK, Cancel, skipped files, and the
// runs that find nothing to do; every file of the folder checked afterwards.
#include "cli/replay_cases.hpp"

namespace specbridge::test {
namespace {

// Three files to clean (one cut by a NUL), one without a relevant line and
// one without the header mark.
const std::vector<std::string> kFolder = {"nir/sample_a.ASC", "nir/lf_no_irrelevant.ASC", "nir/nul.ASC",
                                          "nir/only_irrelevant.ASC", "nir/unmarked.ASC"};
const std::string kConfirm = "There are 3 Files to be Processed with this!\n";
const std::string kNulCut =
    "nul.ASC, line 4: a NUL byte ends the text here; the remaining 20 bytes of the file are not read";

std::vector<std::string> With(std::vector<std::string> list, const std::vector<std::string>& more) {
  list.insert(list.end(), more.begin(), more.end());
  return list;
}

class NirCleanCommand : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(NirCleanCommand, Runs) { CheckReplay(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, NirCleanCommand,
    ::testing::Values(
        ReplayCase{"DryRun",
                   kFolder,
                   {"nir-clean", "@D@/sample_a.ASC", "--dry-run"},
                   0,
                   "lf_no_irrelevant.ASC -> lf_no_irrelevant.bak (0 lines removed)\n"
                   "nul.ASC -> nul.bak (1 lines removed)\n"
                   "sample_a.ASC -> sample_a.bak (2 lines removed)\n",
                   kConfirm + kNulCut + "\n",
                   {}},
        ReplayCase{"Yes",
                   kFolder,
                   {"nir-clean", "@D@/sample_a.ASC", "--yes"},
                   0,
                   "",
                   kConfirm + "Files cleaned: 3, skipped: 0, failed: 0.\n" + kNulCut +
                       "; the cleaned file ends there, nul.bak keeps them\n",
                   {{"sample_a.ASC", "nir/sample_a.cleaned"},
                    {"sample_a.bak", "nir/sample_a.ASC"},
                    {"lf_no_irrelevant.ASC", "nir/lf_no_irrelevant.cleaned"},
                    {"lf_no_irrelevant.bak", "nir/lf_no_irrelevant.ASC"},
                    {"nul.ASC", "nir/nul.cleaned"},
                    {"nul.bak", "nir/nul.ASC"}}},
        ReplayCase{"No",
                   kFolder,
                   {"nir-clean", "@D@/sample_a.ASC", "--no"},
                   1,
                   "",
                   kConfirm + "Cancelled: nothing was processed\n",
                   {}},
        // The chosen file, unmarked, is not processed itself; the file whose
        // backup name is taken keeps both, and the run fails after the rest.
        ReplayCase{"SkippedFile",
                   With(kFolder, {"nir/unmarked.ASC>sample_a.bak"}),
                   {"nir-clean", "@D@/unmarked.ASC", "--yes"},
                   1,
                   "",
                   kConfirm +
                       "Files cleaned: 2, skipped: 1, failed: 0.\nSkipped sample_a.ASC: backup sample_a.bak exists\n" +
                       kNulCut + "; the cleaned file ends there, nul.bak keeps them\n",
                   {{"lf_no_irrelevant.ASC", "nir/lf_no_irrelevant.cleaned"},
                    {"lf_no_irrelevant.bak", "nir/lf_no_irrelevant.ASC"},
                    {"nul.ASC", "nir/nul.cleaned"},
                    {"nul.bak", "nir/nul.ASC"}}},
        ReplayCase{"DryRunOfASkippedFile",
                   {"nir/sample_a.ASC", "nir/unmarked.ASC>sample_a.bak"},
                   {"nir-clean", "@D@", "--dry-run"},
                   1,
                   "sample_a.ASC: backup sample_a.bak exists\n",
                   "There are 1 Files to be Processed with this!\nFiles whose backup name exists would be skipped\n",
                   {}},
        // A folder: its own extension, matched in any letter case.
        ReplayCase{"FolderAndExtension",
                   {"nir/sample_a.ASC>x.dat", "nir/sample_a.ASC>y.DAT", "nir/sample_a.ASC"},
                   {"nir-clean", "@D@", "--ext", "dat", "--yes"},
                   0,
                   "",
                   "There are 2 Files to be Processed with this!\nFiles cleaned: 2, skipped: 0, failed: 0.\n",
                   {{"x.dat", "nir/sample_a.cleaned"},
                    {"x.bak", "nir/sample_a.ASC"},
                    {"y.DAT", "nir/sample_a.cleaned"},
                    {"y.bak", "nir/sample_a.ASC"}}},
        ReplayCase{"NothingFound",
                   kFolder,
                   {"nir-clean", "@D@", "--ext", ".txt", "--yes"},
                   1,
                   "",
                   "No file to be processed was found: nothing was processed\n",
                   {}},
        ReplayCase{"ChosenWithoutRelevantLine",
                   kFolder,
                   {"nir-clean", "@D@/only_irrelevant.ASC", "--yes"},
                   1,
                   "",
                   "'@D@/only_irrelevant.ASC' has no relevant line: nothing was processed\n",
                   {}},
        ReplayCase{"ChosenBackup",
                   {"nir/sample_a.ASC", "nir/unmarked.ASC>sample_a.bak"},
                   {"nir-clean", "@D@/sample_a.bak", "--yes"},
                   1,
                   "",
                   "'@D@/sample_a.bak': the extension '.bak' ends in \"bak\", the ending of the backups this tool "
                   "makes\n",
                   {}},
        ReplayCase{"ExtensionWithAFile",
                   kFolder,
                   {"nir-clean", "@D@/sample_a.ASC", "--ext", ".ASC", "--yes"},
                   2,
                   "",
                   "--ext: goes with a folder only, not with a chosen file\nRun with --help for more information.\n",
                   {}},
        ReplayCase{"YesAndDryRun",
                   kFolder,
                   {"nir-clean", "@D@", "--yes", "--dry-run"},
                   2,
                   "",
                   "--yes excludes --dry-run\nRun with --help for more information.\n",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace specbridge::test
