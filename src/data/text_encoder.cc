#include "data/text_encoder.h"

#include "data/string_reader.h"

#include <QRegularExpression>

namespace orvane::data {
namespace {

constexpr qsizetype kShownReadBack = 60;

QString Elided(const QString& text) {
  if (text.size() <= kShownReadBack) return text;
  return text.first(kShownReadBack) + u'…';
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

}  // namespace

QString EncodeResult::Message() const {
  switch (status) {
    case Status::kOk:
      if (shortest.isEmpty()) return {};
      return QStringLiteral("The fewest bytes, %1, read back as '%2'; these read back as the text.")
          .arg(HexBytes(shortest), Elided(read_back));
    case Status::kNoCode:
      return QStringLiteral("No code for '%1' (character %2).").arg(character).arg(position);
    case Status::kReadsBackOtherwise:
      return QStringLiteral("The bytes %1 read back as '%2'; no other bytes read back as the text.")
          .arg(HexBytes(bytes.first(std::min<qsizetype>(bytes.size(), kShownReadBack))),
               Elided(read_back));
    case Status::kTooLong:
      return QStringLiteral("The text is longer than %1 characters.").arg(kMaxEncodedText);
  }
  return {};
}

TextEncoder::TextEncoder(const CodeLookup& lookup) : lookup_(lookup) {
  // Of the codes that spell the same text, one of fewest bytes, the first in byte order, spells
  // it best wherever the reading allows it.
  QHash<QString, QByteArray> fewest;
  lookup_.ForEach([this, &fewest](const CodeReading& reading) {
    const QString& text = reading.shown;
    const QByteArray bytes = reading.code.Bytes();
    all_[text[0].unicode()].push_back(Spelling{text, bytes});
    QByteArray& best = fewest[text];
    if (best.isEmpty() || bytes.size() < best.size() ||
        (bytes.size() == best.size() && bytes < best)) {
      best = bytes;
    }
  });
  for (auto at = fewest.cbegin(); at != fewest.cend(); ++at) {
    fewest_[at.key()[0].unicode()].push_back(Spelling{at.key(), at.value()});
  }
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
  const QString read_back = ReadText(lookup_, shortest);
  if (read_back == text) {
    result.bytes = shortest;
    return result;
  }
  const SpellingSearch checked(all_, lookup_, text, true);
  if (!checked.Spelled()) {
    result.status = EncodeResult::Status::kReadsBackOtherwise;
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
  return out;
}

}  // namespace orvane::data
