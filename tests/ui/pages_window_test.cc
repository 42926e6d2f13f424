// Pages of longer codes in the main window: reached by double click, keys and the page selector,
// shown with their prefix, typed into like single bytes.
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/frm_orvane.h"
#include "ui/status_panel.h"
#include "ui/table_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui {

class PagesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { rig_.reset(); }
  void PagesOpenByDoubleClickKeysAndSelector();
  void PageCellsAreTypedIntoAndShown();

 private:
  [[nodiscard]] QTableView* Grid() const {
    return rig_->window.findChild<QTableView*>(u"TableGrid"_s);
  }
  [[nodiscard]] QString Page() const {
    return QString::fromLatin1(rig_->State().CurrentPage().Hex());
  }
  [[nodiscard]] QString Panel1() const {
    return rig_->window.findChild<StatusPanel*>(u"SB_Panel1"_s)->text();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }
  // Types into the page selector's field and presses Enter.
  void Choose(const QString& text) {
    auto* selector = rig_->window.findChild<QComboBox*>(u"cboPage"_s);
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClicks(selector->lineEdit(), text);
    QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
  }

  std::unique_ptr<testing::WindowRig> rig_;
  testing::TempFolder folder_;
};

void PagesWindowTest::init() {
  rig_ = std::make_unique<testing::WindowRig>();
  rig_->answers.QueueFile(folder_.Write(u"t.tbl"_s, "41=A\n8140=a\n8141=b\n8A5B8B=c\n"));
  rig_->Trigger("mnuOpen");
  rig_->Focus();
}

void PagesWindowTest::PagesOpenByDoubleClickKeysAndSelector() {
  QAbstractItemModel* cells = Grid()->model();
  const auto leads = [&](int code) {
    return cells->index(code / 16, code % 16).data(TableGridModel::kLeadsCodesRole).toBool();
  };
  QVERIFY(leads(0x81) && leads(0x8A) && !leads(0x41));
  const QRect cell_81 = Grid()->visualRect(cells->index(8, 1));
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell_81.center());
  QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell_81.center());
  QCOMPARE(Page(), u"81"_s);
  QCOMPARE(cells->headerData(0, Qt::Vertical).toString(), u"810"_s);
  QCOMPARE(cells->headerData(15, Qt::Horizontal).toString(), u"F"_s);
  QCOMPARE(Panel1(), u"Selected code: 8100=''"_s);
  Key(Qt::Key_Up, Qt::AltModifier);
  QCOMPARE(Page(), u""_s);
  QCOMPARE(rig_->State().CursorCode(), quint8{0x00});
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  QCOMPARE(Page(), u"8A5B"_s);
  Key(Qt::Key_PageDown, Qt::ControlModifier);  // nothing after the last page
  QCOMPARE(Page(), u"8A5B"_s);
  Choose(u"8b"_s);  // an empty page opens too
  QCOMPARE(Page(), u"8B"_s);
  QCOMPARE(QApplication::focusWidget(), Grid());
  Choose(u"8b5"_s);
  QCOMPARE(Page(), u"8B"_s);
  auto* selector = rig_->window.findChild<QComboBox*>(u"cboPage"_s);
  QVERIFY(selector->lineEdit()->palette().color(QPalette::Base) != Qt::white);
  QCOMPARE(selector->itemText(1), u"81xx \u00B7 2 codes"_s);
}

void PagesWindowTest::PageCellsAreTypedIntoAndShown() {
  rig_->State().SelectCode(*model::Code::FromHex("8141"));
  QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
  QCOMPARE(rig_->Document().GetCellText(*model::Code::FromHex("8141")), QByteArray("bx"));
  QCOMPARE(Panel1(), u"Selected code: 8141='bx'"_s);
  QCOMPARE(Grid()->currentIndex().data(Qt::ToolTipRole).toString(), u"8141=bx"_s);
  QCOMPARE(Grid()->currentIndex().data().toString(), u"bx"_s);
  rig_->Trigger("mnuUndo");
  QCOMPARE(Grid()->currentIndex().data().toString(), u"b"_s);
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::PagesWindowTest)
#include "pages_window_test.moc"
