// The Game Data window's Font tab on a made-up game: its glyphs lined up with their codes, the
// table typed from the view, and the table built from the font by recognition, Fill from Font
// and Fit Order, each one step of the history.
#include "ui/side/font_tab.h"

#include "made_up_font.h"
#include "side_rig.h"
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/side/frm_data.h"
#include "ui/side/glyph_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui::side {
namespace {

const QString kDrawnWith = u"IPAMincho"_s;

}  // namespace

class FontTabTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { font_ = testing::MakeFont(kDrawnWith); }
  void init();
  void cleanup() {
    rig_.reset();
    QSettings(u"Orvane"_s, u"Orvane"_s).remove(u"RecentDataFiles"_s);
  }
  void TheGlyphsLineUpWithTheirCodesAndTexts_data();
  void TheGlyphsLineUpWithTheirCodesAndTexts();
  void KeysInTheViewTypeIntoTheCursorsCell_data();
  void KeysInTheViewTypeIntoTheCursorsCell();
  void TheFontBecomesTheTable();
  void RecognitionKeepsToTheEncodingAndStopsOnCancel();

 private:
  template <typename T>
  T* Get(const char* name) const {
    return testing::Child<T>(window_, name);
  }
  [[nodiscard]] GlyphView* View() const { return window_->Font()->View(); }
  void Show(const QString& format, const QString& offset, const QString& code) {
    auto* box = Get<QComboBox>("cboFormat");
    box->setCurrentIndex(box->findText(format));
    Get<QLineEdit>("txtOffset")->setText(offset);
    Get<QLineEdit>("txtCode")->setText(code);
  }
  void Recognise() {
    QSignalSpy finished(window_->Font(), &FontTab::recognitionFinished);
    QTest::mouseClick(Get<QPushButton>("cmdRecognise"), Qt::LeftButton);
    QVERIFY2(window_->Font()->Recognising(), qPrintable(Get<QLabel>("lblRecognise")->text()));
    QVERIFY(finished.wait(120000));
    QVERIFY2(window_->Font()->Recognitions() != nullptr,
             qPrintable(Get<QLabel>("lblRecognise")->text()));
  }
  void Click(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
  [[nodiscard]] QString Text(quint32 code) const {
    return QString::fromUtf8(rig_->Document().GetCellText(*model::Code::Make(code, 2)));
  }
  // The report's notes for the code.
  [[nodiscard]] QStringList Notes(const QString& code) const {
    QStringList notes;
    for (const QTreeWidgetItem* item :
         Get<QTreeWidget>("lstReport")->findItems(code, Qt::MatchExactly, 0)) {
      notes << item->text(4);
    }
    return notes;
  }

  testing::MadeUpFont font_;
  std::unique_ptr<testing::WindowRig> rig_;
  testing::TempFolder folder_;
  frmData* window_ = nullptr;
};

void FontTabTest::init() {
  rig_ = std::make_unique<testing::WindowRig>();
  rig_->session.Commands().OpenFile(QFile::encodeName(folder_.Write(u"game.tbl"_s, font_.table)));
  rig_->side.ShowGameData();
  window_ = rig_->side.GameData();
  window_->OpenFile(folder_.Write(u"game.bin"_s, font_.data));
  window_->Tabs()->setCurrentWidget(window_->Font());
  window_->resize(900, 800);
}

void FontTabTest::TheGlyphsLineUpWithTheirCodesAndTexts_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QString>("offset");
  QTest::addColumn<QString>("code");
  QTest::addColumn<qint64>("glyph");
  QTest::addColumn<QString>("shown");  // the code and the text under the glyph
  QTest::addColumn<bool>("ink");
  QTest::newRow("the kana's first")
      << u"2bpp-gb"_s << u"100"_s << u"8000"_s << qint64{0} << u"8000 ぁ"_s << true;
  QTest::newRow("a kana not typed")
      << u"2bpp-gb"_s << u"0x100"_s << u"8000"_s << qint64{10} << u"800A "_s << true;
  QTest::newRow("the blank after the kana")
      << u"2bpp-gb"_s << u"100"_s << u"8000"_s << qint64{83} << u"8053 "_s << false;
  QTest::newRow("another first code")
      << u"2bpp-gb"_s << u"100"_s << u"7FFE"_s << qint64{2} << u"8000 ぁ"_s << true;
  QTest::newRow("the kanji") << u"1bpp"_s << u"1600"_s << u"8100"_s << qint64{0} << u"8100 "_s
                             << true;
  QTest::newRow("the filler before the font")
      << u"1bpp"_s << u"0"_s << u"8100"_s << qint64{0} << u"8100 "_s << true;
  QTest::newRow("codes end at FF")
      << u"1bpp"_s << u"1600"_s << u"FE"_s << qint64{2} << u" "_s << true;
}

void FontTabTest::TheGlyphsLineUpWithTheirCodesAndTexts() {
  QFETCH(QString, format);
  QFETCH(QString, offset);
  QFETCH(QString, code);
  QFETCH(qint64, glyph);
  QFETCH(QString, shown);
  QFETCH(bool, ink);
  Show(format, offset, code);
  QVERIFY2(View()->isEnabled(), qPrintable(Get<QLabel>("lblFont")->text()));
  const GlyphCell cell = View()->CellOf(glyph);
  QCOMPARE(cell.code + u' ' + cell.text, shown);
  QCOMPARE(cell.pixels.HasInk(), ink);
}

