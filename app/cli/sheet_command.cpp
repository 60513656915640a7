// specbridge-cli sheet: a session of the spectral sheet window replayed:
// File -> Open, double-clicks on the directory list and on the working list,
// the up/down button, File -> Close and File -> Save, in command-line order.
#include "cli/commands.hpp"
#include "cli/list_command.hpp"
#include "sheets/spectrum_set.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using sheets::SpectrumSet;

class SheetCommand : public ListCommand<SpectrumSet> {
 public:
  explicit SheetCommand(CLI::App& parent)
      : ListCommand(parent, "sheet",
                    "Single spectra (##TITLE or comma-column files) side by side in a tab-separated sheet", true) {
    Example("specbridge-cli sheet dye01.ASC dye02.ASC dye03.ASC --down 0 -o dyes.txt");
  }

 private:
  bool ReadSlot(Session& session, SpectrumSet& set, const fs::path& path, int k, bool added) override {
    return sheets::ReadSpectrumBytes(set, session.Read(path), path.filename().string(), k, added, session.Warnings());
  }
  // "*.ins", then "*.ASC" after an ASC file.
  std::vector<std::string> DirectoryRows(const fs::path& directory, const fs::path& chosen) const override {
    return sheets::SheetDirectoryList(directory, chosen);
  }
  const char* Layouts() const override { return "a \"##TITLE\" or comma-column spectrum file"; }

  void Save(Session& session, const fs::path& out) override {
    SpectrumSet& set = Data();
    if (set.SpectrumCount <= 0) {
      session.Fail("Save did nothing: the working list is empty; " + out.string() + " was not written");
      return;
    }
    set.SheetPath = out;
    session.Save(out, sheets::WriteTabSheet(set));
  }
};

}  // namespace

void AddSheetCommand(CLI::App& app, Context& context) { AttachCommand<SheetCommand>(app, context); }

}  // namespace specbridge::cli
