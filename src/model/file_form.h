#pragma once

#include "model/table_file.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <variant>

namespace orvane::model {

// A file's form, where its text starts after the byte-order mark, and the text converted to
// UTF-8 when the file is UTF-16.
struct FormAndText {
  text::FileForm form = text::FileForm::kPlain;
  qsizetype start = 0;
  std::optional<QByteArray> converted;
};

// How the file holds its text, or why it cannot be read (UTF-16 that is not valid UTF-16).
[[nodiscard]] std::variant<FormAndText, LoadError> ReadForm(QByteArrayView bytes);

}  // namespace orvane::model
