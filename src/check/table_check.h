#pragma once

#include "data/job.h"
#include "model/code.h"
#include "model/table_file.h"
#include "text/encoding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace orvane::data {
class DataSource;
}

namespace orvane::model {
struct TableState;
}

namespace orvane::check {

// What a finding is about, in the order the findings are listed.
enum class FindingKind : quint8 {
  kSharedText,    // codes that read as the same text
  kUnreachable,   // codes that reading never stops at
  kLongestFirst,  // texts an inserter taking the longest text first writes wrong
  kControlCode,   // control codes that clash with plain codes or end marks
  kDefinedAgain,  // and what check warns of
  kExtraLine,
  kNotValid,
  kOtherWarning,
};
inline constexpr int kFindingKinds = 8;

// "Texts several codes share", as the window heads its group.
[[nodiscard]] QString KindTitle(FindingKind kind);

// One thing wrong with the table, where to see it and what it is.
struct Finding {
  FindingKind kind = FindingKind::kSharedText;
  QList<qsizetype> lines;    // of the table file, from 1, in order; none for a code no line defines
  QList<model::Code> codes;  // the one to show first
  qint64 offset = -1;        // where in the game's data, for a finding of its strings
  QString message;

  friend bool operator==(const Finding&, const Finding&) = default;
};

struct CheckOptions {
  // Reads the table in this rather than in the encoding its bytes suggest.
  std::optional<text::Encoding> encoding;
  // A game's data: its strings are checked too. Read only by the thread that checks.
  data::DataSource* data = nullptr;
};

struct CheckResult {
  std::optional<model::LoadError> error;  // the table did not load: no findings
  QList<Finding> findings;                // by kind, then by line
  bool stopped = false;                   // asked to stop before the end
  QString data_error;                     // the data could not be read to its end
};

// Loads the table file's bytes as the editor does and checks it. `control`, when given, hears
// how far it is and may stop it.
[[nodiscard]] CheckResult CheckTable(QByteArrayView file, const CheckOptions& options,
                                     data::JobControl* control = nullptr);
// The same for a table as it is in the editor, its lines numbered as a save that keeps the
// file's layout would write them.
[[nodiscard]] CheckResult CheckTableState(const model::TableState& state, CheckOptions options,
                                          data::JobControl* control = nullptr);

// How many findings there are of each kind.
[[nodiscard]] std::array<qsizetype, kFindingKinds> CountByKind(const QList<Finding>& findings);

}  // namespace orvane::check