void FontTabTest::KeysInTheViewTypeIntoTheCursorsCell_data() {
  QTest::addColumn<QString>("keys");  // after a click on glyph 10; > for Right, < for Backspace
  QTest::addColumn<QString>("paste");
  QTest::addColumn<quint32>("code");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("step");
  QTest::newRow("romaji into the glyph clicked")
      << u"ka"_s << QString() << 0x800Au << u"か"_s << u"Typing"_s;
  QTest::newRow("a slip mended") << u">><ki"_s << QString() << 0x800Cu << u"き"_s << u"Typing"_s;
  QTest::newRow("down a row, in ASCII")
      << u"vxa"_s << QString() << 0x801Au << u"せxa"_s << u"Typing"_s;
  QTest::newRow("paste") << QString() << u"亜"_s << 0x800Au << u"亜"_s << u"Paste"_s;
}

void FontTabTest::KeysInTheViewTypeIntoTheCursorsCell() {
  QFETCH(QString, keys);
  QFETCH(QString, paste);
  QFETCH(quint32, code);
  QFETCH(QString, text);
  QFETCH(QString, step);
  Show(u"2bpp-gb"_s, u"100"_s, u"8000"_s);
  rig_->session.SetInputMode(kana::InputMode::kHiragana);
  if (keys.startsWith(u'v')) rig_->session.SetInputMode(kana::InputMode::kAscii);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_));
  const QString before = Text(code);
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, View()->GlyphRect(10).center());
  QCOMPARE(rig_->State().CursorCode(), *model::Code::Make(0x800A, 2));
  View()->setFocus();
  for (const QChar key : keys) {
    QWidget* focus = QApplication::focusWidget();
    if (key == u'>') {
      QTest::keyClick(focus, Qt::Key_Right);
    } else if (key == u'v') {
      QTest::keyClick(focus, Qt::Key_Down);
    } else if (key == u'<') {
      QTest::keyClick(focus, Qt::Key_Backspace);
    } else {
      QTest::keyClick(focus, key.toLatin1());
    }
  }
  if (!paste.isEmpty()) {
    QApplication::clipboard()->setText(paste);
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
  }
  QCOMPARE(rig_->State().CursorCode(), *model::Code::Make(code, 2));
  QCOMPARE(Text(code), text);
  QCOMPARE(View()->CellOf(View()->CurrentGlyph().value_or(-1)).text, text);
  QCOMPARE(rig_->session.UndoName(), step);
  rig_->session.Undo();
  QCOMPARE(Text(code), before);
}

// Recognise, Fill from Font and Fit Order leave wrong only what they list; corrected by hand,
// the table is the whole one.
void FontTabTest::TheFontBecomesTheTable() {
  Show(u"2bpp-gb"_s, u"100"_s, u"8000"_s);
  Recognise();
  Click("cmdFill");
  QCOMPARE(Text(0x800A), u"か"_s);
  QCOMPARE(rig_->session.UndoName(), u"Fill from Font"_s);
  QCOMPARE(Notes(u"800C"_s), QStringList{u"the table holds another character"_s});
  QCOMPARE(Notes(u"8053"_s), QStringList{u"left: the glyph has no ink"_s});
  QCOMPARE(Text(0x800C), u"ぎ"_s);

  Show(u"1bpp"_s, u"1600"_s, u"8100"_s);
  Get<QSpinBox>("spnCount")->setValue(testing::MadeUpFont::kKanji + 1);
  Recognise();
  Click("cmdFill");
  Click("cmdFit");
  Click("cmdApplyFit");
  QCOMPARE(rig_->session.UndoName(), u"Fit Order"_s);
  const QStringList expected = QString::fromUtf8(font_.expected).split(u"\r\n"_s);
  for (const QString& line : expected) {
    const QString code = line.section(u'=', 0, 0);
    if (!code.startsWith(u"81"_s)) continue;
    const QString text = Text(code.toUInt(nullptr, 16));
    QVERIFY2(text == line.section(u'=', 1) || !Notes(code).isEmpty(),
             qPrintable(code + u" holds "_s + text + u", unlisted"_s));
  }
  QVERIFY(!Notes(u"8128"_s).isEmpty());  // the heart: no kanji, whatever the order says
}

void FontTabTest::RecognitionKeepsToTheEncodingAndStopsOnCancel() {
  rig_->session.SetEncoding(text::Encoding::kWindows1252);
  Show(u"1bpp"_s, u"1600"_s, u"8100"_s);
  QTest::mouseClick(Get<QPushButton>("cmdRecognise"), Qt::LeftButton);
  QVERIFY(window_->Font()->Recognising());
  Click("cmdCancelRecognise");
  QVERIFY(!window_->Font()->Recognising());
  QCOMPARE(Get<QLabel>("lblRecognise")->text(), u"Recognition cancelled."_s);
  QVERIFY(!Get<QPushButton>("cmdFill")->isEnabled());
  Recognise();
  QVERIFY2(Get<QLabel>("lblRecognise")->text().contains(u"Windows-1252, which has no kana"_s),
           qPrintable(Get<QLabel>("lblRecognise")->text()));
}

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::FontTabTest)
#include "font_tab_test.moc"
