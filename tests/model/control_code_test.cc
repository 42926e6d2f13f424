// Control codes: "$" lines read as codes that bytes of their own follow, kept as written.
#include "model/control_code.h"

#include "model/table_document.h"
#include "model/table_file.h"

#include <QTest>

using orvane::model::Code;
using orvane::model::ControlArgument;
using orvane::model::LoadWarning;
using orvane::model::SaveLayout;
using orvane::model::TableDocument;

class ControlCodeTest : public QObject {
  Q_OBJECT

 private slots:
  void DollarLinesAreControlCodesOrKeptLines_data();
  void DollarLinesAreControlCodesOrKeptLines();
  void ArgumentsAreCountedOrNamed_data();
  void ArgumentsAreCountedOrNamed();
  void EditsRewriteTheLineInItsPlace_data();
  void EditsRewriteTheLineInItsPlace();
  void LabelsEndInLineBreaks_data();
  void LabelsEndInLineBreaks();
};

void ControlCodeTest::DollarLinesAreControlCodesOrKeptLines_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<QByteArray>("code");   // of the control code, or empty for an extra line
  QTest::addColumn<QByteArray>("label");  // the cell's text
  QTest::addColumn<QByteArray>("arguments");
  QTest::addColumn<bool>("warned");
  QTest::newRow("count") << QByteArray("$C9=<pause=>,1") << QByteArray("C9")
                         << QByteArray("<pause=>") << QByteArray("1") << false;
  QTest::newRow("named, lower case") << QByteArray("$f0=[area],id") << QByteArray("F0")
                                     << QByteArray("[area]") << QByteArray("id") << false;
  QTest::newRow("none, a line break") << QByteArray("$f8=[clr]\\n") << QByteArray("F8")
                                      << QByteArray("[clr]\\n") << QByteArray() << false;
  QTest::newRow("two bytes") << QByteArray("$8140=<x>,c=%D") << QByteArray("8140")
                             << QByteArray("<x>") << QByteArray("c=%D") << false;
  QTest::newRow("empty label") << QByteArray("$C9=,1") << QByteArray("C9") << QByteArray()
                               << QByteArray("1") << false;
  for (const char* bad : {"$C9=<p>,-1", "$C9=<p>,1000", "$C9=<p>,a,,b", "$C9=<p>,a=%Q", "$C9=<p>,",
                          "$C=x", "$C9 =x", "$C9"}) {
    QTest::newRow(bad) << QByteArray(bad) << QByteArray() << QByteArray() << QByteArray() << true;
  }
  for (const char* plain : {"$ZZ=x,1", "$=98"}) {
    QTest::newRow(plain) << QByteArray(plain) << QByteArray() << QByteArray() << QByteArray()
                         << false;
  }
}

// Nothing is lost: every line is written back as it was, in its place among the extra lines.
void ControlCodeTest::DollarLinesAreControlCodesOrKeptLines() {
  QFETCH(QByteArray, line);
  QFETCH(QByteArray, code);
  QFETCH(QByteArray, label);
  QFETCH(QByteArray, arguments);
  QFETCH(bool, warned);
  TableDocument document;
  QList<LoadWarning> warnings;
  const QByteArray file = "; head\n" + line + "\n41=A\n";
  QVERIFY(!orvane::model::LoadTableFromBytes(document, file, &warnings));
  QCOMPARE(warnings.size(), warned ? 1 : 0);
  if (warned) QCOMPARE(warnings.first().kind, LoadWarning::Kind::kKeptAsExtraLine);
  QCOMPARE(document.ExtraLineCount(), code.isEmpty() ? 2 : 1);
  if (!code.isEmpty()) {
    const Code read = *Code::FromHex(code);
    QVERIFY(document.IsControl(read));
    QCOMPARE(document.GetCellText(read), label);
    QCOMPARE(document.Entry(read)->arguments, arguments);
    QVERIFY(!document.IsSpecial(read));
  }
  QCOMPARE(orvane::model::TableToBytes(document), QByteArray(file).replace("\n", "\r\n"));
  QCOMPARE(orvane::model::TableToBytes(document, SaveLayout::kKeepFile), file);
}

