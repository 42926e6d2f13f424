#include "support/temp_table.h"

#include "orvane_version.h"

#include <QFile>

namespace orvane::testing {

QString TempFolder::Write(const QString& name, const QByteArray& bytes) const {
  QString path = Path(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

QByteArray TempFolder::Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QString DataPath(const QString& name) {
  return QStringLiteral(ORVANE_FIXTURES) + QLatin1Char('/') + name;
}

QString TitleFor(const QString& path) {
  return path + QStringLiteral(" - Orvane ") + QLatin1String(kVersion);
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int value : values) bytes.append(static_cast<char>(value));
  return bytes;
}

QList<QByteArray> ArgumentBytes(const QStringList& arguments) {
  QList<QByteArray> bytes;
  for (const QString& argument : arguments) {
    QByteArray utf8 = argument.toUtf8();
    for (qsizetype at = utf8.indexOf("\\x"); at >= 0 && at + 4 <= utf8.size();
         at = utf8.indexOf("\\x", at + 1)) {
      bool ok = false;
      const int byte = utf8.mid(at + 2, 2).toInt(&ok, 16);
      if (ok) utf8.replace(at, 4, QByteArray(1, static_cast<char>(byte)));
    }
    bytes.append(utf8);
  }
  return bytes;
}

}  // namespace orvane::testing

char* orvane::model::toString(const Code& code) { return qstrdup(code.Hex().constData()); }
