#include "editing/table_conversion.h"

#include "model/hex.h"
#include "model/table_layout.h"
#include "text/codec.h"

#include <algorithm>
#include <array>

namespace orvane::editing {
namespace {

// The table's texts with the new bytes, built before anything changes.
struct Converted {
  std::array<QByteArray, model::kCodeCount> cells;
  std::array<QByteArray, model::kCodeCount> labels;
  std::array<QByteArray, model::kSlotCount> titles;
  model::ExtraLines extra_lines;
};

// The fewest neighbouring characters (up to a few) that read back as others, so a message can
// quote them rather than a whole line; else all of them.
QString MisreadPart(const QString& characters, text::Encoding to) {
  constexpr qsizetype kLongest = 4;
  for (qsizetype length = 2; length <= std::min(kLongest, characters.size() - 1); ++length) {
    for (qsizetype at = 0; at + length <= characters.size(); ++at) {
      QString part = characters.mid(at, length);
      const std::optional<QByteArray> bytes = text::EncodeText(part, to);
      if (bytes && text::Decode(*bytes, to) != part) return part;
    }
  }
  return characters;
}

// Appends the text in the target. Into its own encoding only when valid there: a conversion
// reads every text.
bool AppendConvertedText(QByteArray& out, QByteArrayView bytes, text::Encoding from,
                         text::Encoding to) {
  return (from != to || text::IsValidIn(bytes, from)) &&
         text::AppendConverted(out, bytes, from, to);
}

// The extra lines in the target, in one buffer as a load keeps them: there can be millions.
model::ExtraLines ConvertExtraLines(const model::ExtraLines& lines, text::Encoding from,
                                    text::Encoding to, QList<ConversionFailure>& failures) {
  model::ExtraLines converted;
  converted.ReserveLines(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArrayView line = lines.at(i);
    if (!converted.AppendWritten(
            [&](QByteArray& text) { return AppendConvertedText(text, line, from, to); },
            lines.Origin(i))) {
      failures.append({QStringLiteral("extra line %1").arg(i + 1),
                       WhyNotConvertible(line, from, to).value_or(Unconvertible{})});
    }
  }
  (void)converted.FinishLoad();
  return converted;
}

}  // namespace

QString Unconvertible::What(text::Encoding from, text::Encoding to) const {
  if (character.isEmpty())
    return QStringLiteral("bytes that are not %1").arg(text::EncodingName(from));
  QString quoted = u'\'' + character + u'\'';
  if (!misread) return quoted;
  return QStringLiteral("%1, which %2 reads as other characters")
      .arg(quoted, text::EncodingName(to));
}

std::optional<Unconvertible> WhyNotConvertible(QByteArrayView bytes, text::Encoding from,
                                               text::Encoding to) {
  const std::optional<QString> characters = text::Decode(bytes, from);
  if (!characters) return Unconvertible{};
  if (text::Convert(bytes, from, to)) return std::nullopt;  // as nearly every text does
  for (qsizetype i = 0; i < characters->size(); ++i) {
    const bool pair = characters->at(i).isHighSurrogate() && i + 1 < characters->size() &&
                      characters->at(i + 1).isLowSurrogate();
    const QStringView character = QStringView(*characters).mid(i, pair ? 2 : 1);
    if (!text::EncodeText(character, to)) return Unconvertible{character.toString(), false};
    i += pair ? 1 : 0;
  }
  return Unconvertible{MisreadPart(*characters, to), true};
}

QList<ConversionFailure> ConvertTable(model::TableDocument& document, text::Encoding target) {
  const text::Encoding from = document.Encoding();
  QList<ConversionFailure> failures;
  Converted converted;
  const auto convert = [&](QByteArrayView bytes, const QString& where) -> QByteArray {
    QByteArray out;
    if (!AppendConvertedText(out, bytes, from, target)) {
      failures.append({where, WhyNotConvertible(bytes, from, target).value_or(Unconvertible{})});
    }
    return out;
  };
  // In the order a save writes them.
  converted.extra_lines = ConvertExtraLines(document.GetExtraLines(), from, target, failures);
  for (int c = 0; c < model::kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const QString where = QStringLiteral("code %1").arg(QString::fromLatin1(model::HexByte(code)));
    converted.cells[code] = convert(document.GetCellText(code), where);
    converted.labels[code] = convert(document.MarkLabel(code), where);
  }
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    converted.titles[static_cast<size_t>(slot)] =
        convert(document.GetBookmark(slot).value_or(model::Bookmark{}).title,
                QStringLiteral("bookmark %1").arg(slot + 1));
  }
  if (!failures.isEmpty()) return failures;

  model::BulkChange bulk(document);
  for (int c = 0; c < model::kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    document.SetCellText(code, converted.cells[code]);
    if (document.IsSpecial(code)) document.SetMarkLabel(code, converted.labels[code]);
  }
  document.SetExtraLines({});
  document.AddExtraLines(converted.extra_lines);
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    const model::Bookmark bookmark = document.GetBookmark(slot).value_or(model::Bookmark{});
    if (!bookmark.title.isEmpty()) {
      (void)document.SetBookmark(slot, bookmark.address,
                                 converted.titles[static_cast<size_t>(slot)], bookmark.origin);
    }
  }
  if (document.Layout()) document.SetLayout(model::ConvertLayout(*document.Layout(), from, target));
  document.SetEncoding(target);
  document.SetForm(text::FileForm::kPlain);
  return {};
}

}  // namespace orvane::editing
