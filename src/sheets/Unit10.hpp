#pragma once

#include <QImage>
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"
#include "sheets/spectrum_plot.hpp"
#include "sheets/spectrum_set.hpp"
#include "sheets/working_list.hpp"

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace specbridge::sheets {

// The spectral sheet converter: single spectra gathered from the working
// directory into a working list, reordered, plotted and saved side by side
// as a tab-separated sheet.
class TForm10 : public QMainWindow {
  Q_OBJECT

 public:
  TForm10(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Open1Click();
  void Close1Click();
  void Save1Click();
  void Exit1Click();
  // The two lists and the up/down button.
  void StringGrid2DblClick();
  void StringGrid1DblClick();
  void SpinButton1UpClick();
  void SpinButton1DownClick();

  const SpectrumSet& Set() const { return *set_; }
  const QImage& Picture() const { return picture_; }

 protected:
  // Spectrum files dropped on the window are added as by double-click.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* BuildLists();
  QWidget* BuildPlotPanel();
  QTableWidget* AddGrid(const char* name, QWidget* parent);
  void RefleshFile();
  void RefleshWorkFile();
  void DrawSpec();
  void Paint(const PlotScene& scene);
  // ReadSpectrumFile on the file at `path`; NUL warnings go to a message box.
  std::function<bool(SpectrumSet&, int, bool)> FileRead(const std::filesystem::path& path);
  std::vector<std::filesystem::path> WorkingPaths() const;

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1, SaveDialog1: no filter
  std::unique_ptr<SpectrumSet> set_;
  DirectoryList directoryList_;
  std::filesystem::path workingDirectory_;
  PlotRange lastData_;  // the data rectangle of the last drawing
  QImage picture_;
  QTableWidget* StringGrid1_ = nullptr;
  QTableWidget* StringGrid2_ = nullptr;
  QSpinBox* SpinEdit1_ = nullptr;
  QSpinBox* SpinEdit2_ = nullptr;
  QLabel* Image1_ = nullptr;
  QLineEdit* Edit_[4] = {};
};

}  // namespace specbridge::sheets
