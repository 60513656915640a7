#pragma once

#include <QImage>
#include <QMainWindow>
#include <vector>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"
#include "titration/titration.hpp"

class QCheckBox;
class QLineEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace specbridge {
class SpeciesPlot;
}

namespace specbridge::titration {

// The titration window: opens a numbered series, calculates the
// concentrations, writes the SPECFIT 2D-format file and the kinetics export,
// and plots the spectra.
class TForm2 : public QMainWindow {
  Q_OBJECT

 public:
  TForm2(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Open1Click();
  // Open without the dialog: the file chosen, or one dropped on the window.
  void OpenFile(const std::filesystem::path& chosen);
  void Button1Click();  // "Calculate"
  void Save1Click();
  void SaveAsKineticsforTorvelMelquist20031Click();
  void Quit1Click();
  // "Edit"
  void ReDraw1Click();
  void ViewFileBuffer1Click();
  // Range boxes, on losing the focus.
  void Edit1Exit();
  void Edit2Exit();
  void Edit3Exit();
  void Edit4Exit();
  void Edit6Exit();
  void CheckBox1Click();

  const TitrationSeries& Series() const { return series_; }
  const QImage& Picture() const { return picture_; }

 protected:
  // A series file dropped on the window opens as if chosen in "Open".
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* BuildPlotPanel();
  QWidget* BuildBoxes();
  QLineEdit* AddBox(const char* name, int width = 80);
  void AcceptRangeBox(QLineEdit* box, bool (*accept)(TitrationSeries&, std::string&));
  void SyncBoxesFromWidgets();
  void ShowBoxes();
  void ShowGrid();
  void ShowLineBuffer();
  void Paint(const PlotScene& scene);
  // The singular values of what "Save" would write.
  void ShowSpecies();
  std::vector<std::filesystem::path> Inputs() const;
  // The texts of the boxes "Calculate" reads, and the spectra it counts.
  std::vector<std::string> CalculateInputs() const;

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1 ("*.ASC"), SaveDialog1
  // The files the last "Open" read, and the times file: never replaced by a save.
  std::vector<std::filesystem::path> inputs_;
  std::filesystem::path timesFile_;

  TitrationSeries series_;
  BoxTexts boxes_ = DefaultBoxes();
  ConcentrationGrid grid_;
  std::vector<std::string> calculatedFrom_;  // CalculateInputs() of the grid
  std::vector<std::string> lineBuffer_;
  std::vector<int> timeList_;

  QImage picture_;
  QLabel* Image1_ = nullptr;
  QTableWidget* StringGrid1_ = nullptr;
  QTableWidget* StringGrid2_ = nullptr;
  QSpinBox* SpinEdit1_ = nullptr;
  QCheckBox* CheckBox1_ = nullptr;
  QLineEdit* SaveFile_ = nullptr;  // a path, shown as the file system spells it
  QLineEdit* Edit11_ = nullptr;    // the times file
  SpeciesPlot* species_ = nullptr;
};

}  // namespace specbridge::titration
