#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace specbridge::test {

// The child of `form` with this objectName; fails the test when it is missing.
template <class T>
T* Find(const QObject& form, const char* name) {
  T* child = form.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << "no " << name << " in " << form.objectName().toStdString();
  return child;
}

// Triggers a menu item after checking that it exists and is enabled.
inline void Trigger(const QObject& form, const char* name) {
  QAction* action = Find<QAction>(form, name);
  ASSERT_NE(action, nullptr);
  ASSERT_TRUE(action->isEnabled()) << name << " is disabled";
  action->trigger();
}

// Drags `data` onto `window` and drops it there; false when the window
// refused the drag (and so saw no drop).
inline bool Drop(QWidget& window, QMimeData& data) {
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return true;
}

}  // namespace specbridge::test
