#include "kinetics/Unit6.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>

#include "gui/QtExitEdit.hpp"
#include "kinetics/Unit3.hpp"

namespace specbridge::kinetics {

TForm6::TForm6(TForm3& converterWindow, SpectraView& view)
    : KineticViewWindow(converterWindow, view, "TForm6", "Spectral Changes", QColor(0, 255, 255), QSize(1262, 940)),
      view_(view) {
  QAction* trace = menuBar()->addAction("Kinetic_Trace");
  trace->setObjectName("KineticTrace1");
  connect(trace, &QAction::triggered, this, [this] { Run([&] { KineticTrace1Click(); }); });

  QGridLayout* row = BuildFrame();
  auto* group = new QGroupBox("Wavelength_Settings", this);
  group->setObjectName("GroupBox2");
  row->addWidget(group, 0, 0, Qt::AlignTop);
  auto* wavelengths = new QGridLayout(group);
  wavelengths->addWidget(new QLabel("Wavelength Range", this), 0, 0, 1, 4);
  for (const auto& [name, column] : {std::pair{"nmlow", 0}, std::pair{"nmhigh", 2}}) {
    auto* limit = static_cast<ExitEdit*>(AddBox(name, 80, false));
    const bool low = column == 0;
    connect(limit, &ExitEdit::Exited, this,
            [this, low] { Run([&] { low ? view_.nmlowExit() : view_.nmhighExit(); }); });
    wavelengths->addWidget(limit, 1, column);
  }
  wavelengths->addWidget(new QLabel("___", this), 1, 1);
  wavelengths->addWidget(new QLabel("nm", this), 1, 3);
  wavelengths->addWidget(new QLabel("Skipping Policy", this), 2, 0, 1, 2);
  wavelengths->addWidget(AddSpin("SpinEdit1", [this](int value) { view_.SetSpin("SpinEdit1", value); }), 2, 2);
  wavelengths->addWidget(new QLabel("Nw Points", this), 3, 0, 1, 2);
  wavelengths->addWidget(AddBox("Points", 80, true), 3, 2, 1, 2);
  // Left from the trace view's design and never used.
  for (const char* name : {"SpinEdit2", "SpinEdit4", "SpinEdit5", "SpinEdit6"}) {
    AddSpin(name, [this, name](int value) { view_.SetSpin(name, value); })->hide();
  }
  row->setColumnStretch(1, 1);
  ShowControls();
}

void TForm6::KineticTrace1Click() { form3_.KineticTrace1Click(); }

}  // namespace specbridge::kinetics
