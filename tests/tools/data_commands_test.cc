#include "support/temp_table.h"
#include "tbl_tool.h"

#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using orvane::testing::ArgumentBytes;
using orvane::testing::TempFolder;
using orvane::tools::RunTblTool;

namespace {

// Takes the first write, then nothing: a reader that went away at once.
class ClosingOutput final : public orvane::tools::OutputSink {
 public:
  [[nodiscard]] bool Write(QByteArrayView bytes) override {
    if (!written_) {
      written_ = true;
      taken_ = bytes.toByteArray();
      return true;
    }
    ++refused_;
    return false;
  }
  [[nodiscard]] bool Flush() override { return refused_ == 0; }
  [[nodiscard]] const QByteArray& Taken() const { return taken_; }
  [[nodiscard]] int Refused() const { return refused_; }

 private:
  bool written_ = false;
  QByteArray taken_;
  int refused_ = 0;
};

}  // namespace

class DataCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void DecodeAndEncodeAnswerOrSayWhy_data();
  void DecodeAndEncodeAnswerOrSayWhy();
  void WhatDecodePrintsEncodesBack_data();
  void WhatDecodePrintsEncodesBack();
  void DecodeStopsWhenItsOutputCloses_data();
  void DecodeStopsWhenItsOutputCloses();
};

void DataCommandsTest::DecodeAndEncodeAnswerOrSayWhy_data() {
  QTest::addColumn<QStringList>("arguments");  // TABLE, DATA and DIR stand for the files
  QTest::addColumn<int>("exit_code");
  QTest::addColumn<QByteArray>("out");
  QTest::addColumn<QByteArray>("err");  // its first line; DIR stands for the folder
  QTest::addColumn<bool>("usage");      // follows on standard error
  const auto row = [](const char* name, const QStringList& arguments, int exit_code,
                      const QByteArray& out, const QByteArray& err, bool usage = false) {
    QTest::newRow(name) << arguments << exit_code << out << err << usage;
  };

  const QStringList decode = {u"decode"_s, u"TABLE"_s, u"DATA"_s};
  const QByteArray all(
      "00000000: A<$00>\xE2\x90\x81<LINE>B[end]\n00000006: \xE4\xBA\x9C"
      "B");
  const QByteArray from_five("00000005: [end]\n00000006: \xE4\xBA\x9C");
  row("decode all", decode, 0, all, {});
  row("decode from an offset for a length",
      decode + QStringList{u"--length"_s, u"3"_s, u"--from"_s, u"5"_s}, 0, from_five, {});
  row("options before and between the files",
      {u"decode"_s, u"--length"_s, u"3"_s, u"TABLE"_s, u"--from"_s, u"5"_s, u"DATA"_s}, 0,
      from_five, {});
  row("decode from the end", decode + QStringList{u"--from"_s, u"9"_s}, 0, {}, {});
  row("decode past the end", decode + QStringList{u"--from"_s, u"a"_s}, 1, {},
      "DIR/data.bin: offset 0000000A is past the end of the data (9 bytes)");
  row("past the end of one byte", {u"decode"_s, u"TABLE"_s, u"DIR/one.bin"_s, u"--from"_s, u"2"_s},
      1, {}, "DIR/one.bin: offset 00000002 is past the end of the data (1 byte)");
  row("decode an empty file", {u"decode"_s, u"TABLE"_s, u"DIR/empty.bin"_s}, 0, {}, {});
  row("a name that is not UTF-8", {u"decode"_s, u"TABLE"_s, u"DIR/caf\\xE9.bin"_s}, 0, all, {});
  row("a folder", {u"decode"_s, u"TABLE"_s, u"DIR"_s}, 1, {}, "DIR is a folder.");
  row("a named pipe, not waited for", {u"decode"_s, u"TABLE"_s, u"DIR/pipe"_s}, 1, {},
      "DIR/pipe is not a regular file.");
  row("standard input", {u"decode"_s, u"TABLE"_s, u"-"_s}, 2, {},
      "orvane-tbl: decode reads DATA at offsets, so from a file, not from standard input "
      "(\"-\"); a file named - is ./-");
  row("offset not hex", decode + QStringList{u"--from"_s, u"0x1g"_s}, 2, {},
      "orvane-tbl: --from takes an offset in hexadecimal, not '0x1g'", true);
  row("offset too large", decode + QStringList{u"--from"_s, u"$10000000000000000"_s}, 2, {},
      "orvane-tbl: --from '$10000000000000000' is too large for an offset", true);
  row("length not a number", decode + QStringList{u"--length"_s, u"-1"_s}, 2, {},
      "orvane-tbl: --length takes a number of bytes, not '-1'", true);
  row("an option twice", decode + QStringList{u"--from"_s, u"1"_s, u"--from"_s, u"2"_s}, 2, {},
      "orvane-tbl: --from is given more than once", true);
  row("an unknown option", decode + QStringList{u"--to"_s, u"3"_s}, 2, {},
      "orvane-tbl: unknown option '--to'", true);
  row("decode without data", {u"decode"_s, u"TABLE"_s}, 2, {},
      "orvane-tbl: decode takes TABLE DATA", true);
  row("a length that ends inside a control code",
      {u"decode"_s, u"TABLE"_s, u"DIR/cut_later.bin"_s, u"--length"_s, u"2"_s}, 0,
      "00000000: A<p><$\xE2\x80\xA6>",
      "DIR/cut_later.bin: warning: the data ends inside a control code");
  row("data that ends inside a control code", {u"decode"_s, u"TABLE"_s, u"DIR/cut.bin"_s}, 0,
      "00000000: A<p><$\xE2\x80\xA6>", "DIR/cut.bin: warning: the data ends inside a control code");

  row("encode", {u"encode"_s, u"TABLE"_s, u"B亜<$00>[end]"_s}, 0, "42 81 40 00 FF", {});
  row("encode with another spelling", {u"encode"_s, u"TABLE"_s, u"xB"_s}, 0, "90 50 42",
      "The fewest bytes, 90 42, read back as '\xE6\xBC\xA2'; these read back as the text.");
  row("a long note shows the start of each spelling",
      {u"encode"_s, u"TABLE"_s, u"xB"_s.repeated(40)}, 0,
      QByteArray("90 50 42 ").repeated(40).chopped(1),
      "The fewest bytes, " + QByteArray("90 42 ").repeated(32).chopped(1) +
          " \xE2\x80\xA6, read back as '" + QByteArray("\xE6\xBC\xA2").repeated(40) +
          "'; these read back as the text.");
  row("a typed control character", {u"encode"_s, u"TABLE"_s, u"A\u0001"_s}, 0, "41 01", {});
  row("controls without pictures by their codes", {u"encode"_s, u"TABLE"_s, u"<U+009B><U+202E>"_s},
      0, "02 03", {});
  row("an end mark as <END>", {u"encode"_s, u"TABLE"_s, u"A<END>"_s}, 0, "41 FF", {});
  row("encode a character without a code", {u"encode"_s, u"TABLE"_s, u"AZ"_s}, 1, {},
      "No code for 'Z' (character 2).");
  row("a control code and its argument", {u"encode"_s, u"TABLE"_s, u"A<p><$05>"_s}, 0, "41 C9 05",
      {});
  row("a control code without its argument", {u"encode"_s, u"TABLE"_s, u"A<p>"_s}, 1, {},
      "The control code C9 <p> (character 2) takes 1 argument byte: <p><$XX>.");
  row("text not UTF-8", {u"encode"_s, u"TABLE"_s, u"HER\\xFF"_s}, 2, {},
      "orvane-tbl: TEXT is not valid UTF-8 (byte 4)");
  row("empty text", {u"encode"_s, u"TABLE"_s, QString()}, 2, {}, "orvane-tbl: The text is empty.");
  row("text from a file", {u"encode"_s, u"--file"_s, u"DIR/text.txt"_s, u"TABLE"_s}, 0, "42 81 40",
      {});
  row("text from a folder", {u"encode"_s, u"TABLE"_s, u"--file"_s, u"DIR"_s}, 1, {},
      "DIR is a folder.");
  row("a text and a file", {u"encode"_s, u"TABLE"_s, u"B"_s, u"--file"_s, u"DIR/text.txt"_s}, 2, {},
      "orvane-tbl: encode takes a TEXT or --file FILE, not both", true);
  row("search names the kana order romaji was read in",
      {u"search"_s, u"DIR/kana.bin"_s, u"takaramono"_s}, 0,
      "takaramono read as romaji in the order hiragana:\n1 hit: \xE3\x81\x82=10 (first at "
      "00000006)",
      {});
  row("encode without text", {u"encode"_s, u"TABLE"_s}, 2, {},
      "orvane-tbl: encode takes TABLE TEXT", true);
}

