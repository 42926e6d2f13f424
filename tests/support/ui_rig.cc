#include "support/ui_rig.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

namespace orvane::testing {

QAction* FindAction(const QWidget* window, const char* name) {
  if (auto* action = window->findChild<QAction*>(QLatin1String(name))) return action;
  QTest::qFail(qPrintable(QStringLiteral("no action named ") + QLatin1String(name)), __FILE__,
               __LINE__);
  static QAction stand_in;
  return &stand_in;
}

void TriggerAction(const QWidget* window, const char* name) {
  QAction* action = FindAction(window, name);
  if (!action->isEnabled()) {
    QTest::qFail(qPrintable(QStringLiteral("action is greyed: ") + QLatin1String(name)), __FILE__,
                 __LINE__);
    return;
  }
  action->trigger();
}

WindowRig::TestSettings::TestSettings() { QStandardPaths::setTestModeEnabled(true); }

WindowRig::WindowRig() {
  window.show();
  Focus();
}

WindowRig::~WindowRig() {
  Document().SetModified(false);  // no save prompt on teardown
  side.CloseAll();
}

void WindowRig::Focus() {
  QApplication::setActiveWindow(&window);
  (void)QTest::qWaitForWindowActive(&window);
  window.findChild<QWidget*>(QStringLiteral("TableGrid"))->setFocus();
}

}  // namespace orvane::testing
