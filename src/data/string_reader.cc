#include "data/string_reader.h"

#include <algorithm>
#include <array>

namespace orvane::data {
namespace {

const QString& UnknownByte(quint8 byte) {
  static const std::array<QString, 256> kShown = [] {
    std::array<QString, 256> shown;
    for (int b = 0; b < 256; ++b) {
      shown[static_cast<size_t>(b)] = QStringLiteral("<$%1>").arg(b, 2, 16, QChar(u'0')).toUpper();
    }
    return shown;
  }();
  return kShown[byte];
}

PieceKind KindOf(CodeKind kind) {
  switch (kind) {
    case CodeKind::kText:
      return PieceKind::kText;
    case CodeKind::kEnd:
      return PieceKind::kEnd;
    case CodeKind::kLineBreak:
      return PieceKind::kLineBreak;
  }
  return PieceKind::kText;
}

// The first character of a text, a surrogate pair whole.
QString FirstCharacter(QStringView text) {
  if (text.isEmpty()) return {};
  const qsizetype size = text.size() > 1 && text[0].isHighSurrogate() ? 2 : 1;
  return text.first(size).toString();
}

}  // namespace

StringReader::StringReader(const CodeLookup& lookup, qint64 offset, LineBreaks breaks,
                           bool keep_pieces)
    : lookup_(lookup), offset_(offset), breaks_(breaks), keep_pieces_(keep_pieces) {}

qsizetype StringReader::Read(QByteArrayView bytes, bool last, const Take& take) {
  const char* data = bytes.data();
  const qsizetype size = bytes.size();
  const qsizetype stop = last ? size : size - (model::kMaxCodeLength - 1);
  qsizetype at = 0;
  while (at < stop) {
    if (!open_) {
      current_.offset = offset_ + at;
      open_ = true;
    }
    const CodeLookup::Match match = lookup_.Longest(data + at, size - at);
    if (keep_pieces_) {
      current_.pieces.append(
          ReadPiece{offset_ + at, used_, static_cast<quint8>(match.reading ? match.length : 1),
                    match.reading ? KindOf(match.reading->kind) : PieceKind::kUnknown});
    }
    if (match.reading == nullptr) {
      Append(UnknownByte(static_cast<quint8>(data[at])));
      ++at;
      continue;
    }
    Append(match.reading->Shown(breaks_));
    at += match.length;
    if (match.reading->kind == CodeKind::kEnd) {
      current_.ended = true;
      Hand(take);
    }
  }
  offset_ += at;
  return at;
}

void StringReader::Grow(qsizetype more) {
  text_.resize(std::max(text_.size() * 2, static_cast<size_t>(used_ + more)));
}

void StringReader::Hand(const Take& take) {
  current_.text = QString(reinterpret_cast<const QChar*>(text_.data()), used_);
  take(std::move(current_));
  current_ = ReadString{};
  used_ = 0;
  open_ = false;
}

void StringReader::Finish(const Take& take) {
  if (open_) Hand(take);
}

QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes, qint64 offset,
                              LineBreaks breaks, bool keep_pieces) {
  QList<ReadString> strings;
  const StringReader::Take take = [&strings](ReadString&& string) {
    strings.append(std::move(string));
  };
  StringReader reader(lookup, offset, breaks, keep_pieces);
  (void)reader.Read(bytes, true, take);
  reader.Finish(take);
  return strings;
}

QString ReadText(const CodeLookup& lookup, QByteArrayView bytes) {
  QString text;
  for (const ReadString& string : ReadStrings(lookup, bytes, 0, LineBreaks::kMarker, false)) {
    text += string.text;
  }
  return text;
}

QStringList ByteCells(const QList<ReadString>& strings, qint64 first, qsizetype count) {
  QStringList cells(count);
  const qint64 end = first + count;
  for (const ReadString& string : strings) {
    for (qsizetype p = 0; p < string.pieces.size(); ++p) {
      const ReadPiece& piece = string.pieces[p];
      if (piece.offset >= end || piece.offset + piece.length <= first) continue;
      const qsizetype text_end =
          p + 1 < string.pieces.size() ? string.pieces[p + 1].text_begin : string.text.size();
      for (int b = 0; b < piece.length; ++b) {
        const qint64 at = piece.offset + b;
        if (at < first || at >= end) continue;
        QString& cell = cells[at - first];
        if (b > 0) {
          cell = QStringLiteral("·");
        } else if (piece.kind == PieceKind::kUnknown) {
          cell = QStringLiteral(".");
        } else if (piece.kind == PieceKind::kEnd) {
          cell = QStringLiteral("/");
        } else if (piece.kind == PieceKind::kLineBreak) {
          cell = QStringLiteral("*");
        } else {
          cell = FirstCharacter(
              QStringView(string.text).sliced(piece.text_begin, text_end - piece.text_begin));
        }
      }
    }
  }
  return cells;
}

QString HexBytes(QByteArrayView bytes) {
  return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

}  // namespace orvane::data
