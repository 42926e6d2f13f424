#include "data/relative_search_table.h"

#include "model/table_document.h"
#include "text/display_text.h"

#include <algorithm>

namespace orvane::data {
namespace {

// A mark's label, as the reading shows it.
QString MarkText(const model::TableDocument& document, const model::Code& code,
                 const QString& otherwise) {
  const QByteArray label = document.MarkLabel(code);
  return label.isEmpty() ? otherwise : text::DisplayText(label, document.Encoding());
}

QString HexByte(char byte) {
  return QStringLiteral("<$%1>").arg(static_cast<quint8>(byte), 2, 16, QLatin1Char('0')).toUpper();
}

quint32 ValueOfBytes(QByteArrayView bytes, ValueSize values) {
  const auto first = static_cast<quint8>(bytes[0]);
  if (values == ValueSize::k8) return first;
  const auto second = static_cast<quint8>(bytes[1]);
  return values == ValueSize::k16Be ? quint32{first} << 8 | second : quint32{second} << 8 | first;
}

}  // namespace

TableTexts TableTexts::Of(const model::TableDocument& document) {
  TableTexts table;
  for (const model::Code& code : document.DefinedCodes()) {
    const QByteArray text = document.GetCellText(code);
    if (document.IsSpecial(code) && text == "/") {
      table.Set(code, MarkText(document, code, QStringLiteral("<END>")));
    } else if (document.IsSpecial(code) && text == "*") {
      table.Set(code, MarkText(document, code, QStringLiteral("<LINE>")));
    } else if (!text.isEmpty()) {
      table.Set(code, text::DisplayText(text, document.Encoding()));
    }
  }
  return table;
}

const QString* TableTexts::Find(const model::Code& code) const {
  const auto found = texts_.find(code);
  return found == texts_.end() ? nullptr : &found->second;
}

std::optional<char16_t> CandidateSymbol(const Query& query, const Candidate& candidate,
                                        qint64 value) {
  for (size_t run = 0; run < query.runs.size(); ++run) {
    const qint64 index = value - candidate.bases[run];
    if (index >= 0 && index < RunLength(query.runs[run])) {
      return RunSymbol(query.runs[run], static_cast<int>(index));
    }
  }
  return std::nullopt;
}

QString PreviewLine(const Query& query, const Candidate& candidate, const TableTexts& table) {
  const QByteArray& bytes = candidate.context;
  const int unit = ValueBytes(query.values);
  QString line;
  // Start in step with the hit and keep to it: 16-bit values are read at its alignment, through
  // codes of whole values.
  qsizetype at = (candidate.FirstHit() - candidate.context_start) % unit;
  while (at + unit <= bytes.size()) {
    const qsizetype longest = std::min<qsizetype>(model::kMaxCodeLength, bytes.size() - at);
    qsizetype length = longest - longest % unit;
    for (; length > 0; length -= unit) {
      const QByteArrayView code_bytes(bytes.constData() + at, length);
      if (length == unit) {
        const auto symbol =
            CandidateSymbol(query, candidate, ValueOfBytes(code_bytes, query.values));
        if (symbol) {
          line.append(QChar(*symbol));
          break;
        }
      }
      if (const QString* text = table.Find(*model::Code::FromBytes(code_bytes))) {
        line.append(*text);
        break;
      }
    }
    if (length == 0) {
      length = unit;
      for (qsizetype i = 0; i < unit; ++i) line.append(HexByte(bytes[at + i]));
    }
    at += length;
  }
  return line;
}

}  // namespace orvane::data
