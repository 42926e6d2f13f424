#pragma once

#include "check/table_check.h"
#include "data/code_lookup.h"
#include "data/text_encoder.h"
#include "model/table_document.h"

#include <QHash>
#include <QString>

#include <array>
#include <vector>

namespace orvane::check {

// The file line that defines each code last, as the table was read.
class CodeLines {
 public:
  explicit CodeLines(const model::TableDocument& document);
  // 0 for a code no line defines.
  [[nodiscard]] qsizetype Of(const model::Code& code) const;
  // The lines of the codes, in order, without the 0s.
  [[nodiscard]] QList<qsizetype> Of(const QList<model::Code>& codes) const;

 private:
  std::array<quint32, model::kCodeCount> single_{};
  QHash<quint64, qsizetype> longer_;
};

// An inserter as most translators' tools are: at each place of the text it writes the code of
// the longest text that matches there, of those that share it the one the encoder prefers, and
// "<$XX>" as that byte; it never looks back.
class LongestFirst {
 public:
  explicit LongestFirst(const data::CodeLookup& lookup);

  struct Written {
    QByteArray bytes;
    QList<model::Code> codes;  // as taken, raw bytes left out
    qsizetype stuck_at = -1;   // where no text matched, or -1 when it wrote the whole text
  };
  [[nodiscard]] Written Write(QStringView text) const;
  // The code of fewest bytes, then first, that reads as the text; nothing when none does.
  [[nodiscard]] std::optional<model::Code> Preferred(const QString& text) const;
  // Every text a code reads as, with the codes that read so in the order the encoder prefers.
  [[nodiscard]] const QHash<QString, QList<model::Code>>& Texts() const { return texts_; }

 private:
  struct Entry {
    QString text;
    model::Code code;
  };
  QHash<QString, QList<model::Code>> texts_;
  QHash<char16_t, std::vector<Entry>> by_first_;  // longest texts first
};

// What every part of the check reads and adds to.
struct CheckContext {
  const model::TableDocument& document;
  const data::CodeLookup& lookup;
  const CodeLines& lines;
  const LongestFirst& inserter;
  const data::TextEncoder& encoder;
  QList<Finding>& findings;

  void Add(FindingKind kind, QList<model::Code> codes, QString message, qint64 offset = -1) {
    QList<qsizetype> numbers = lines.Of(codes);
    findings.append(
        Finding{kind, std::move(numbers), std::move(codes), offset, std::move(message)});
  }
};

void FindSharedTexts(CheckContext& context);
void FindUnreachableCodes(CheckContext& context);
void FindControlClashes(CheckContext& context);
// Each code's own text; false when stopped.
[[nodiscard]] bool FindOwnTextFaults(CheckContext& context, data::JobControl* control);
// The strings of the data; what stopped the reading, if anything.
struct DataCheck {
  bool stopped = false;
  QString error;
};
[[nodiscard]] DataCheck CheckDataStrings(CheckContext& context, data::DataSource& source,
                                         data::JobControl* control, qint64 done, qint64 total);

// How many bytes a control code takes after it, or nothing for a code that is none.
[[nodiscard]] std::optional<int> ArgumentBytes(const model::TableDocument& document,
                                               const model::Code& code);
// "1 argument byte", "2 argument bytes".
[[nodiscard]] QString ArgumentWords(int count);

// A text as a message shows it: quoted when spaces at its ends would hide.
[[nodiscard]] QString Quoted(const QString& text);
// "20", "20 and 8140", "20, 8140 and 8141".
[[nodiscard]] QString CodeNames(const QList<model::Code>& codes);

}  // namespace orvane::check
