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
