#include "model/table_document.h"
#include "model/table_file.h"
#include "support/file_size_limit.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using orvane::model::TableDocument;
using orvane::testing::FileSizeLimit;
using orvane::testing::TempFolder;

namespace {

const QByteArray kOldBytes = "41=old\r\n";

// A table far larger than the file-size limit the tests set.
void FillLarge(TableDocument& document) {
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), QByteArray(200, 'x'));
  }
}

}  // namespace

class TableFileSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void SaveOverFolderFailsAndLeavesItAlone();
  void SaveOntoWhatIsNotARegularFileIsRefused_data();
  void SaveOntoWhatIsNotARegularFileIsRefused();
  void SaveIntoMissingFolderFailsAndCreatesNothing();
  void SavePastFileSizeLimitLeavesOldFile();
  void SaveKeepsPermissionBits();
  void SaveReplacesWholeContent();
};

void TableFileSaveTest::SaveOverFolderFailsAndLeavesItAlone() {
  TempFolder folder;
  const QString path = folder.Path(QStringLiteral("table.tbl"));
  QVERIFY(QDir().mkdir(path));
  folder.Write(QStringLiteral("table.tbl/inside"), kOldBytes);
  TableDocument document;
  document.SetCellText(0x41, "A");
  const auto error = orvane::model::SaveTable(document, path);
  QVERIFY(error.has_value());
  QVERIFY(!error->reason.isEmpty());
  QVERIFY(QFileInfo(path).isDir());
  QCOMPARE(TempFolder::Read(path + QStringLiteral("/inside")), kOldBytes);
  QCOMPARE(document.TablePath(), QStringLiteral("Unnamed"));
}

void TableFileSaveTest::SaveOntoWhatIsNotARegularFileIsRefused_data() {
  QTest::addColumn<QString>("link_to");  // the save goes through a link to it, when named
  QTest::addColumn<QString>("reason");
  QTest::newRow("named pipe") << QString() << QStringLiteral("Is a named pipe, not a regular file");
  QTest::newRow("link to a named pipe")
      << QStringLiteral("pipe")
      << QStringLiteral("Is a symbolic link to a named pipe, not a regular file");
  QTest::newRow("link to nothing")
      << QStringLiteral("gone")
      << QStringLiteral("Is a symbolic link to nothing, not a regular file");
  QTest::newRow("link to a table: written through it") << QStringLiteral("old.tbl") << QString();
}

void TableFileSaveTest::SaveOntoWhatIsNotARegularFileIsRefused() {
  QFETCH(QString, link_to);
  QFETCH(QString, reason);
  TempFolder folder;
  const QString pipe = folder.Path(QStringLiteral("pipe"));
  QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  const QString old = folder.Write(QStringLiteral("old.tbl"), kOldBytes);
  QString path = pipe;
  if (!link_to.isEmpty()) {
    path = folder.Path(QStringLiteral("link"));
    QVERIFY(QFile::link(link_to, path));
  }
  TableDocument document;
  document.SetCellText(0x41, "A");
  const auto error = orvane::model::SaveTable(document, path);
  QCOMPARE(error.value_or(orvane::model::SaveError{}).reason, reason);
  struct stat info {};
  QCOMPARE(stat(QFile::encodeName(pipe).constData(), &info), 0);
  QVERIFY(S_ISFIFO(info.st_mode));
  QCOMPARE(QFileInfo(path).isSymLink(), !link_to.isEmpty());
  QCOMPARE(TempFolder::Read(old), reason.isEmpty() ? QByteArray("41=A\r\n") : kOldBytes);
}

void TableFileSaveTest::SaveIntoMissingFolderFailsAndCreatesNothing() {
  TempFolder folder;
  const QString path = folder.Path(QStringLiteral("missing/table.tbl"));
  TableDocument document;
  document.SetCellText(0x41, "A");
  const auto error = orvane::model::SaveTable(document, path);
  QVERIFY(error.has_value());
  QCOMPARE(error->reason, QStringLiteral("No such file or directory"));
  QVERIFY(!QFileInfo::exists(folder.Path(QStringLiteral("missing"))));
  QCOMPARE(document.TablePath(), QStringLiteral("Unnamed"));
}

// The short write QSaveFile would otherwise commit as a truncated file; the reason is the
// system's, not Qt's "Unknown error" for a short write.
void TableFileSaveTest::SavePastFileSizeLimitLeavesOldFile() {
  TempFolder folder;
  const QString path = folder.Write(QStringLiteral("table.tbl"), kOldBytes);
  TableDocument document;
  FillLarge(document);
  std::optional<orvane::model::SaveError> error;
  {
    FileSizeLimit limit(4096);
    QVERIFY(limit.ok());
    error = orvane::model::SaveTable(document, path);
  }
  QVERIFY(error.has_value());
  QCOMPARE(error->reason, QStringLiteral("File too large"));
  QCOMPARE(TempFolder::Read(path), kOldBytes);
  QCOMPARE(QDir(folder.Path({})).entryList(QDir::Files | QDir::Hidden),
           QStringList{QStringLiteral("table.tbl")});
  QCOMPARE(document.TablePath(), QStringLiteral("Unnamed"));

  QVERIFY(!orvane::model::SaveTable(document, path));
  QCOMPARE(TempFolder::Read(path), orvane::model::TableToBytes(document));
}

void TableFileSaveTest::SaveKeepsPermissionBits() {
  TempFolder folder;
  const QString path = folder.Write(QStringLiteral("table.tbl"), kOldBytes);
  const QByteArray native = QFile::encodeName(path);
  QCOMPARE(chmod(native.constData(), 0640), 0);
  TableDocument document;
  document.SetCellText(0x41, "A");
  QVERIFY(!orvane::model::SaveTable(document, path));
  struct stat info {};
  QCOMPARE(stat(native.constData(), &info), 0);
  QCOMPARE(info.st_mode & 07777, mode_t{0640});
  QCOMPARE(TempFolder::Read(path), QByteArray("41=A\r\n"));
}

void TableFileSaveTest::SaveReplacesWholeContent() {
  TempFolder folder;
  const QString path = folder.Write(QStringLiteral("table.tbl"), QByteArray(5000, 'z'));
  TableDocument document;
  QVERIFY(!orvane::model::SaveTable(document, path));
  QCOMPARE(TempFolder::Read(path), QByteArray());
  QCOMPARE(document.TablePath(), path);
  QCOMPARE(document.WindowTitle(), orvane::testing::TitleFor(path));
}

QTEST_GUILESS_MAIN(TableFileSaveTest)
#include "table_file_save_test.moc"