void DataCommandsTest::DecodeAndEncodeAnswerOrSayWhy() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exit_code);
  QFETCH(QByteArray, out);
  QFETCH(QByteArray, err);
  QFETCH(bool, usage);
  TempFolder folder;
  const QString table =
      folder.Write(u"t.tbl"_s,
                   "41=A\n42=B\n01=\x01\n*FE\n/FF=[end]\n8140=\xE4\xBA\x9C\n90=x\n"
                   "9042=\xE6\xBC\xA2\n5042=B\n02=\xC2\x9B\n03=\xE2\x80\xAE\n$C9=<p>,1\n");
  const QByteArray bytes = QByteArray::fromHex("410001fe42ff814042");
  const QString data = folder.Write(u"data.bin"_s, bytes);
  (void)folder.Write(u"empty.bin"_s, {});
  (void)folder.Write(u"one.bin"_s, "A");
  (void)folder.Write(u"kana.bin"_s, QByteArray::fromHex("0000000000001f153632280000000000"));
  (void)folder.Write(u"cut.bin"_s, "A\xC9");
  (void)folder.Write(u"cut_later.bin"_s, "A\xC9\x05");
  (void)folder.Write(u"text.txt"_s, "B\xE4\xBA\x9C\r\n");
  const QString dir = QFileInfo(data).path();
  const QByteArray cafe = QFile::encodeName(dir) + "/caf\xE9.bin";
  const int descriptor = open(cafe.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  QVERIFY(descriptor >= 0 && write(descriptor, bytes.constData(), 9) == 9 &&
          close(descriptor) == 0);
  QVERIFY(mkfifo(QFile::encodeName(dir + u"/pipe"_s).constData(), 0644) == 0);
  for (QString& argument : arguments) {
    argument.replace(u"TABLE"_s, table).replace(u"DATA"_s, data).replace(u"DIR"_s, dir);
  }
  const auto result = RunTblTool(ArgumentBytes(arguments));
  QCOMPARE(unlink(cafe.constData()), 0);  // Qt cannot name it
  QCOMPARE(result.exit_code, exit_code);
  QCOMPARE(result.out, out.isEmpty() ? out : out + '\n');
  QCOMPARE(result.err.split('\n').first(), err.replace("DIR", dir.toLocal8Bit()));
  QCOMPARE(result.err.contains("\nusage: orvane-tbl check FILE\n"), usage);
}

