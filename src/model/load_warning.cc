#include "model/table_file.h"

namespace orvane::model {

QByteArray WarningText(const LoadWarning& warning) {
  const QByteArray code = warning.code.Hex();
  switch (warning.kind) {
    case LoadWarning::Kind::kReplaced:
    case LoadWarning::Kind::kDefinedAgain:
      return "code " + code + " is defined again on line " +
             QByteArray::number(warning.replaced_by);
    case LoadWarning::Kind::kNoText:
      return "code " + code + " has no text";
    case LoadWarning::Kind::kKeptAsExtraLine:
      return "kept as an extra line";
    case LoadWarning::Kind::kNulBytes:
      return "holds bytes that table files do not hold (NUL); it may not be a table";
    case LoadWarning::Kind::kNotValid:
      return "not valid " + text::EncodingName(warning.encoding).toUtf8();
  }
  return {};
}

}  // namespace orvane::model
