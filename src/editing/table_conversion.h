#pragma once

#include "model/table_document.h"
#include "model/table_file.h"
#include "text/encoding.h"

#include <QList>
#include <QString>

namespace orvane::editing {

// Why a text cannot be rewritten: the first character that has no form in the target; or
// none when its bytes cannot be read in the table's encoding; or, when its characters each have
// a form but together would read back as others (two Latin letters in EUC-JP make a pair), the
// fewest neighbouring ones that do.
struct Unconvertible {
  QString character;
  bool misread = false;
  // "'Ä'", "bytes that are not Shift-JIS", or "'ÄÖ', which EUC-JP reads as other characters".
  [[nodiscard]] QString What(text::Encoding from, text::Encoding to) const;
};

// A text of the table that cannot be rewritten, and where it is ("code 41", "extra line 3",
// "bookmark 2").
struct ConversionFailure {
  QString where;
  Unconvertible why;
};

// Rewrites every code's text and label, bookmark title and extra line from the table's encoding
// into `target`, in one bulk change, and the file's lines that a save writes as they were read;
// the file is then written plainly in it, without a byte-order mark or UTF-16. When a text cannot
// be rewritten nothing changes and the failures come back. A save in the canonical form leaves
// out the single bytes' lines that a later line replaces: then those are not asked for.
[[nodiscard]] QList<ConversionFailure> ConvertTable(
    model::TableDocument& document, text::Encoding target,
    model::SaveLayout save = model::SaveLayout::kKeepFile);

// Why a text cannot be rewritten, or nothing when it can.
[[nodiscard]] std::optional<Unconvertible> WhyNotConvertible(QByteArrayView bytes,
                                                             text::Encoding from,
                                                             text::Encoding to);

}  // namespace orvane::editing
