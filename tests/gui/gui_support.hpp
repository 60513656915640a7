#pragma once

#include <gtest/gtest.h>

#include <QAction>
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

}  // namespace specbridge::test
