#pragma once

// What the spectrum windows (the sheet converter TForm10 and the emission
// correction TForm16) do alike: the directory list, the working list with
// its double-clicks and up/down button, the plot, "Close", "Quit" and files
// dropped on the window, over any set that the shared working list and
// DrawSpec accept.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"
#include "gui/QtDrop.hpp"
#include "gui/QtSpectrumLists.hpp"
#include "gui/QtText.hpp"
#include "sheets/spectrum_plot.hpp"
#include "sheets/working_list.hpp"

namespace specbridge::sheets {

template <class SetType>
class SpectrumWindow : public QMainWindow {
 public:
  // The two lists and the up/down button.
  void StringGrid2DblClick();
  void StringGrid1DblClick();
  void SpinButton1UpClick();
  void SpinButton1DownClick();
  // "File": Open and Save are the window's own.
  virtual void Open1Click() = 0;
  void Close1Click();
  virtual void Save1Click() = 0;
  void Exit1Click() { hide(); }

  const SetType& Set() const { return *set_; }
  const QImage& Picture() const { return lists_->Picture(); }

 protected:
  // Reads a file into slot k (`added` for a file added to the list): true
  // when accepted, false when refused; a failure throws before anything is
  // stored.
  using Reader = std::function<bool(SetType&, int, bool)>;

  SpectrumWindow(const char* name, const QString& title, DirectoryMemory& directories, Dialogs& dialogs,
                 QWidget* parent);

  virtual Reader FileRead(const std::filesystem::path& path) = 0;
  // A menu item whose handler runs as one command.
  QAction* AddCommand(QMenu* menu, const char* caption, const char* name, std::function<void()> handler);
  // "Open" after its dialog chose `chosen`: the directory list shows
  // `directoryRows` (even when the file is refused), then the file starts a
  // new set.
  void OpenChosen(const std::filesystem::path& chosen, std::vector<std::string> directoryRows);
  void RefleshFile() { lists_->ShowDirectory(directoryList_.Rows()); }
  void RefleshWorkFile() { lists_->ShowWorking(WorkingListRows(*set_)); }
  void DrawSpec();
  std::vector<std::filesystem::path> WorkingPaths() const;

  // Files dropped on the window are added as by double-click.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1, SaveDialog1: no filter
  std::unique_ptr<SetType> set_;
  DirectoryList directoryList_;
  std::filesystem::path workingDirectory_;
  PlotRange lastData_;  // the data rectangle of the last drawing
  SpectrumLists* lists_;
};

template <class SetType>
SpectrumWindow<SetType>::SpectrumWindow(const char* name, const QString& title, DirectoryMemory& directories,
                                        Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      dialogs_(dialogs),
      files_(dialogs, directories),
      set_(std::make_unique<SetType>()),
      lists_(new SpectrumLists(QSize(kPlotWidth, kPlotHeight), this)) {
  setObjectName(name);
  setWindowTitle(title);
  setAcceptDrops(true);
  setAutoFillBackground(true);
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  AddCommand(file, "Open", "Open1", [this] { Open1Click(); });
  AddCommand(file, "Close", "Close1", [this] { Close1Click(); });
  AddCommand(file, "Save", "Save1", [this] { Save1Click(); });
  AddCommand(file, "Quit", "Exit1", [this] { Exit1Click(); });
  const auto run = [this](void (SpectrumWindow::*handler)()) {
    return [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); };
  };
  connect(lists_, &SpectrumLists::DirectoryDoubleClicked, this, run(&SpectrumWindow::StringGrid2DblClick));
  connect(lists_, &SpectrumLists::WorkingDoubleClicked, this, run(&SpectrumWindow::StringGrid1DblClick));
  connect(lists_, &SpectrumLists::UpClicked, this, run(&SpectrumWindow::SpinButton1UpClick));
  connect(lists_, &SpectrumLists::DownClicked, this, run(&SpectrumWindow::SpinButton1DownClick));
  RefleshWorkFile();
}

template <class SetType>
QAction* SpectrumWindow<SetType>::AddCommand(QMenu* menu, const char* caption, const char* name,
                                             std::function<void()> handler) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { RunCommand(dialogs_, handler); });
  return action;
}

template <class SetType>
void SpectrumWindow<SetType>::OpenChosen(const std::filesystem::path& chosen, std::vector<std::string> directoryRows) {
  workingDirectory_ = chosen.parent_path();
  directoryList_.Refresh(std::move(directoryRows));
  RefleshFile();
  if (OpenSpectrum(*set_, chosen, FileRead(chosen))) DrawSpec();
  RefleshWorkFile();
}

template <class SetType>
void SpectrumWindow<SetType>::Close1Click() {
  CloseSpectra(*set_);
  setPalette(QPalette(QColor(0, 255, 255)));
  lists_->Paint(BlankDataRect(lastData_, kPlotWidth, kPlotHeight, true));
  RefleshWorkFile();
}

template <class SetType>
void SpectrumWindow<SetType>::StringGrid2DblClick() {
  const QString entry = lists_->DirectoryEntry();
  if (entry.isEmpty()) return;
  const std::filesystem::path path = workingDirectory_ / ToPath(entry);
  if (AddSpectrum(*set_, path, FileRead(path))) DrawSpec();
  RefleshWorkFile();
}

template <class SetType>
void SpectrumWindow<SetType>::StringGrid1DblClick() {
  switch (RemoveSpectrum(*set_, lists_->WorkingRow())) {
    case Redraw::kSpectra:
      DrawSpec();
      break;
    case Redraw::kBlankDataRect:
      lists_->Paint(BlankDataRect(lastData_, kPlotWidth, kPlotHeight, false));
      break;
    case Redraw::kNothing:
      break;
  }
  RefleshWorkFile();
}

template <class SetType>
void SpectrumWindow<SetType>::SpinButton1UpClick() {
  const int row = MoveSpectrumUp(*set_, lists_->WorkingRow());
  RefleshWorkFile();
  lists_->SelectWorking(row);
}

template <class SetType>
void SpectrumWindow<SetType>::SpinButton1DownClick() {
  const int row = MoveSpectrumDown(*set_, lists_->WorkingRow());
  RefleshWorkFile();
  lists_->SelectWorking(row);
}

template <class SetType>
void SpectrumWindow<SetType>::DrawSpec() {
  const SpectrumDrawing drawing = sheets::DrawSpec(*set_);
  lastData_ = drawing.data;
  lists_->ShowRange(drawing.boxes);
  lists_->Paint(drawing.scene);
}

template <class SetType>
std::vector<std::filesystem::path> SpectrumWindow<SetType>::WorkingPaths() const {
  std::vector<std::filesystem::path> paths;
  for (int k = 1; k <= set_->SpectrumCount; ++k) paths.push_back(set_->Path(k));
  return paths;
}

template <class SetType>
void SpectrumWindow<SetType>::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

template <class SetType>
void SpectrumWindow<SetType>::dropEvent(QDropEvent* event) {
  const auto files = DroppedFiles(event->mimeData());
  if (files.empty()) return;
  event->acceptProposedAction();
  // Each file on its own: one refused file leaves the others added.
  bool added = false;
  for (const std::filesystem::path& path : files) {
    RunCommand(dialogs_, [&] { added = AddSpectrum(*set_, path, FileRead(path)) || added; });
  }
  if (added) DrawSpec();
  RefleshWorkFile();
}

}  // namespace specbridge::sheets
