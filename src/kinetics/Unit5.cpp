#include "kinetics/Unit5.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/QtExitEdit.hpp"
#include "gui/QtPlot.hpp"
#include "gui/QtText.hpp"
#include "kinetics/Unit3.hpp"

namespace specbridge::kinetics {

KineticViewWindow::KineticViewWindow(TForm3& converterWindow, ViewControls& controls, const char* name,
                                     const char* title, const QColor& background, const QSize& size)
    : QMainWindow(nullptr, Qt::Window),
      form3_(converterWindow),
      controls_(controls),
      picture_(controls.Scene().Width(), controls.Scene().Height(), QImage::Format_RGB32) {
  setObjectName(name);
  setWindowTitle(title);
  resize(size);
  // Not a child of the converter window, yet no reason to keep the program running.
  setAttribute(Qt::WA_QuitOnClose, false);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, background);
  setPalette(palette);
  setAutoFillBackground(true);
  picture_.fill(Qt::white);
  QAction* back = menuBar()->addAction("Return");
  back->setObjectName("Return1");
  connect(back, &QAction::triggered, this, &KineticViewWindow::Return1Click);
}

void KineticViewWindow::Return1Click() {
  hide();
  form3_.show();
  form3_.raise();
  form3_.activateWindow();
}

void KineticViewWindow::ReadBoxes() { ReadBoxTexts(*this, controls_.Boxes()); }

void KineticViewWindow::ShowControls() {
  WriteBoxTexts(*this, controls_.Boxes());
  for (auto* box : findChildren<QSpinBox*>()) {
    const SpinEdit& spin = controls_.Spin(box->objectName().toStdString());
    const QSignalBlocker quiet(box);
    box->setRange(spin.min, spin.max);
    box->setValue(spin.value);
  }
  // Views draw while hidden; the picture keeps the last scene, also one a
  // failure stopped half way.
  if (controls_.SceneSerial() != paintedSerial_) {
    paintedSerial_ = controls_.SceneSerial();
    PaintScene(picture_, controls_.Scene());
    Image1_->setPixmap(QPixmap::fromImage(picture_));
  }
}

void KineticViewWindow::Run(const std::function<void()>& body) { form3_.RunHandler(body); }

QLineEdit* KineticViewWindow::AddBox(const char* name, int width, bool readOnly) {
  auto* box = readOnly ? new QLineEdit(this) : new ExitEdit(this);
  box->setObjectName(name);
  box->setFixedWidth(width);
  box->setReadOnly(readOnly);
  return box;
}

QSpinBox* KineticViewWindow::AddSpin(const char* name, const std::function<void(int)>& setSpin) {
  const SpinEdit& spin = controls_.Spin(name);
  auto* box = new QSpinBox(this);
  box->setObjectName(name);
  box->setRange(spin.min, spin.max);
  box->setValue(spin.value);
  box->setFixedWidth(70);
  connect(box, &QSpinBox::valueChanged, this, [this, setSpin](int value) { Run([&] { setSpin(value); }); });
  return box;
}

QGridLayout* KineticViewWindow::BuildFrame() {
  auto* central = new QWidget(this);
  auto* layout = new QGridLayout(central);
  Image1_ = new QLabel(central);
  Image1_->setObjectName("Image1");
  Image1_->setFixedSize(picture_.size());
  Image1_->setPixmap(QPixmap::fromImage(picture_));
  auto* left = new QVBoxLayout;
  left->addWidget(AddBox("Edit4", 90, true));
  left->addStretch(1);
  left->addWidget(AddBox("Edit3", 90, true));
  layout->addLayout(left, 0, 0);
  layout->addWidget(Image1_, 0, 1);
  auto* under = new QHBoxLayout;
  under->addWidget(AddBox("Edit1", 90, true));
  under->addStretch(1);
  under->addWidget(AddBox("Edit2", 90, true));
  layout->addLayout(under, 1, 1);
  auto* controls = new QGridLayout;
  layout->addLayout(controls, 2, 0, 1, 2);
  layout->setRowStretch(3, 1);
  layout->setColumnStretch(2, 1);
  setCentralWidget(central);
  return controls;
}

namespace {

QGridLayout* Group(QGridLayout* row, int column, const char* title, const char* name, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  row->addWidget(box, 0, column, Qt::AlignTop);
  return new QGridLayout(box);
}

}  // namespace

TForm5::TForm5(TForm3& converterWindow, TraceView& view)
    : KineticViewWindow(converterWindow, view, "TForm5", "Kinetic Traces", QColor(0, 128, 128), QSize(1280, 918)),
      view_(view) {
  QAction* spectra = menuBar()->addAction("Spectral_Features");
  spectra->setObjectName("SpectralFeatures1");
  connect(spectra, &QAction::triggered, this, [this] { Run([&] { SpectralFeatures1Click(); }); });

  QGridLayout* row = BuildFrame();
  const auto set = [this](const char* name) { return [this, name](int value) { view_.SetSpin(name, value); }; };
  QGridLayout* trace = Group(row, 0, "", "Panel1", this);
  trace->addWidget(new QLabel("Absorbance at", this), 0, 0);
  trace->addWidget(AddBox("Edit5", 80, true), 0, 1);
  trace->addWidget(new QLabel("nm", this), 0, 2);
  trace->addWidget(new QLabel("No.", this), 1, 0);
  trace->addWidget(AddSpin("SpinEdit1", set("SpinEdit1")), 1, 1);

  QGridLayout* time = Group(row, 1, "Time_Control", "GroupBox1", this);
  time->addWidget(new QLabel("Dead_Time [sec]", this), 0, 0);
  time->addWidget(AddBox("DeadTime", 90, false), 0, 1);
  time->addWidget(new QLabel("delta(Time) [sec]", this), 1, 0);
  time->addWidget(AddBox("Interval", 90, false), 1, 1);
  auto* apply = new QPushButton("Apply", this);
  apply->setObjectName("Apply1");
  connect(apply, &QPushButton::clicked, this, [this] { Run([&] { Apply1Click(); }); });
  time->addWidget(apply, 2, 1);

  QGridLayout* omitting = Group(row, 2, "Omitting_Process", "GroupBox3", this);
  omitting->addWidget(new QLabel("Omitting Unit", this), 0, 0);
  omitting->addWidget(AddSpin("SpinEdit3", set("SpinEdit3")), 0, 1);
  omitting->addWidget(new QLabel("Lower_Cut_Off", this), 1, 0);
  omitting->addWidget(AddSpin("SpinEdit2", set("SpinEdit2")), 1, 1);
  omitting->addWidget(new QLabel("Upper_Cut_Off", this), 2, 0);
  omitting->addWidget(AddSpin("SpinEdit4", set("SpinEdit4")), 2, 1);
  // The previous cut-off values, kept out of sight.
  for (const char* name : {"SpinEdit5", "SpinEdit6"}) AddSpin(name, set(name))->hide();

  QGridLayout* counts = Group(row, 3, "No. of Data Points", "GroupBox4", this);
  counts->addWidget(new QLabel("Original Data", this), 0, 0);
  counts->addWidget(AddBox("Total", 90, true), 0, 1);
  counts->addWidget(new QLabel("To be Saved", this), 1, 0);
  counts->addWidget(AddBox("Part", 90, true), 1, 1);
  row->setColumnStretch(4, 1);
  ShowControls();
}

void TForm5::SpectralFeatures1Click() { form3_.SpectralFeatures1Click(); }

void TForm5::Apply1Click() { view_.Apply1Click(); }

}  // namespace specbridge::kinetics
