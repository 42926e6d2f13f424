#pragma once

#include <QString>
#include <QStringList>

namespace orvane::model {

// The items joined by `separator`, at most `limit` of them, then "... and N more.": a message
// about a large table stays readable.
[[nodiscard]] QString JoinAtMost(const QStringList& items, const QString& separator,
                                 qsizetype limit = 10);

}  // namespace orvane::model
