#include "data/text_encoder.h"

#include "data/control_text.h"
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
// What else a code stands for: its reading as printed where that is not the reading itself, and
// when `loose`, its text without the line breaks it ends in.
QStringList AliasesOf(const CodeReading& reading, bool loose) {
  QStringList aliases;
  if (reading.labelled) {
    aliases << (reading.kind == CodeKind::kEnd ? kEndMarker : kLineMarker).toString();
  }
  const QString text = OneLineText(reading);
  if (QString printed = text::WithInvisibleAsCodes(text); printed != text) {
    aliases << std::move(printed);
  }
  if (loose && reading.breaks_after > 0 && !reading.shown.isEmpty()) aliases << reading.shown;
  return aliases;
}

void AddSpelling(SpellingIndex& index, Spelling spelling) {
  const char16_t first = spelling.text[0].unicode();
  index[first].push_back(std::move(spelling));
}

SpellingIndex FewestOf(const QHash<QString, QByteArray>& fewest) {
  SpellingIndex index;
  for (auto at = fewest.cbegin(); at != fewest.cend(); ++at) {
    AddSpelling(index, Spelling{at.key(), at.value()});
  }
  return index;
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
    case Status::kControlArguments:
      return QStringLiteral("%1 (character %2) takes %3.")
          .arg(character)
          .arg(position)
          .arg(Elided(control));
  }
  return {};
}

TextEncoder::TextEncoder(const CodeLookup& lookup) : lookup_(lookup) {
  // Of the codes that spell the same text, one of fewest bytes, the first in byte order, spells
  // it best wherever the reading allows it.
  bool breaks = false;
  lookup_.ForEach([this, &breaks](const CodeReading& reading) {
    breaks = breaks || reading.breaks_after > 0;
    if (reading.control) {
      controls_.push_back(&reading);
      return;
    }
    const QString text = OneLineText(reading);
    AddSpelling(exact_.all, Spelling{text, reading.code.Bytes()});
    KeepFewest(readings_, text, reading.code.Bytes());
  });
  // The texts without their line breaks only where the exact texts make no bytes: what decode
  // prints comes back as the same bytes.
  if (breaks) loose_.emplace();
  QHash<QString, QByteArray> fewest = readings_;
  QHash<QString, QByteArray> loose_fewest;
  lookup_.ForEach([&](const CodeReading& reading) {
    if (reading.control) return;
    const QByteArray bytes = reading.code.Bytes();
    for (const QString& alias : AliasesInUse(reading, false)) {
      AddSpelling(exact_.all, Spelling{alias, bytes});
      KeepFewest(fewest, alias, bytes);
      has_aliases_ = true;
    }
    if (!loose_ || reading.breaks_after == 0) return;
    for (const QString& alias : AliasesInUse(reading, true)) {
      AddSpelling(loose_->all, Spelling{alias, bytes});
      KeepFewest(loose_fewest, alias, bytes);
    }
  });
  exact_.fewest = FewestOf(fewest);
  if (loose_) {
    for (auto at = fewest.cbegin(); at != fewest.cend(); ++at) {
      KeepFewest(loose_fewest, at.key(), at.value());
    }
    loose_->fewest = FewestOf(loose_fewest);
    for (const auto& [first, spellings] : exact_.all.asKeyValueRange()) {
      auto& into = loose_->all[first];
      into.insert(into.end(), spellings.begin(), spellings.end());
    }
  }
  // Each control code's label opens its spellings, whatever its arguments are.
  for (const CodeReading* control : controls_) {
    const QString opening = ControlOpening(*control).toString();
    const Spelling spelling{opening, control->code.Bytes(), control, false};
    AddSpelling(exact_.all, spelling);
    AddSpelling(exact_.fewest, spelling);
    if (!loose_) continue;
    const Spelling loose{opening, control->code.Bytes(), control, true};
    AddSpelling(loose_->all, loose);
    AddSpelling(loose_->fewest, loose);
  }
}

QStringList TextEncoder::AliasesInUse(const CodeReading& reading, bool loose) const {
  QStringList aliases = AliasesOf(reading, loose);
  aliases.removeIf([this](const QString& alias) { return readings_.contains(alias); });
  return aliases;
}

