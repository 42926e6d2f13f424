#include "data/string_reader.h"

#include "data/control_text.h"

#include <algorithm>
#include <limits>

namespace orvane::data {
namespace {

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

QString CellOf(const ReadString& string, qsizetype piece, int byte) {
  const ReadPiece& read = string.pieces[piece];
  if (byte > 0) return QStringLiteral("·");
  switch (read.kind) {
    case PieceKind::kUnknown:
      return QStringLiteral(".");
    case PieceKind::kArgument:
      return QStringLiteral("·");
    case PieceKind::kEnd:
      return QStringLiteral("/");
    case PieceKind::kLineBreak:
      return QStringLiteral("*");
    case PieceKind::kText:
    case PieceKind::kControl:
      break;
  }
  const qsizetype text_end =
      piece + 1 < string.pieces.size() ? string.pieces[piece + 1].text_begin : string.text.size();
  const QStringView text =
      QStringView(string.text).sliced(read.text_begin, text_end - read.text_begin);
  if (read.kind != PieceKind::kControl) {
    // A code that stands for a line break alone.
    if (text.startsWith(kLineMarker) || text.startsWith(u'\n')) return QStringLiteral("↵");
    return FirstCharacter(text);
  }
  // The label whole, without the line breaks after it.
  QString label = read.closing != 0 ? text.toString() + QChar(read.closing) : text.toString();
  while (label.endsWith(kLineMarker) || label.endsWith(u'\n')) {
    label.chop(label.endsWith(u'\n') ? 1 : kLineMarker.size());
  }
  return label;
}

}  // namespace

StringReader::StringReader(const CodeLookup& lookup, qint64 offset, ReadOptions options)
    : lookup_(lookup), offset_(offset), options_(options) {}

qsizetype StringReader::Read(QByteArrayView bytes, bool last, const Take& take) {
  const char* data = bytes.data();
  const qsizetype size = bytes.size();
  const qsizetype stop = last ? size : size - (model::kMaxCodeLength - 1);
  const ReadOptions options = options_;
  qsizetype at = 0;
  while (at < stop) {
    if (!open_) {
      current_.offset = offset_ + at;
      open_ = true;
    }
    if (arguments_left_ > 0) [[unlikely]] {
      ReadArgument(data[at], offset_ + at, take);
      ++at;
      continue;
    }
    const CodeLookup::Match match =
        options.step == 1 ? lookup_.Longest(data + at, size - at)
                          : lookup_.LongestOfValues(data + at, size - at, options.step);
    const CodeReading* reading = match.reading;
    if (reading == nullptr) [[unlikely]] {
      at += ReadUnknown(data + at, size - at, offset_ + at);
      continue;
    }
    if (const char16_t unit = reading->Unit(); unit != 0 && !options.keep_pieces) {
      if (used_ == capacity_) Grow(1);
      text_[static_cast<size_t>(used_++)] = unit;
      at += match.length;
      continue;
    }
    if (reading->control) [[unlikely]] {
      if (options.keep_pieces) {
        AddPiece(offset_ + at, match.length, PieceKind::kControl);
        const QStringView closing = ControlClosing(*reading);
        if (!closing.isEmpty()) current_.pieces.back().closing = closing[0].unicode();
      }
      Append(ControlOpening(*reading));
      at += match.length;
      AfterCode(*reading, take);
      continue;
    }
    if (options.keep_pieces) AddPiece(offset_ + at, match.length, KindOf(reading->kind));
    Append(reading->Shown(options.breaks));
    at += match.length;
    if (reading->kind != CodeKind::kText || reading->arguments > 0 || reading->breaks_after)
        [[unlikely]] {
      AfterCode(*reading, take);
    }
  }
  offset_ += at;
  if (last && arguments_left_ > 0) CutCode();
  return at;
}

int StringReader::ReadUnknown(const char* bytes, qsizetype available, qint64 offset) {
  const int length = static_cast<int>(std::min<qsizetype>(options_.step, available));
  for (int i = 0; i < length; ++i) {
    if (options_.keep_pieces) AddPiece(offset + i, 1, PieceKind::kUnknown);
    Append(UnknownByteText(static_cast<quint8>(bytes[i])));
  }
  return length;
}

void StringReader::AfterCode(const CodeReading& reading, const Take& take) {
  code_ = &reading;
  arguments_left_ = reading.arguments;
  arguments_read_ = 0;
  if (arguments_left_ == 0) EndCode(take);
}

void StringReader::ReadArgument(char byte, qint64 offset, const Take& take) {
  if (options_.keep_pieces) AddPiece(offset, 1, PieceKind::kArgument);
  Append(ArgumentText(*code_, arguments_read_++, static_cast<quint8>(byte)));
  if (--arguments_left_ == 0) EndCode(take);
}

void StringReader::EndCode(const Take& take) {
  const CodeReading& reading = *code_;
  code_ = nullptr;
  Append(ControlClosing(reading));
  for (int i = 0; i < reading.breaks_after; ++i) Append(LineBreakText(options_.breaks));
  if (reading.kind != CodeKind::kEnd) return;
  current_.ended = true;
  Hand(take);
}

void StringReader::CutCode() {
  const CodeReading& reading = *code_;
  if (!open_) {
    current_.offset = offset_;
    open_ = true;
  }
  if (reading.named.isEmpty()) {
    Append(u"<$");
    Append(kCutArgument);
    Append(u">");
  } else {
    for (int index = arguments_read_; index < reading.arguments; ++index) {
      Append(u' ' + QString::fromLatin1(reading.named[index].name) + u'=' +
             kCutArgument.toString());
    }
    Append(ControlClosing(reading));
  }
  current_.cut = true;
  code_ = nullptr;
  arguments_left_ = 0;
}

void StringReader::Read(const Block& block, const Take& take) {
  const qint64 from = offset_ - block.start;
  (void)Read(block.Bytes().sliced(from), block.last, take);
}

void StringReader::AddPiece(qint64 offset, int length, PieceKind kind) {
  current_.pieces.append(ReadPiece{offset, used_, static_cast<quint8>(length), kind});
}

void StringReader::Grow(qsizetype more) {
  text_.resize(std::max(text_.size() * 2, static_cast<size_t>(used_ + more)));
  capacity_ = static_cast<qsizetype>(text_.size());
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

ScanEnd ReadFileStrings(const CodeLookup& lookup, DataSource& source, qint64 from, qint64 length,
                        LineBreaks breaks, const StringReader::Take& take, qint64 block_size) {
  const qint64 end = length < 0 || length > std::numeric_limits<qint64>::max() - from
                         ? std::numeric_limits<qint64>::max()
                         : from + length;
  BlockReader blocks(&source, block_size, model::kMaxCodeLength - 1);
  StringReader reader(lookup, from, breaks, false);
  ScanEnd ended = blocks.Scan(from, end, {}, [&](const Block& block) { reader.Read(block, take); });
  reader.Finish(take);
  return ended;
}

QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes, qint64 offset,
                              ReadOptions options) {
  QList<ReadString> strings;
  const StringReader::Take take = [&strings](ReadString&& string) {
    strings.append(std::move(string));
  };
  StringReader reader(lookup, offset, options);
  (void)reader.Read(bytes, true, take);
  reader.Finish(take);
  return strings;
}

QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes, qint64 offset,
                              LineBreaks breaks, bool keep_pieces) {
  return ReadStrings(lookup, bytes, offset, ReadOptions{breaks, keep_pieces, 1});
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
      for (int b = 0; b < piece.length; ++b) {
        const qint64 at = piece.offset + b;
        if (at >= first && at < end) cells[at - first] = CellOf(string, p, b);
      }
    }
  }
  return cells;
}

QString HexBytes(QByteArrayView bytes) {
  return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

}  // namespace orvane::data
