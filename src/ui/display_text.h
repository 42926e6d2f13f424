#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <optional>

namespace orvane::model {
class TableDocument;
}

namespace orvane::ui {

// How a table's bytes are shown. Only the screen converts; stored bytes never change.
enum class TextEncoding {
  // A pair of bytes A1..FE that is a JIS X 0208 character shows as it; any other byte as its
  // Windows-1252 character.
  kEucJp,
  // Texts that are valid UTF-8 show as UTF-8; any other text falls back to the EUC-JP rule.
  kUtf8,
};

// One visible character per byte, or per EUC-JP pair, or per UTF-8 sequence: control bytes
// become control pictures, so a cell never shows blank and never breaks its row.
[[nodiscard]] QString DisplayText(QByteArrayView bytes, TextEncoding encoding);

// UTF-8 when the table has at least one non-ASCII text and every such text is valid UTF-8.
[[nodiscard]] TextEncoding DetectEncoding(const model::TableDocument& document);

// Bytes of typed text in the table's encoding: UTF-8, or for EUC-JP its JIS X 0208 pairs and,
// for other characters, the Windows-1252 byte a key would type. Nothing when a character has
// no form in it.
[[nodiscard]] std::optional<QByteArray> EncodeText(const QString& text, TextEncoding encoding);

// The byte of a typed character of Latin-1 or Windows-1252, or nothing.
[[nodiscard]] std::optional<quint8> KeyByte(QChar character);

}  // namespace orvane::ui
