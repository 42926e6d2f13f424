#include "data/document_lookup.h"
#include "data/string_reader.h"
#include "model/table_document.h"
#include "model/table_file.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using data::LineBreaks;

namespace {

void Load(model::TableDocument& document, const QByteArray& table) {
  QVERIFY(!model::LoadTableFromBytes(document, table));
}

// Each string as "OFFSET: text", one a line.
QString Strings(const data::CodeLookup& lookup, const QByteArray& bytes, LineBreaks breaks) {
  QStringList lines;
  for (const data::ReadString& string : data::ReadStrings(lookup, bytes, 0, breaks, false)) {
    lines << QString::number(string.offset, 16) + QStringLiteral(": ") + string.text;
  }
  return lines.join(u'|');
}

}  // namespace

class ReadingTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsTheLongestCodeAndShowsMarks_data();
  void ReadsTheLongestCodeAndShowsMarks();
  void ControlCodesTakeArgumentsAndEndLines_data();
  void ControlCodesTakeArgumentsAndEndLines();
  void ReadsTheSameInBlocksOfAnySize();
  void FollowsEveryKindOfTableChange_data();
  void FollowsEveryKindOfTableChange();
  void ASnapshotStaysAsItWas();
};

void ReadingTest::ReadsTheLongestCodeAndShowsMarks_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<QString>("strings");  // in one-line form
  QTest::addColumn<QString>("cells");    // beside the hex view

  QTest::newRow("longest code wins")
      << QByteArray("41=A\n42=B\n4142=X\n") << QByteArray("414242") << u"0: XB"_s << u"X·B"_s;
  QTest::newRow("byte without a code")
      << QByteArray("41=A\n") << QByteArray("41ff41") << u"0: A<$FF>A"_s << u"A.A"_s;
  QTest::newRow("end mark's label ends the string")
      << QByteArray("41=A\n/FF=[end]\n") << QByteArray("41ff41") << u"0: A[end]|2: A"_s << u"A/A"_s;
  QTest::newRow("end mark without label")
      << QByteArray("41=A\n/FF\n") << QByteArray("ff41ff") << u"0: <END>|1: A<END>"_s << u"/A/"_s;
  QTest::newRow("line break label")
      << QByteArray("41=A\n*FE=<br>\n") << QByteArray("41fe41") << u"0: A<br>A"_s << u"A*A"_s;
  QTest::newRow("line break without label")
      << QByteArray("41=A\n*FE\n") << QByteArray("41fe41") << u"0: A<LINE>A"_s << u"A*A"_s;
  QTest::newRow("codes of three and four bytes")
      << QByteArray("8A5B8B=\xE2\x80\xA6\n00000001=x\n00=z\n") << QByteArray("8a5b8b000000010000")
      << u"0: …xzz"_s << u"…··x···zz"_s;
  QTest::newRow("longer code without text reads not")
      << QByteArray("81=a\n8140=\n40=b\n") << QByteArray("8140") << u"0: ab"_s << u"ab"_s;
  QTest::newRow("longer code cut by the end of data")
      << QByteArray("8140=\xE4\xBA\x9C\n81=a\n") << QByteArray("81814081") << u"0: a亜a"_s
      << u"a亜·a"_s;
  QTest::newRow("a letter code of several letters")
      << QByteArray("80=th\n") << QByteArray("8080") << u"0: thth"_s << u"tt"_s;
  QTest::newRow("control bytes show as pictures")
      << QByteArray("01=a\x01\n") << QByteArray("01") << u"0: a\u2401"_s << u"a"_s;
  QTest::newRow("two-byte end mark with label")
      << QByteArray("41=A\n/FFFF=[end]\nFF=y\n") << QByteArray("41ffffff") << u"0: A[end]|3: y"_s
      << u"A/·y"_s;
  QTest::newRow("marked cell whose text is no mark reads as text")
      << QByteArray("/FF=[end]\nFF=q\n") << QByteArray("ff") << u"0: q"_s << u"q"_s;
}

void ReadingTest::ReadsTheLongestCodeAndShowsMarks() {
  QFETCH(QByteArray, table);
  QFETCH(QByteArray, data);
  QFETCH(QString, strings);
  QFETCH(QString, cells);
  model::TableDocument document;
  Load(document, table);
  data::CodeLookup lookup;
  lookup.Build(document);
  const QByteArray bytes = QByteArray::fromHex(data);
  QCOMPARE(Strings(lookup, bytes, LineBreaks::kMarker), strings);
  const auto read = data::ReadStrings(lookup, bytes, 0, LineBreaks::kNewLine, true);
  QCOMPARE(data::ByteCells(read, 0, bytes.size()).join(QString()), cells);
}

