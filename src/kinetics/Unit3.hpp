#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "common/dialogs.hpp"
#include "common/directory_memory.hpp"
#include "common/file_chooser.hpp"
#include "kinetics/converter.hpp"
#include "kinetics/views.hpp"

class QSpinBox;
class QTableView;

namespace specbridge {
class SpeciesPlot;
}

namespace specbridge::kinetics {

class TForm4;
class TForm5;
class TForm6;

// StringGrid1: the kinetic data grid as the window shows it, cell by cell on
// demand, so a grid of 500 x 601 cells opens at once.
class KineticGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  KineticGridModel(const KineticGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // After any handler: the grid may have a new size and new cells.
  void Refresh();

 private:
  const KineticGrid* grid_;
};

// The kinetic-trace converter: opens a time-resolved series in one of five
// layouts, builds the time axis, selects wavelengths and time rows, and
// writes the SPECFIT 2D-format file for kinetics (X/Z mode 2, model 4).
class TForm3 : public QMainWindow {
  Q_OBJECT

 public:
  TForm3(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TForm3() override;

  // Menus.
  void Open1Click();
  void Save1Click();
  void Exit1Click();
  void Commentsetc1Click();
  void KineticTrace1Click();
  void SpectralFeatures1Click();
  // Controls.
  void Apply1Click();
  void nmlowExit();
  void nmhighExit();
  void SpinEditChange(const char* name, int value);

  KineticConverter& Converter() { return converter_; }
  TForm4& CommentsDialog() { return *form4_; }
  TForm5& TraceWindow() { return *form5_; }
  TForm6& SpectraWindow() { return *form6_; }

  // Runs a handler of this window or of a view: the typed texts of all four
  // windows into the converter and the views, the handler, then every
  // control, the grid and the pictures back, also after a failure (what the
  // handler did before it stays).
  void RunHandler(const std::function<void()>& body);

 private:
  QWidget* BuildControls();
  QSpinBox* AddSpin(const char* name, QWidget* parent);
  // Every handler: the typed texts into the converter, the handler, then
  // every control and the grid from the converter, also after a failure
  // (what the handler did before it stays).
  template <class Body>
  void Run(Body&& body) {
    RunHandler(body);
  }
  void ReadBoxes();
  void ShowControls();

  Dialogs& dialogs_;
  // The window's own copy of the working directory: its dialogs write
  // "dirinf" and the current directory but leave the shared one alone.
  DirectoryMemory kineticDirectory_;
  FileChooser files_;
  std::vector<std::filesystem::path> inputs_;

  KineticConverter converter_;
  KineticViews views_{converter_};
  TForm4* form4_ = nullptr;
  // Windows of their own, not children: their boxes share names with this one's.
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm6> form6_;
  KineticGridModel* model_ = nullptr;
  QTableView* StringGrid1_ = nullptr;
  SpeciesPlot* species_ = nullptr;  // of what "Save_SPECFIT_File" would write
};

}  // namespace specbridge::kinetics
