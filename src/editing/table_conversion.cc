#include "editing/table_conversion.h"

#include "model/file_layout.h"
#include "model/hex.h"
#include "text/codec.h"

#include <algorithm>
#include <array>

namespace orvane::editing {
namespace {

// The table's texts with the new bytes, built before anything changes.
struct Converted {
  model::CodeStore codes;
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

// The extra lines in the target, in one buffer as a load keeps them.
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
  return converted;
}

// Every code's text and label in the target, loaded into a store of their own as a file's are:
// there can be tens of thousands.
model::CodeStore ConvertCodes(const model::CodeStore& codes, text::Encoding from, text::Encoding to,
                              QList<ConversionFailure>& failures) {
  struct Placed {
    model::Code code;
    bool special;
    qsizetype text_begin, text_end, label_end;
  };
  QByteArray source;
  std::vector<Placed> placed;
  codes.ForEach([&](const model::Code& code, const model::CodeView& view) {
    Placed at{code, view.special, source.size(), 0, 0};
    const bool text = AppendConvertedText(source, view.text, from, to);
    at.text_end = source.size();
    const bool label = AppendConvertedText(source, view.label, from, to);
    at.label_end = source.size();
    if (!text || !label) {
      failures.append(
          {QStringLiteral("code %1").arg(QString::fromLatin1(code.Hex())),
           WhyNotConvertible(text ? view.label : view.text, from, to).value_or(Unconvertible{})});
    }
    placed.push_back(at);
  });
  model::CodeStore::Loader loader(source);
  const QByteArrayView all(source);
  for (const Placed& at : placed) {
    loader.Append(at.code, all.sliced(at.text_begin, at.text_end - at.text_begin), at.special,
                  all.sliced(at.text_end, at.label_end - at.text_end));
  }
  return loader.Finish();
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

QList<ConversionFailure> ConvertTable(model::TableDocument& document, text::Encoding target,
                                      model::SaveLayout save) {
  const text::Encoding from = document.Encoding();
  QList<ConversionFailure> failures;
  Converted converted;
  // In the order a save writes them.
  converted.extra_lines = ConvertExtraLines(document.GetExtraLines(), from, target, failures);
  converted.codes = ConvertCodes(document.Codes(), from, target, failures);
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    const QByteArray title = document.GetBookmark(slot).value_or(model::Bookmark{}).title;
    if (!AppendConvertedText(converted.titles[static_cast<size_t>(slot)], title, from, target)) {
      failures.append({QStringLiteral("bookmark %1").arg(slot + 1),
                       WhyNotConvertible(title, from, target).value_or(Unconvertible{})});
    }
  }
  // The lines of the file that a save writes as they were read, a later line having replaced
  // them: converted too, or the conversion is refused, never left in the old encoding.
  model::ConvertedLayout layout;
  if (document.Layout()) {
    layout = model::ConvertLayout(*document.Layout(), from, target);
    for (const model::LayoutFailure& failure : layout.failures) {
      if (failure.single_byte && save == model::SaveLayout::kCanonical) continue;
      failures.append({QStringLiteral("line %1").arg(failure.line),
                       WhyNotConvertible(failure.bytes, from, target).value_or(Unconvertible{})});
    }
  }
  if (!failures.isEmpty()) return failures;

  model::BulkChange bulk(document);
  document.SetCodes(converted.codes);
  document.SetExtraLines({});
  document.AddExtraLines(converted.extra_lines);
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    const model::Bookmark bookmark = document.GetBookmark(slot).value_or(model::Bookmark{});
    if (!bookmark.title.isEmpty()) {
      (void)document.SetBookmark(slot, bookmark.address,
                                 converted.titles[static_cast<size_t>(slot)], bookmark.origin);
    }
  }
  if (layout.layout) document.SetLayout(layout.layout);
  document.SetEncoding(target);
  document.SetForm(text::FileForm::kPlain);
  return {};
}

}  // namespace orvane::editing