void ReadingTest::ControlCodesTakeArgumentsAndEndLines_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<QString>("strings");  // in one-line form
  QTest::addColumn<QString>("lines");    // with line ends
  QTest::addColumn<QString>("cells");
  QTest::addColumn<bool>("cut");
  QTest::newRow("arguments read as bytes, not codes")
      << QByteArray("41f0414141") << u"0: A[col]<$41><$41>A"_s << u"0: A[col]<$41><$41>A"_s
      << u"A[col]··A"_s << false;
  QTest::newRow("a named argument inside the label")
      << QByteArray("f2ff41") << u"0: [area id=$FF]A"_s << u"0: [area id=$FF]A"_s << u"[area]·A"_s
      << false;
  QTest::newRow("decimal and binary, then a line")
      << QByteArray("f30c0341") << u"0: [color c=12 f=%00000011]<LINE>A"_s
      << u"0: [color c=12 f=%00000011]\nA"_s << u"[color]··A"_s << false;
  QTest::newRow("a label without a bracket, and an empty one")
      << QByteArray("f605f51e") << u"0: wait t=$05<$F5><$1E>"_s << u"0: wait t=$05<$F5><$1E>"_s
      << u"wait·<$F5>·"_s << false;
  QTest::newRow("a control code of two bytes, closed by >")
      << QByteArray("8140fff1ff") << u"0: [k]<$FF><c c=$FF>"_s << u"0: [k]<$FF><c c=$FF>"_s
      << u"[k]··<c>·"_s << false;
  QTest::newRow("lines after a text and an end mark's label")
      << QByteArray("41fe41ff41") << u"0: A<LINE>A[end]<LINE><LINE>|4: A"_s
      << u"0: A\nA[end]\n\n|4: A"_s << u"A↵A/A"_s << false;
  QTest::newRow("an escaped backslash is no line")
      << QByteArray("4a") << u"0: \\\\n"_s << u"0: \\\\n"_s << u"\\"_s << false;
  QTest::newRow("arguments cut by the end of data")
      << QByteArray("41f041") << u"0: A[col]<$41><$…>"_s << u"0: A[col]<$41><$…>"_s << u"A[col]·"_s
      << true;
  QTest::newRow("named arguments cut") << QByteArray("f30c") << u"0: [color c=12 f=…]"_s
                                       << u"0: [color c=12 f=…]"_s << u"[color]·"_s << true;
}

void ReadingTest::ControlCodesTakeArgumentsAndEndLines() {
  QFETCH(QByteArray, data);
  QFETCH(QString, strings);
  QFETCH(QString, lines);
  QFETCH(QString, cells);
  QFETCH(bool, cut);
  model::TableDocument document;
  Load(document,
       "41=A\n$F0=[col],2\n$f2=[area],id\n$F3=[color]\\n,c=%D,f=%B\n$F5=,1\n$F6=wait,t=%X\n"
       "FE=\\n\n/FF=[end]\\n\\n\n4A=\\\\n\n$8140=[k],1\n$F1=<c>,c\n");
  data::CodeLookup lookup;
  lookup.Build(document);
  const QByteArray bytes = QByteArray::fromHex(data);
  QCOMPARE(Strings(lookup, bytes, LineBreaks::kMarker), strings);
  const auto read = data::ReadStrings(lookup, bytes, 0, LineBreaks::kMarker, true);
  QCOMPARE(data::ByteCells(read, 0, bytes.size()).join(QString()), cells);
  QCOMPARE(read.constLast().cut, cut);
  // Cut anywhere, the reading carries on where it was.
  data::BytesSource source(bytes);
  QStringList got;
  (void)data::ReadFileStrings(
      lookup, source, 0, -1, LineBreaks::kNewLine,
      [&got](data::ReadString&& string) {
        got << QString::number(string.offset, 16) + u": "_s + string.text;
      },
      1);
  QCOMPARE(got.join(u'|'), lines);
}

void ReadingTest::ReadsTheSameInBlocksOfAnySize() {
  model::TableDocument document;
  Load(document, "41=A\n8140=B\n814041=C\n81404142=D\n/FF\n*FE\n");
  data::CodeLookup lookup;
  lookup.Build(document);
  const QByteArray bytes = QByteArray::fromHex("81404142ff41814041fe8140814081").repeated(40);
  const QString whole = Strings(lookup, bytes, LineBreaks::kNewLine);
  for (const qint64 block : {1, 2, 3, 5, 64}) {
    QStringList lines;
    data::BytesSource source(bytes);
    const data::ScanEnd ended = data::ReadFileStrings(
        lookup, source, 0, -1, LineBreaks::kNewLine,
        [&lines](data::ReadString&& string) {
          lines << QString::number(string.offset, 16) + QStringLiteral(": ") + string.text;
        },
        block);
    QCOMPARE(ended.status, data::ScanEnd::Status::kDone);
    QCOMPARE(lines.join(u'|'), whole);
  }
}

