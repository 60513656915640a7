#include "gui/QtExitEdit.hpp"

#include <QFocusEvent>

namespace specbridge {

void ExitEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  emit Exited();
}

}  // namespace specbridge
