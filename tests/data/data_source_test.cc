#include "data/data_source.h"

#include "data/find_bytes.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

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

// Up to `size` bytes from `offset`.
QByteArray Read(data::DataSource& source, qint64 offset, qint64 size) {
  QByteArray bytes(size, '\0');
  const qint64 got = source.Read(offset, bytes.data(), size);
  return got < 0 ? QByteArray("error") : bytes.first(got);
}

}  // namespace

class DataSourceTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensOrSaysWhy_data();
  void OpensOrSaysWhy();
  void ReadsTheFileAsItIsNowAndOnlyReads();
  void FindsEveryOffsetAcrossBlocks_data();
  void FindsEveryOffsetAcrossBlocks();
};

void DataSourceTest::OpensOrSaysWhy_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("descriptor");  // opened by the caller, as the tool opens a file
  QTest::addColumn<QString>("why");      // %1 is the path
  QTest::newRow("missing") << u"missing.bin"_s << false << u"%1: No such file or directory"_s;
  for (const bool descriptor : {false, true}) {
    const char* by = descriptor ? ", by descriptor" : "";
    QTest::addRow("folder%s", by) << u"folder"_s << descriptor << u"%1 is a folder."_s;
    QTest::addRow("device%s", by) << u"/dev/null"_s << descriptor << u"%1 is not a regular file."_s;
    QTest::addRow("empty%s", by) << u"empty.bin"_s << descriptor << QString();
  }
}

void DataSourceTest::OpensOrSaysWhy() {
  QFETCH(QString, name);
  QFETCH(bool, descriptor);
  QFETCH(QString, why);
  TempFolder folder;
  (void)folder.Write(u"empty.bin"_s, {});
  QVERIFY(QDir(folder.Path({})).mkdir(u"folder"_s));
  const QString path = name.startsWith(u'/') ? name : folder.Path(name);
  const data::OpenedSource opened =
      descriptor ? data::FileSource::FromDescriptor(::open(QFile::encodeName(path), O_RDONLY), path)
                 : data::FileSource::Open(path);
  QCOMPARE(opened.error, why.isEmpty() ? why : why.arg(path));
  QCOMPARE(opened.source != nullptr, why.isEmpty());
  if (opened.source) QCOMPARE(Read(*opened.source, 0, 16), QByteArray());
  if (descriptor) return;
  const data::FindResult found = data::FindInFile(path, "x");
  QCOMPARE(found.error, opened.error);
  QCOMPARE(found.total, 0);
}

void DataSourceTest::ReadsTheFileAsItIsNowAndOnlyReads() {
  TempFolder folder;
  const QByteArray bytes = QByteArray("0123456789").repeated(100);
  const QString path = folder.Write(u"rom.bin"_s, bytes);
  QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QDateTime modified = QFileInfo(path).lastModified();
  data::OpenedSource opened = data::FileSource::Open(path);
  QVERIFY(opened.source);
  data::FileSource& file = *opened.source;
  QCOMPARE(AccessModes(path), QList<int>{O_RDONLY});
  QCOMPARE(Read(file, 995, 10), "56789");
  QCOMPARE(Read(file, 1000, 10), QByteArray());
  QCOMPARE(data::FindInFile(path, "789").total, 100);
  QCOMPARE(TempFolder::Read(path), bytes);
  QCOMPARE(QFileInfo(path).lastModified(), modified);

  // Truncated on disk: the file reads shorter at once.
  QVERIFY(QFile::resize(path, 15));
  QCOMPARE(file.Size(), 15);
  QCOMPARE(Read(file, 10, 10), "01234");
  QCOMPARE(Read(file, 500, 10), QByteArray());
  // Replaced on disk: the open file reads as it was until it is opened again.
  const QString fresh = folder.Write(u"new.bin"_s, "abc");
  QVERIFY(QFile::remove(path) && QFile::rename(fresh, path));
  QCOMPARE(Read(file, 0, 20), bytes.first(15));
  opened = data::FileSource::Open(path);
  QCOMPARE(Read(*opened.source, 0, 20), "abc");
}

void DataSourceTest::FindsEveryOffsetAcrossBlocks_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<QByteArray>("pattern");
  QTest::addColumn<QList<qint64>>("first");  // the first three listed
  QTest::addColumn<qint64>("listed");
  QTest::addColumn<qint64>("total");
  QByteArray across(100, '\0');
  across.replace(14, 4, "\x82\xA0\x82\xA2");
  across.replace(63, 4, "\x82\xA0\x82\xA2");
  QTest::newRow("across blocks' ends")
      << across << QByteArray("\x82\xA0\x82\xA2") << QList<qint64>{14, 63} << 2LL << 2LL;
  QTest::newRow("overlapping") << QByteArray("AAAA") << QByteArray("AA") << QList<qint64>{0, 1, 2}
                               << 3LL << 3LL;
  QTest::newRow("more than listed") << QByteArray("ab").repeated(1500) << QByteArray("ab")
                                    << QList<qint64>{0, 2, 4} << 1000LL << 1500LL;
  QTest::newRow("longer than the data")
      << QByteArray("ab") << QByteArray("abc") << QList<qint64>{} << 0LL << 0LL;
}

void DataSourceTest::FindsEveryOffsetAcrossBlocks() {
  QFETCH(QByteArray, data);
  QFETCH(QByteArray, pattern);
  QFETCH(QList<qint64>, first);
  QFETCH(qint64, listed);
  QFETCH(qint64, total);
  for (const qint64 block : {qint64{1}, qint64{2}, qint64{3}, qint64{16}, data::kFindBlock}) {
    data::BytesSource source(data);
    qint64 done = 0;
    const data::FindResult result = data::FindInSource(
        source, pattern, {}, [&done](qint64 at, qint64) { done = at; }, block);
    QCOMPARE(result.offsets.first(std::min<qsizetype>(3, result.offsets.size())), first);
    QCOMPARE(result.offsets.size(), listed);
    QCOMPARE(result.total, total);
    QCOMPARE(done, data.size());
    QVERIFY(!result.stopped && result.error.isEmpty());
  }
}

QTEST_GUILESS_MAIN(DataSourceTest)
#include "data_source_test.moc"
