#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/plot.hpp"

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace specbridge {

// The controls that the spectrum windows (the sheet converter and the
// emission correction) share: the directory list StringGrid2, the working
// list StringGrid1 under "Working Files", the up/down button SpinButton1 with
// its labels, the hidden row selections SpinEdit1 and SpinEdit2, and the plot
// Image1 in its black panel with the range boxes Edit1 to Edit4, which only
// display.
class SpectrumLists : public QWidget {
  Q_OBJECT

 public:
  SpectrumLists(QSize plotSize, QWidget* parent);

  // The selected rows (SpinEdit2, SpinEdit1) and the selected directory entry.
  int DirectoryRow() const;
  int WorkingRow() const;
  QString DirectoryEntry() const;

  // The directory list's rows; no names keep the rows it had.
  void ShowDirectory(const std::vector<std::string>& names);
  // The working list's rows; the selection stays where it can.
  void ShowWorking(const std::vector<std::string>& names);
  void SelectWorking(int row);

  void Paint(const PlotScene& scene);
  // Edit1 to Edit4: xmin, xmax, ymin, ymax.
  void ShowRange(const std::array<std::string, 4>& texts);
  const QImage& Picture() const { return picture_; }

 signals:
  void DirectoryDoubleClicked();
  void WorkingDoubleClicked();
  void UpClicked();
  void DownClicked();

 private:
  QWidget* BuildLists();
  QTableWidget* AddGrid(const char* name, QWidget* parent);

  QImage picture_;
  QTableWidget* StringGrid1_ = nullptr;
  QTableWidget* StringGrid2_ = nullptr;
  QSpinBox* SpinEdit1_ = nullptr;
  QSpinBox* SpinEdit2_ = nullptr;
  QLabel* Image1_ = nullptr;
  std::array<QLineEdit*, 4> Edit_{};
};

}  // namespace specbridge