QStringList TextEncoder::OtherSpellings(QByteArrayView bytes, const ReadString& string,
                                        qsizetype piece, qsizetype last, bool loose) const {
  const ReadPiece& read = string.pieces[piece];
  if (read.kind == PieceKind::kUnknown || read.kind == PieceKind::kArgument) return {};
  const CodeReading* reading = lookup_.Find(bytes.data() + read.offset, read.length);
  if (reading == nullptr) return {};
  if (!reading->control) return AliasesInUse(*reading, loose);
  if (!loose || reading->breaks_after == 0 || last - piece != reading->arguments) return {};
  const QByteArrayView arguments = bytes.sliced(read.offset + read.length, reading->arguments);
  return {ControlText(*reading, arguments, false)};
}

bool TextEncoder::ReadsBackAs(QByteArrayView bytes, QStringView text, bool loose) const {
  if (ReadText(lookup_, bytes) == text) return true;
  if (!has_aliases_ && !loose) return false;
  // Where the text read so far can end, code by code, each spelt by its reading or by one of its
  // aliases; a control code with its arguments is one.
  std::vector<qsizetype> ends{0};
  std::vector<qsizetype> next;
  for (const ReadString& string : ReadStrings(lookup_, bytes, 0, LineBreaks::kMarker, true)) {
    for (qsizetype p = 0; p < string.pieces.size(); ++p) {
      const ReadPiece& piece = string.pieces[p];
      qsizetype last = p;
      if (piece.kind == PieceKind::kControl) {
        while (last + 1 < string.pieces.size() &&
               string.pieces[last + 1].kind == PieceKind::kArgument) {
          ++last;
        }
      }
      const qsizetype end =
          last + 1 < string.pieces.size() ? string.pieces[last + 1].text_begin : string.text.size();
      QStringList spellings{string.text.sliced(piece.text_begin, end - piece.text_begin)};
      spellings += OtherSpellings(bytes, string, p, last, loose);
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
      p = last;
    }
  }
  return std::find(ends.begin(), ends.end(), text.size()) != ends.end();
}

const CodeReading* TextEncoder::ControlWithoutArguments(QStringView text) const {
  const CodeReading* found = nullptr;
  for (const CodeReading* control : controls_) {
    const QStringView opening = ControlOpening(*control);
    if (control->arguments > 0 && text.startsWith(opening) &&
        (found == nullptr || opening.size() > ControlOpening(*found).size())) {
      found = control;
    }
  }
  return found;
}

EncodeResult TextEncoder::Encode(QStringView text) const {
  if (text.size() > kMaxEncodedText) {
    EncodeResult result;
    result.status = EncodeResult::Status::kTooLong;
    return result;
  }
  EncodeResult exact = EncodeWith(text, exact_, false);
  if (exact.status == EncodeResult::Status::kOk || !loose_) return exact;
  EncodeResult loose = EncodeWith(text, *loose_, true);
  return loose.status == EncodeResult::Status::kOk ? loose : exact;
}

EncodeResult TextEncoder::EncodeWith(QStringView text, const Spellings& spellings,
                                     bool loose) const {
  EncodeResult result;
  const SpellingSearch any(spellings.fewest, lookup_, text, false);
  if (!any.Spelled()) {
    const qsizetype at = any.Furthest();
    result.status = EncodeResult::Status::kNoCode;
    result.character = CharacterAt(text, at);
    result.position = CharacterNumber(text, at);
    if (const CodeReading* control = ControlWithoutArguments(text.sliced(at))) {
      result.status = EncodeResult::Status::kControlArguments;
      result.character = QStringLiteral("The control code %1 %2")
                             .arg(QString::fromLatin1(control->code.Hex()), control->shown);
      result.control = ControlUsage(*control);
    }
    return result;
  }
  // The fewest bytes when they read back; only otherwise a search of every code, which follows
  // what the reading would do.
  const QByteArray shortest = any.Best();
  if (ReadsBackAs(shortest, text, loose)) {
    result.bytes = shortest;
    return result;
  }
  const QString read_back = ReadText(lookup_, shortest);
  const SpellingSearch checked(spellings.all, lookup_, text, true);
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
