#pragma once

#include "model/table_document.h"
#include "session/session.h"
#include "support/fake_answers.h"
#include "ui/side/side_window_host.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <initializer_list>

namespace orvane::testing {

inline QStringList Texts(std::initializer_list<const char*> items) {
  QStringList texts;
  for (const char* item : items) texts << QString::fromUtf8(item);
  return texts;
}

// A child widget by object name; when there is none the running test fails with the name.
template <typename T>
T* Child(const QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QLatin1String(name));
  if (child == nullptr) QTest::qFail(name, __FILE__, __LINE__);
  return child;
}

// A session answered by a script and the host, with a manager shown through it as the main
// window would show it. Steps drive the widgets the way a user does.
struct SideRig {
  FakeAnswers answers;
  session::Session session{answers};
  model::TableDocument& document = session.Document();
  ui::side::SideWindowHost host{session};
  QWidget* window = nullptr;

  // What New and Open announce when they have replaced the table.
  void TableReplaced() { emit session.tableReplaced(); }

  template <typename T>
  T* Get(const char* name) const {
    return Child<T>(window, name);
  }
  QListWidget* List() const { return window->findChild<QListWidget*>(); }
  QPushButton* Button(const char* name) const { return Get<QPushButton>(name); }

  // Empties the box as a user would and types the text into it.
  static void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar character : text) {
      if (character.unicode() > 0x20 && character.unicode() < 0x7F) {
        QTest::keyClick(box, static_cast<char>(character.unicode()));
      } else {  // QTest types only printable ASCII by key code
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(character), {});
        QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(character), {});
      }
    }
  }
  void Select(int row) const {
    QListWidget* list = List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }

  // "A", "U", "D" for enabled Add, Update, Delete; lower case when disabled.
  QString States() const {
    QString states;
    states += Button("cmdAdd")->isEnabled() ? u'A' : u'a';
    states += Button("cmdUpdate")->isEnabled() ? u'U' : u'u';
    states += Button("cmdDel")->isEnabled() ? u'D' : u'd';
    return states;
  }
  QStringList Rows() const {
    QStringList rows;
    for (int i = 0; i < List()->count(); ++i) rows << List()->item(i)->text();
    return rows;
  }
  // Runs steps separated by ";": "s:N" selects row N, "<box>:TEXT" retypes a box, "+" Add,
  // "u" Update, "d" Delete.
  void Run(const QString& script) const {
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
      if (step == u'+') {
        Click("cmdAdd");
      } else if (step == u'u') {
        Click("cmdUpdate");
      } else if (step == u'd') {
        Click("cmdDel");
      } else if (step.startsWith(QLatin1String("s:"))) {
        Select(step.mid(2).toInt());
      } else {
        const qsizetype colon = step.indexOf(u':');
        Retype(Get<QLineEdit>(qPrintable(step.left(colon))), step.mid(colon + 1));
      }
    }
  }
};

}  // namespace orvane::testing
