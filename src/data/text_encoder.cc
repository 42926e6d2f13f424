#include "data/text_encoder.h"

#include "data/string_reader.h"
#include "text/display_text.h"

#include <QRegularExpression>

#include <algorithm>

namespace orvane::data {
namespace {

QString Elided(const QString& text) {
  if (text.size() <= kShownInMessage) return text;
  const qsizetype end =
      text[kShownInMessage - 1].isHighSurrogate() ? kShownInMessage - 1 : kShownInMessage;
  return text.first(end) + u'…';
}

QString ElidedBytes(QByteArrayView bytes) {
  if (bytes.size() <= kShownInMessage) return HexBytes(bytes);
  return HexBytes(bytes.first(kShownInMessage)) + QStringLiteral(" …");
}

// The number of the character at a UTF-16 index, from 1, a surrogate pair counting once.
qsizetype CharacterNumber(QStringView text, qsizetype index) {
  qsizetype number = 1;
  for (qsizetype i = 0; i < index; ++i, ++number) {
    if (text[i].isHighSurrogate() && i + 1 < index && text[i + 1].isLowSurrogate()) ++i;
  }
  return number;
}

QString CharacterAt(QStringView text, qsizetype index) {
  const bool pair =
      text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
  return text.sliced(index, pair ? 2 : 1).toString();
}

// What else a code stands for: its reading as printed where that is not the reading itself.
QStringList AliasesOf(const CodeReading& reading) {
  QStringList aliases;
  if (reading.labelled) {
    aliases << (reading.kind == CodeKind::kEnd ? kEndMarker : kLineMarker).toString();
  }
  if (QString printed = text::WithInvisibleAsCodes(reading.shown); printed != reading.shown) {
    aliases << std::move(printed);
  }
  return aliases;
}

void KeepFewest(QHash<QString, QByteArray>& fewest, const QString& text, const QByteArray& bytes) {
  QByteArray& best = fewest[text];
  if (best.isEmpty() || bytes.size() < best.size() ||
      (bytes.size() == best.size() && bytes < best)) {
    best = bytes;
  }
}

}  // namespace

QString EncodeResult::Message() const {
  switch (status) {
    case Status::kOk:
      if (shortest.isEmpty()) return {};
      return QStringLiteral("The fewest bytes, %1, read back as '%2'; these read back as the text.")
          .arg(ElidedBytes(shortest), Elided(read_back));
    case Status::kNoCode:
      return QStringLiteral("No code for '%1' (character %2).").arg(character).arg(position);
    case Status::kReadsBackOtherwise:
      return QStringLiteral("The bytes %1 read back as '%2'; no other bytes read back as the text.")
          .arg(ElidedBytes(bytes), Elided(read_back));
    case Status::kTooManySpellings:
      return QStringLiteral(
                 "The bytes %1 read back as '%2'; the table's codes overlap in too many ways to "
                 "look for other bytes.")
          .arg(ElidedBytes(bytes), Elided(read_back));
    case Status::kTooLong:
      return QStringLiteral("The text is longer than %1 characters.").arg(kMaxEncodedText);
  }
  return {};
}

TextEncoder::TextEncoder(const CodeLookup& lookup) : lookup_(lookup) {
  // Of the codes that spell the same text, one of fewest bytes, the first in byte order, spells
  // it best wherever the reading allows it.
  lookup_.ForEach([this](const CodeReading& reading) {
    const QByteArray bytes = reading.code.Bytes();
    all_[reading.shown[0].unicode()].push_back(Spelling{reading.shown, bytes});
    KeepFewest(readings_, reading.shown, bytes);
  });
  QHash<QString, QByteArray> fewest = readings_;
  lookup_.ForEach([this, &fewest](const CodeReading& reading) {
    for (const QString& alias : AliasesInUse(reading)) {
      const QByteArray bytes = reading.code.Bytes();
      all_[alias[0].unicode()].push_back(Spelling{alias, bytes});
      KeepFewest(fewest, alias, bytes);
      has_aliases_ = true;
    }
  });
  for (auto at = fewest.cbegin(); at != fewest.cend(); ++at) {
    fewest_[at.key()[0].unicode()].push_back(Spelling{at.key(), at.value()});
  }
}

QStringList TextEncoder::AliasesInUse(const CodeReading& reading) const {
  QStringList aliases = AliasesOf(reading);
  aliases.removeIf([this](const QString& alias) { return readings_.contains(alias); });
  return aliases;
}

bool TextEncoder::ReadsBackAs(QByteArrayView bytes, QStringView text) const {
  if (ReadText(lookup_, bytes) == text) return true;
  if (!has_aliases_) return false;
  // Where the text read so far can end, piece by piece, each piece spelt by its reading or by
  // one of its aliases.
  std::vector<qsizetype> ends{0};
  std::vector<qsizetype> next;
  for (const ReadString& string : ReadStrings(lookup_, bytes, 0, LineBreaks::kMarker, true)) {
    for (qsizetype p = 0; p < string.pieces.size(); ++p) {
      const ReadPiece& piece = string.pieces[p];
      const qsizetype end =
          p + 1 < string.pieces.size() ? string.pieces[p + 1].text_begin : string.text.size();
      QStringList spellings{string.text.sliced(piece.text_begin, end - piece.text_begin)};
      if (piece.kind != PieceKind::kUnknown) {
        spellings += AliasesInUse(*lookup_.Find(bytes.data() + piece.offset, piece.length));
      }
      next.clear();
      for (const qsizetype at : ends) {
        for (const QString& spelling : spellings) {
          if (text.sliced(at).startsWith(spelling)) next.push_back(at + spelling.size());
        }
      }
      std::sort(next.begin(), next.end());
      next.erase(std::unique(next.begin(), next.end()), next.end());
      std::swap(ends, next);
      if (ends.empty()) return false;
    }
  }
  return std::find(ends.begin(), ends.end(), text.size()) != ends.end();
}

EncodeResult TextEncoder::Encode(QStringView text) const {
  EncodeResult result;
  if (text.size() > kMaxEncodedText) {
    result.status = EncodeResult::Status::kTooLong;
    return result;
  }
  const SpellingSearch any(fewest_, lookup_, text, false);
  if (!any.Spelled()) {
    const qsizetype at = any.Furthest();
    result.status = EncodeResult::Status::kNoCode;
    result.character = CharacterAt(text, at);
    result.position = CharacterNumber(text, at);
    return result;
  }
  // The fewest bytes when they read back; only otherwise a search of every code, which follows
  // what the reading would do.
  const QByteArray shortest = any.Best();
  if (ReadsBackAs(shortest, text)) {
    result.bytes = shortest;
    return result;
  }
  const QString read_back = ReadText(lookup_, shortest);
  const SpellingSearch checked(all_, lookup_, text, true);
  if (!checked.Spelled()) {
    result.status = checked.Abandoned() ? EncodeResult::Status::kTooManySpellings
                                        : EncodeResult::Status::kReadsBackOtherwise;
    result.bytes = shortest;
    result.read_back = read_back;
    return result;
  }
  result.bytes = checked.Best();
  if (checked.Distance() > any.Distance()) {
    result.shortest = shortest;
    result.read_back = read_back;
  }
  return result;
}

QString NormalizeTypedText(const QString& text) {
  static const QRegularExpression kRawByte(QStringLiteral("<\\$([0-9A-Fa-f]{2})>"));
  QString out;
  qsizetype done = 0;
  for (auto match = kRawByte.globalMatch(text); match.hasNext();) {
    const QRegularExpressionMatch raw = match.next();
    out += QStringView(text).sliced(done, raw.capturedStart() - done);
    out += QStringLiteral("<$") + raw.captured(1).toUpper() + u'>';
    done = raw.capturedEnd();
  }
  out += QStringView(text).sliced(done);
  out.replace(QStringLiteral("\r\n"), kLineMarker.toString());
  out.replace(u'\n', kLineMarker.toString());
  out.replace(u'\r', kLineMarker.toString());
  // A code's reading shows its control characters as pictures: a typed one is that picture.
  return text::WithControlPictures(std::move(out));
}

}  // namespace orvane::data