void DataCommandsTest::WhatDecodePrintsEncodesBack_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QByteArray>("data");     // in hex
  QTest::addColumn<QByteArray>("printed");  // by decode, after the offset
  QTest::newRow("control picture") << QByteArray("41=A\n09=\t\n") << QByteArray("410941")
                                   << QByteArray(
                                          "A\xE2\x90\x89"
                                          "A");
  QTest::newRow("a picture that is a code too")
      << QByteArray("09=\t\n42=\xE2\x90\x89\n") << QByteArray("0942")
      << QByteArray("\xE2\x90\x89\xE2\x90\x89");
  QTest::newRow("C1 control") << QByteArray("41=A\n9B=\xC2\x9B\n") << QByteArray("419B41")
                              << QByteArray("A<U+009B>A");
  QTest::newRow("bidirectional controls")
      << QByteArray("2E=\xE2\x80\xAE\n2F=\xE2\x80\x8F\n41=A\n") << QByteArray("2E412F")
      << QByteArray("<U+202E>A<U+200F>");
  QTest::newRow("a line separator inside a text") << QByteArray(
                                                         "41=A\xE2\x80\xA8"
                                                         "B\n")
                                                  << QByteArray("41") << QByteArray("A<U+2028>B");
  QTest::newRow("a text that reads as a marker")
      << QByteArray("30=<END>\n/FF=[end]\n") << QByteArray("30FF") << QByteArray("<END>[end]");
  QTest::newRow("control codes and the lines after codes")
      << QByteArray("$C9=<pause=>,1\n41=A\n$F0=[area],id\nFE=\\n\n/FF=[end]\\n\\n\n")
      << QByteArray("41C9FE41F0FEFE41FF")
      << QByteArray("A<pause=><$FE>A[area id=$FE]<LINE>A[end]<LINE><LINE>");
  QTest::newRow("labelled line break")
      << QByteArray("*FE=[br]\n41=A\n") << QByteArray("41FE41") << QByteArray("A[br]A");
}

// What decode prints, encode makes into bytes that decode prints the same way.
void DataCommandsTest::WhatDecodePrintsEncodesBack() {
  QFETCH(QByteArray, table);
  QFETCH(QByteArray, data);
  QFETCH(QByteArray, printed);
  TempFolder folder;
  const QString path = folder.Write(u"t.tbl"_s, table);
  const QString first = folder.Write(u"d.bin"_s, QByteArray::fromHex(data));
  auto result = RunTblTool({u"decode"_s, path, first});
  QCOMPARE(result.out, "00000000: " + printed + '\n');
  result = RunTblTool({u"encode"_s, path, QString::fromUtf8(printed)});
  QCOMPARE(result.exit_code, 0);
  const QString again =
      folder.Write(u"e.bin"_s, QByteArray::fromHex(result.out.trimmed().replace(' ', "")));
  QCOMPARE(RunTblTool({u"decode"_s, path, again}).out, "00000000: " + printed + '\n');
}

void DataCommandsTest::DecodeStopsWhenItsOutputCloses_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::newRow("one long string") << QByteArray(1 << 20, 'A');
  QTest::newRow("many strings") << QByteArray("A\xFF").repeated(1 << 19);
}

// The first lines go out before the data is read to its end, and once the output takes no more,
// nothing more is made.
void DataCommandsTest::DecodeStopsWhenItsOutputCloses() {
  QFETCH(QByteArray, data);
  TempFolder folder;
  const QString table = folder.Write(u"t.tbl"_s, "41=A\n/FF\n");
  ClosingOutput out;
  const auto result = RunTblTool(
      QList<QByteArray>{"decode", table.toUtf8(), folder.Write(u"d.bin"_s, data).toUtf8()}, out);
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, QByteArray());
  QVERIFY(out.Taken().startsWith("00000000: "));
  QVERIFY2(out.Taken().size() < data.size(), "the output waited for the end of the data");
  QCOMPARE(out.Refused(), 1);
}

QTEST_GUILESS_MAIN(DataCommandsTest)
#include "data_commands_test.moc"
