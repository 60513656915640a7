#pragma once

#include <QLineEdit>

namespace specbridge {

// An edit box that reports the loss of the input focus, whether or not its
// text changed (range and limit boxes act on every exit), but not when a
// menu opens or another window comes to the front.
class ExitEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 signals:
  void Exited();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace specbridge
