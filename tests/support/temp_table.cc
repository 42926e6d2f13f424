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

}  // namespace orvane::testing

char* orvane::model::toString(const Code& code) { return qstrdup(code.Hex().constData()); }
