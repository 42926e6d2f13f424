#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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

}  // namespace orvane::testing
