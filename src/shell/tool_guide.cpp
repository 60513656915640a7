#include "shell/tool_guide.hpp"

#include <QtGlobal>

#include "shell/Unit1.hpp"

namespace specbridge::shell {
namespace {

struct Purpose {
  std::string_view item;
  const char* text;
};

// By menu item name, so the tool table keeps one line per item.
constexpr Purpose kPurposes[] = {
    {"TitrationExperiments1", "A numbered series of titration spectra to a SPECFIT 2D-format file"},
    {"KineticTraces1", "Kinetic traces of a stopped-flow or diode-array run to a SPECFIT kinetics file"},
    {"KineticTracesSimpler1", "One kinetics file, thinned, to a SPECFIT kinetics file"},
    {"ConvertingEpsironData1", "Epsilon data (*a.dem) to a tab-separated table"},
    {"Generating1", "Epsilon data (*a.dem) to a SPECFIT .fix file"},
    {"GeneratingFIXfilesforSPECFITfromMultispecascfiles1",
     "A MultiSpec spectrum to a .fix file, one row per wavelength"},
    {"GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21",
     "A MultiSpec spectrum to a .fix file, wavelengths in columns"},
    {"GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1",
     "A UVProbe ASCII spectrum to a .fix file"},
    {"ConvertingASCIIFilesfromMultispec1500into2DTabSheets1", "Many spectra side by side in one tab sheet"},
    {"CorrectingtheSensitivityofDetectorUsingWLampDataforRF5300PC1",
     "Emission spectra corrected for the detector's sensitivity with a tungsten-lamp spectrum"},
    {"RemovingIrrelevantLinesintheNIRregionforShimadzuUV3150K1",
     "Removes the detector-change lines from every marked file of a folder, keeping backups"},
    {"Read2DsheetwithTabsandResavepartially1", "Saves a tab sheet without the rows and columns you mark"},
    {"MultipurposeToolfor2DSheetDataSimpleMath1", "Tab and blank conversions and column arithmetic of sheets"},
    {"Inspect1", "Says which readers accept the chosen files and as which layout, and why the others refuse them"},
};

}  // namespace

QString ToolPurpose(std::string_view itemName) {
  for (const Purpose& purpose : kPurposes) {
    if (purpose.item == itemName) return QString::fromUtf8(purpose.text);
  }
  return {};
}

QString WelcomeText(std::span<const ToolRow> tools) {
  QString html = QStringLiteral(
      "<h2>specbridge</h2>"
      "<p>Converts the text exports of spectrophotometers and fluorimeters into SPECFIT input files "
      "and spectral sheets.</p>");
  for (const Menu menu : {Menu::kFile, Menu::kTools}) {
    html += menu == Menu::kFile ? QStringLiteral("<h3>File</h3><ul>") : QStringLiteral("<h3>Tools</h3><ul>");
    for (const ToolRow& row : tools) {
      if (row.menu != menu) continue;
      const bool built = row.make != nullptr || row.run != nullptr;
      html += QStringLiteral("<li><b>%1</b> — %2%3</li>")
                  .arg(QString::fromUtf8(row.caption).trimmed().toHtmlEscaped(), ToolPurpose(row.name).toHtmlEscaped(),
                       built ? QString() : QStringLiteral(" (not yet built)"));
    }
    html += QStringLiteral("</ul>");
  }
  html += QStringLiteral("<p>Every conversion also runs without a window: <code>specbridge-cli --help</code>.</p>");
  return html;
}

QString AboutText() {
  return QStringLiteral(
             "<h3>specbridge %1</h3>"
             "<p>Spectrophotometric titration and kinetics data to SPECFIT input files (%2).</p>"
             "<p>Licence: MIT.</p>"
             "<p>Built with Qt %3, running on Qt %4.</p>")
      .arg(QStringLiteral(SPECBRIDGE_VERSION), QStringLiteral(SPECBRIDGE_RELEASE_MONTH), QStringLiteral(QT_VERSION_STR),
           QString::fromUtf8(qVersion()));
}

}  // namespace specbridge::shell
