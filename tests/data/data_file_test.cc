#include "data/data_file.h"

#include "data/find_bytes.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using testing::TempFolder;

namespace {

// The access modes of this process's open descriptors of `path`, from /proc.
QList<int> AccessModes(const QString& path) {
  QList<int> modes;
  const QDir fds(u"/proc/self/fd"_s);
  for (const QString& fd : fds.entryList(QDir::Files | QDir::System)) {
    if (QFileInfo(fds.filePath(fd)).symLinkTarget() != QFileInfo(path).canonicalFilePath())
      continue;
    QFile info(u"/proc/self/fdinfo/"_s + fd);
    if (!info.open(QIODevice::ReadOnly)) continue;
    for (const QByteArray& line : info.readAll().split('\n')) {
      if (line.startsWith("flags:")) modes << (line.mid(6).trimmed().toInt(nullptr, 8) & O_ACCMODE);
    }
  }
  return modes;
}

}  // namespace

class DataFileTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensOrSaysWhy_data();
  void OpensOrSaysWhy();
  void ReadsTheFileAsItIsNowAndOnlyReads();
  void FindsEveryOffsetAcrossBlocks_data();
  void FindsEveryOffsetAcrossBlocks();
  void FindTaskStopsAndGivesItsResultOnce();
};

void DataFileTest::OpensOrSaysWhy_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("why");  // %1 is the path
  QTest::newRow("missing") << u"missing.bin"_s << u"%1: No such file or directory"_s;
  QTest::newRow("folder") << u"folder"_s << u"%1 is a folder."_s;
  QTest::newRow("device") << u"/dev/null"_s << u"%1 is not a regular file."_s;
  QTest::newRow("empty") << u"empty.bin"_s << QString();
}

void DataFileTest::OpensOrSaysWhy() {
  QFETCH(QString, name);
  QFETCH(QString, why);
  TempFolder folder;
  (void)folder.Write(u"empty.bin"_s, {});
  QVERIFY(QDir(folder.Path({})).mkdir(u"folder"_s));
  const QString path = name.startsWith(u'/') ? name : folder.Path(name);
  data::DataFile file;
  const auto error = file.Open(path);
  QCOMPARE(error.value_or(QString()), why.isEmpty() ? why : why.arg(path));
  QCOMPARE(file.IsOpen(), why.isEmpty());
  QCOMPARE(file.Size(), 0);
  QCOMPARE(file.Read(0, 16), QByteArray());
  const data::FindResult found = data::FindInFile(path, "x");
  QCOMPARE(found.error, error.value_or(QString()));
  QCOMPARE(found.total, 0);
}

void DataFileTest::ReadsTheFileAsItIsNowAndOnlyReads() {
  TempFolder folder;
  const QByteArray bytes = QByteArray("0123456789").repeated(100);
  const QString path = folder.Write(u"rom.bin"_s, bytes);
  QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QDateTime modified = QFileInfo(path).lastModified();
  data::DataFile file;
  QVERIFY(!file.Open(path));
  QCOMPARE(AccessModes(path), QList<int>{O_RDONLY});
  QCOMPARE(file.Read(995, 10), "56789");
  QCOMPARE(file.Read(1000, 10), QByteArray());
  QCOMPARE(data::FindInFile(path, "789").total, 100);
  QCOMPARE(TempFolder::Read(path), bytes);
  QCOMPARE(QFileInfo(path).lastModified(), modified);

  // Truncated on disk: the file reads shorter at once.
  QVERIFY(QFile::resize(path, 15));
  QCOMPARE(file.Size(), 15);
  QCOMPARE(file.Read(10, 10), "01234");
  QCOMPARE(file.Read(500, 10), QByteArray());
  // Replaced on disk: the open file reads as it was until it is opened again.
  const QString fresh = folder.Write(u"new.bin"_s, "abc");
  QVERIFY(QFile::remove(path) && QFile::rename(fresh, path));
  QCOMPARE(file.Read(0, 20), bytes.first(15));
  QVERIFY(!file.Open(path));
  QCOMPARE(file.Read(0, 20), "abc");
}

void DataFileTest::FindsEveryOffsetAcrossBlocks_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<QByteArray>("pattern");
  QTest::addColumn<QList<qint64>>("first");  // the first three listed
  QTest::addColumn<qint64>("listed");
  QTest::addColumn<qint64>("total");
  constexpr qint64 kBlock = qint64{4} << 20;
  QByteArray across(kBlock + 100, '\0');
  across.replace(kBlock - 2, 4, "\x82\xA0\x82\xA2");
  across.replace(kBlock + 50, 4, "\x82\xA0\x82\xA2");
  QTest::newRow("across a block's end") << across << QByteArray("\x82\xA0\x82\xA2")
                                        << QList<qint64>{kBlock - 2, kBlock + 50} << 2LL << 2LL;
  QTest::newRow("overlapping") << QByteArray("AAAA") << QByteArray("AA") << QList<qint64>{0, 1, 2}
                               << 3LL << 3LL;
  QTest::newRow("more than listed") << QByteArray("ab").repeated(1500) << QByteArray("ab")
                                    << QList<qint64>{0, 2, 4} << 1000LL << 1500LL;
  QTest::newRow("longer than the data")
      << QByteArray("ab") << QByteArray("abc") << QList<qint64>{} << 0LL << 0LL;
}

void DataFileTest::FindsEveryOffsetAcrossBlocks() {
  QFETCH(QByteArray, data);
  QFETCH(QByteArray, pattern);
  QFETCH(QList<qint64>, first);
  QFETCH(qint64, listed);
  QFETCH(qint64, total);
  TempFolder folder;
  const data::FindResult result = data::FindInFile(folder.Write(u"d.bin"_s, data), pattern);
  QCOMPARE(result.offsets.first(std::min<qsizetype>(3, result.offsets.size())), first);
  QCOMPARE(result.offsets.size(), listed);
  QCOMPARE(result.total, total);
  QVERIFY(!result.stopped && result.error.isEmpty());
}

void DataFileTest::FindTaskStopsAndGivesItsResultOnce() {
  TempFolder folder;
  const QString path = folder.Write(u"big.bin"_s, QByteArray(qsizetype{64} << 20, 'x'));
  data::FindTask task;
  task.Start(path, "xy");
  task.Cancel();
  QVERIFY(!task.Running());
  QVERIFY(!task.Take());
  task.Start(path, "xx");
  task.Start(path, "\x82\xA0");  // a new Find stops the one running
  QTRY_VERIFY_WITH_TIMEOUT(!task.Running(), 60000);
  const auto result = task.Take();
  QVERIFY(result);
  QCOMPARE(result->total, 0);
  QCOMPARE(task.Searched(), qint64{64} << 20);
  QVERIFY(!task.Take());
  task.Start(path, "x");  // left running: the destructor stops it
}

QTEST_GUILESS_MAIN(DataFileTest)
#include "data_file_test.moc"