void ControlCodeTest::ArgumentsAreCountedOrNamed_data() {
  using Display = ControlArgument::Display;
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<ControlArgument>>("arguments");
  QTest::newRow("none") << QByteArray() << QList<ControlArgument>{};
  QTest::newRow("two counted") << QByteArray("2") << QList<ControlArgument>(2);
  QTest::newRow("at most") << QByteArray("255") << QList<ControlArgument>(255);
  QTest::newRow("names and displays") << QByteArray("x,c=%D,f=%B,n_1=%X")
                                      << QList<ControlArgument>{{"x", Display::kHex},
                                                                {"c", Display::kDecimal},
                                                                {"f", Display::kBinary},
                                                                {"n_1", Display::kHex}};
  QTest::newRow("a name that starts with a digit")
      << QByteArray("2nd") << QList<ControlArgument>{{"2nd", Display::kHex}};
}

void ControlCodeTest::ArgumentsAreCountedOrNamed() {
  QFETCH(QByteArray, text);
  QFETCH(QList<ControlArgument>, arguments);
  QCOMPARE(orvane::model::ParseControlArguments(text), std::optional(arguments));
}

void ControlCodeTest::EditsRewriteTheLineInItsPlace_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("code");
  QTest::addColumn<QByteArray>("text");  // typed into the cell, or "plain:X" or "control:L,A"
  QTest::addColumn<QByteArray>("canonical");
  QTest::addColumn<QByteArray>("kept");
  QTest::newRow("label typed") << QByteArray("41=A\n$c9=<p>,1\n") << QByteArray("C9")
                               << QByteArray("<wait>") << QByteArray("$c9=<wait>,1\r\n41=A\r\n")
                               << QByteArray("41=A\n$c9=<wait>,1\n");
  QTest::newRow("longer code made a control code")
      << QByteArray("8140=x\n") << QByteArray("8140") << QByteArray("control:<x>,2")
      << QByteArray("$8140=<x>,2\r\n") << QByteArray("$8140=<x>,2\n");
  QTest::newRow("single byte made a control code")
      << QByteArray("; c\n41=A\n42=B\n") << QByteArray("42") << QByteArray("control:<b>,1")
      << QByteArray("; c\r\n$42=<b>,1\r\n41=A\r\n") << QByteArray("; c\n$42=<b>,1\n41=A\n");
  QTest::newRow("control code made plain")
      << QByteArray("41=A\n$42=<b>,1\n43=C\n") << QByteArray("42") << QByteArray("plain:b")
      << QByteArray("41=A\r\n42=b\r\n43=C\r\n") << QByteArray("41=A\n42=b\n43=C\n");
}

void ControlCodeTest::EditsRewriteTheLineInItsPlace() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, code);
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, canonical);
  QFETCH(QByteArray, kept);
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, file));
  const Code at = *Code::FromHex(code);
  if (text.startsWith("control:")) {
    const QList<QByteArray> parts = text.mid(8).split(',');
    document.SetEntry(at, orvane::model::CodeEntry{parts[0], false, {}, true, parts[1]});
  } else if (text.startsWith("plain:")) {
    document.SetEntry(at, orvane::model::CodeEntry{text.mid(6), false, {}, false, {}});
  } else {
    document.SetCellText(at, text);
    QVERIFY(document.IsControl(at));  // typing edits the label alone
  }
  QCOMPARE(orvane::model::TableToBytes(document), canonical);
  QCOMPARE(orvane::model::TableToBytes(document, SaveLayout::kKeepFile), kept);
}

void ControlCodeTest::LabelsEndInLineBreaks_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("label");
  QTest::addColumn<int>("breaks");
  QTest::newRow("none") << QByteArray("[clr]") << QByteArray("[clr]") << 0;
  QTest::newRow("one") << QByteArray("[person]\\n") << QByteArray("[person]") << 1;
  QTest::newRow("two") << QByteArray("[end]\\n\\n") << QByteArray("[end]") << 2;
  QTest::newRow("a backslash and an n") << QByteArray("a\\\\n") << QByteArray("a\\\\n") << 0;
  QTest::newRow("a backslash, then a break") << QByteArray("a\\\\\\n") << QByteArray("a\\\\") << 1;
  QTest::newRow("only a break") << QByteArray("\\n") << QByteArray() << 1;
}

void ControlCodeTest::LabelsEndInLineBreaks() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, label);
  QFETCH(int, breaks);
  const orvane::model::LabelBreaks split = orvane::model::SplitLineBreaks(text);
  QCOMPARE(split.label.toByteArray(), label);
  QCOMPARE(split.breaks, breaks);
}

QTEST_GUILESS_MAIN(ControlCodeTest)
#include "control_code_test.moc"