void ReadingTest::FollowsEveryKindOfTableChange_data() {
  using Edit = std::function<void(model::TableDocument&)>;
  QTest::addColumn<Edit>("edit");
  QTest::addColumn<QString>("reading");  // of 41 42 81 40 FF 43
  QTest::addColumn<int>("changes");

  QTest::newRow("typed cell") << Edit([](auto& d) { d.SetCellText(0x42, "b"); }) << u"Ab亜<END>C"_s
                              << 1;
  QTest::newRow("mark taken away")
      << Edit([](auto& d) { d.UnmarkSpecial(0xFF); }) << u"AB亜/C"_s << 1;
  QTest::newRow("longer code typed")
      << Edit([](auto& d) { d.SetCellText(*model::Code::FromHex("8140"), "\xE5\xA4\x9A"); })
      << u"AB多<END>C"_s << 1;
  QTest::newRow("longer code added")
      << Edit([](auto& d) { d.SetCellText(*model::Code::FromHex("FF43"), "z"); }) << u"AB亜z"_s
      << 1;
  QTest::newRow("longer code emptied")
      << Edit([](auto& d) { d.SetCellText(*model::Code::FromHex("8140"), {}); })
      << u"AB<$81><$40><END>C"_s << 1;
  QTest::newRow("label given") << Edit([](auto& d) { d.SetMarkLabel(0xFF, "[e]"); })
                               << u"AB亜[e]C"_s << 1;
  QTest::newRow("control code set") << Edit([](auto& d) {
    d.SetEntry(0xFF, model::CodeEntry{"<p>", false, {}, true, "1"});
  }) << u"AB亜<p><$43>"_s << 1;
  QTest::newRow("line of no code")
      << Edit([](auto& d) { d.AppendExtraLine("; a comment"); }) << u"AB亜<END>C"_s << 0;
  QTest::newRow("bulk change") << Edit([](auto& d) {
    const model::BulkChange bulk(d);
    for (int c = 0x41; c <= 0x43; ++c) d.SetCellText(static_cast<quint8>(c), "-");
  }) << u"--亜<END>-"_s << 1;
  // Emptied, then back in the format's own encoding.
  QTest::newRow("table cleared") << Edit([](auto& d) { d.ClearTable(); })
                                 << u"<$41><$42><$81><$40><$FF><$43>"_s << 2;
  QTest::newRow("encoding chosen")
      << Edit([](auto& d) { d.SetEncoding(text::Encoding::kWindows1252); }) << u"ABäºœ<END>C"_s
      << 1;
}

void ReadingTest::FollowsEveryKindOfTableChange() {
  using Edit = std::function<void(model::TableDocument&)>;
  QFETCH(Edit, edit);
  QFETCH(QString, reading);
  QFETCH(int, changes);
  model::TableDocument document;
  Load(document, "41=A\n42=B\n43=C\n/FF\n8140=\xE4\xBA\x9C\n");
  const data::DocumentLookup live(document);
  QSignalSpy changed(&live, &data::DocumentLookup::changed);
  edit(document);
  const QByteArray bytes = QByteArray::fromHex("414281 40ff43");
  QCOMPARE(data::ReadText(live.Lookup(), bytes), reading);
  QCOMPARE(changed.count(), changes);
  data::CodeLookup fresh;
  fresh.Build(document);
  QCOMPARE(data::ReadText(live.Lookup(), bytes), data::ReadText(fresh, bytes));
  QCOMPARE(live.Lookup().Count(), fresh.Count());
}

// A worker holds the lookup of the moment it started; the table goes on changing meanwhile.
void ReadingTest::ASnapshotStaysAsItWas() {
  model::TableDocument document;
  Load(document, "41=A\n8140=\xE4\xBA\x9C\n");
  const data::DocumentLookup live(document);
  const std::shared_ptr<const data::CodeLookup> held = live.Snapshot();
  document.SetCellText(0x41, "a");
  document.SetCellText(*model::Code::FromHex("8140"), "x");
  document.ClearTable();
  const QByteArray bytes = QByteArray::fromHex("418140");
  QCOMPARE(data::ReadText(*held, bytes), u"A亜"_s);
  QCOMPARE(data::ReadText(live.Lookup(), bytes), u"<$41><$81><$40>"_s);
}

QTEST_GUILESS_MAIN(ReadingTest)
#include "reading_test.moc"
