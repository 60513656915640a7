// specbridge-cli emission: a session of the emission-correction window
// replayed: the list actions of the sheet window, then the lamp factor
// (Read_WData, Generate_WFactor, Save_WFactor) and the correction
// (Select_WFactor, Apply_Correction, Save_Corrected), in command-line order.
#include "cli/commands.hpp"
#include "cli/list_command.hpp"
#include "common/errors.hpp"
#include "emission/emission_set.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using emission::EmissionSet;

class EmissionCommand : public ListCommand<EmissionSet> {
 public:
  explicit EmissionCommand(CLI::App& parent)
      : ListCommand(parent, "emission",
                    "Emission spectra corrected for the detector's sensitivity by a tungsten-lamp factor", false) {
    Example(
        "specbridge-cli emission --read-wdata wlamp.txt --generate --save-wfactor lamp.wfc --select lamp.wfc "
        "--open em_a.txt --add em_b.txt --apply --save-corrected cor.txt -o all.txt");
    Action(
        "--read-wdata", "Wfactor -> Read_WData: Open FILE as the lamp spectrum (\"\" = cancelled)",
        [this](Session& session, const std::string& file) {
          Open(session, file);
          // Even after a cancelled dialog the grid shows the last working
          // spectrum; its factor column stays as it was.
          emission::ShowLampData(Data(), grid_);
        },
        "FILE");
    FlagAction("--generate,--generate-wfactor", "Wfactor -> Generate_WFactor",
               [this](Session&) { emission::GenerateWFactor(Data(), grid_); });
    Action(
        "--save-wfactor", "Wfactor -> Save_WFactor: working spectrum 2 as a .wfc file",
        [this](Session& session, const std::string& out) { SaveWFactor(session, out); }, "OUT");
    Action(
        "--select,--select-wfactor",
        "Correct_Emission -> Select_WFactor (\"\" = cancelled; a .wfc saved earlier in the run reads its pending "
        "bytes)",
        [this](Session& session, const std::string& file) { SelectWFactor(session, file); }, "FILE");
    FlagAction("--apply,--apply-correction", "Correct_Emission -> Apply_Correction",
               [this](Session& session) { emission::ApplyCorrection(Data(), session.Warnings()); });
    Action(
        "--save-corrected", "Correct_Emission -> Save_Corrected: the copies of the last correction",
        [this](Session& session, const std::string& out) { SaveCorrected(session, out); }, "OUT");
  }

 private:
  bool ReadSlot(Session& session, EmissionSet& set, const fs::path& path, int k, bool added) override {
    return emission::ReadEmissionBytes(set, session.Read(path), path.filename().string(), k, added, session.Warnings());
  }
  // Every entry of the directory.
  std::vector<std::string> DirectoryRows(const fs::path& directory, const fs::path&) const override {
    return sheets::ListDirectory(directory, {""}, true);
  }
  const char* Layouts() const override { return "a \"##TITLE\", comma-column or tab-column spectrum file"; }

  void Save(Session& session, const fs::path& out) override {
    EmissionSet& set = Data();
    if (set.SpectrumCount <= 0) {
      session.Fail("Save did nothing: the working list is empty; " + out.string() + " was not written");
      return;
    }
    set.SheetPath = out;
    session.Save(out, emission::WriteGroupedSheet(set, 1, set.SpectrumCount));
  }

  // Writing nothing does not end the run, but fails it.
  void SaveWFactor(Session& session, const fs::path& out) {
    std::string text;
    try {
      text = emission::WFactorText(Data());
    } catch (const FileError& nothing) {
      session.Fail(nothing.Message() + "; " + out.string() + " was not written");
      return;
    }
    session.Save(out, std::move(text));
    Data().Path(2) = out;
  }

  void SelectWFactor(Session& session, const std::string& file) {
    if (file.empty()) return;
    const fs::path path = fs::absolute(file);
    emission::SelectWFactorBytes(Data(), session.Read(path), path, grid_, session.Warnings());
  }

  void SaveCorrected(Session& session, const fs::path& out) {
    std::string text;
    try {
      text = emission::CorrectedSheet(Data());
    } catch (const FileError& nothing) {
      session.Fail(nothing.Message() + "; " + out.string() + " was not written");
      return;
    }
    Data().SheetPath = out;
    session.Save(out, std::move(text));
  }

  emission::LampGrid grid_;
};

}  // namespace

void AddEmissionCommand(CLI::App& app, Context& context) { AttachCommand<EmissionCommand>(app, context); }

}  // namespace specbridge::cli
