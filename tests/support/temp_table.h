#pragma once

#include "model/code.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>

namespace orvane::testing {

// A scratch folder for table files, removed with the object.
class TempFolder {
 public:
  [[nodiscard]] QString Path(const QString& name) const { return dir_.filePath(name); }
  // Writes the bytes to `name` in the folder and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) const;
  [[nodiscard]] static QByteArray Read(const QString& path);

 private:
  QTemporaryDir dir_;
};

// The path of a fixture file in tests/fixtures.
[[nodiscard]] QString DataPath(const QString& name);

// The window title of a table at `path`: the path, " - Orvane " and the version.
[[nodiscard]] QString TitleFor(const QString& path);

// Bytes written as numbers, for texts that are not ASCII.
[[nodiscard]] QByteArray Bytes(std::initializer_list<int> values);

// Command-line arguments in UTF-8, each "\\xHH" in them made that byte: a name or a text that is
// not UTF-8, which a QString cannot carry.
[[nodiscard]] QList<QByteArray> ArgumentBytes(const QStringList& arguments);

}  // namespace orvane::testing

namespace orvane::model {
// A code as QCOMPARE prints it on failure: its hexadecimal digits.
[[nodiscard]] char* toString(const Code& code);
}  // namespace orvane::model
